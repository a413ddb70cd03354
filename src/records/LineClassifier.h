// What one line of a table download is, told by single characters at fixed
// positions, the rules tried in their order. A pure function of the line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/GridData.h"

namespace tav::records {

enum class LineKind : std::uint8_t {
    TypeLine,      // welder type; its wording gives the document language
    DownloadTime,  // date and time of the download
    PeriodStart,
    PeriodEnd,
    Site,          // construction-site ID for the records that follow
    Record,        // one fusion record
    EndOfData,
    NoData,
    Other,         // not recognised: changes nothing
};

struct ClassifiedLine {
    LineKind kind = LineKind::Other;
    // TypeLine: 0 Polish, 1 English, 2 Czech, 3 Romanian; -1 when the line
    // passes the type test but none of the language tests.
    std::int8_t language = -1;
    // Site: the ID, at most 4 bytes.
    std::string siteId;
    // Record: the slices for columns 1..16 (index 0 unused), shortened or
    // empty where the line ends inside or before a slice.
    GridRow cells;
};

ClassifiedLine ClassifyRecordLine(std::string_view line);

// The text shown for a type line: leading blanks and control characters
// (bytes up to 0x20) removed.
std::string TrimLeadingBlanks(std::string_view line);

}  // namespace tav::records
