// The welder side of both table downloads, after the record count has been
// asked for: shared by the window and the command-line tool, so both send the
// same frame, wait the same settle time and start the reception with the
// same bookkeeping.
//
//   header flags reset, table emptied -> the frame (26 bytes) -> 600 ms
//   settle -> reception start (row 1, period fields and site ID emptied, the
//   record counter reset for the all-records download, silence measured from
//   now) -> the receive loop until the end of data, no data or silence.
#pragma once

#include <functional>

#include "link/Exchange.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"

class TCommPort;

namespace tav::records {

enum class TableDownloadKind { AllRecords, Period };

// `atReceptionStart` runs once the bookkeeping of the reception start is
// done and before the first read (the window shows its table there). Port
// errors (ECommError) pass through; what was received stays in `grid`.
ReceptionEnd RunTableDownload(TCommPort& port, link::RxBuffer& rx, const link::Frame& frame,
                              TableDownloadKind kind, RecordTableState& state, GridData& grid,
                              TableLineSink& sink,
                              const std::function<void()>& atReceptionStart = {});

}  // namespace tav::records
