#include "records/TableDownload.h"

#include "link/CommPort.h"
#include "platform/Tick.h"

namespace tav::records {

ReceptionEnd RunTableDownload(TCommPort& port, link::RxBuffer& rx, const link::Frame& frame,
                              TableDownloadKind kind, RecordTableState& state, GridData& grid,
                              TableLineSink& sink,
                              const std::function<void()>& atReceptionStart) {
    ResetHeaderFlags(state);
    grid.Reset();
    link::SendCommandFrame(port, rx, frame);
    WaitMs(link::kSettleMs);

    state.NextRecordRow = 1;
    grid.Reset();
    state.PeriodFrom.clear();
    state.PeriodTo.clear();
    // Records sent before the first site line belong to no site, in the
    // period download too.
    state.CurrentSiteId.clear();
    if (kind == TableDownloadKind::AllRecords) {
        state.RecordsParsed = 0;
    }
    state.LastLineTick = GetTickCount();
    if (atReceptionStart) {
        atReceptionStart();
    }
    sink.ReceptionStarted();
    return ReceiveTableLines(port, rx, sink);
}

}  // namespace tav::records
