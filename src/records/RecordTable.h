// The record table's download bookkeeping and the application of one welder
// line to it. Pure logic: the window (TForm1::ParseRecordLine) and the
// command-line tool both run every received line through ApplyRecordLine
// and then show its effects their own way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/GridData.h"
#include "records/LineClassifier.h"

namespace tav::records {

// The main window's fields a table download works on (TForm1 inherits them,
// so they carry the names the rest of the program knows them by).
struct RecordTableState {
    std::string CurrentSiteId;     // ID of the last site line, at most 4 bytes
    std::int32_t NextRecordRow = 0;  // row the next record line fills
    std::int32_t RecordsParsed = 0;  // record lines turned into rows
    bool SiteLineReceived = false;
    bool TypeLineReceived = false;
    std::string PeriodFrom;        // period-start line, or a requested date
    std::string PeriodTo;          // period-end line, or a requested date
    std::uint32_t LastLineTick = 0;  // tick of the last recognised line
    std::int8_t DocumentLanguage = -1;  // -1 none, 0 pl, 1 en, 2 cs, 3 ro, 4 en
    std::uint8_t InterfaceLanguage = 1; // 0 Polish, 1 English
};

// ParseRecordLine results.
inline constexpr std::uint8_t kLineGoOn = 0;
inline constexpr std::uint8_t kLineEndOfData = 1;
inline constexpr std::uint8_t kLineNoData = 2;

// What a line changes beyond the bookkeeping and the grid's cells and rows;
// the caller shows these on its controls.
struct LineEffects {
    std::optional<std::string> typeLineStatus;  // status panel 1 (type line, trimmed)
    std::optional<std::string> downloadTime;    // Edit3
    std::optional<std::string> periodDisplay;   // Edit2
    std::optional<bool> saveAvailable;          // SpeedButton3 shown and N23 enabled, or not
    bool headingsWritten = false;               // row 0 rewritten (SetGridHeaders)
};

// Applies one received line (without CR/LF): the nine rules in their order.
// `now` is the tick count stored in LastLineTick by every recognised line.
std::uint8_t ApplyRecordLine(RecordTableState& state, GridData& grid, std::string_view line,
                             std::uint32_t now, LineEffects& effects);

// The heading variant: DocumentLanguage when set, else InterfaceLanguage
// (English for a value other than 0 or 1).
int HeadingVariant(const RecordTableState& state);

// Writes row 0 in the heading variant.
void SetGridHeaders(const RecordTableState& state, GridData& grid);

void ResetHeaderFlags(RecordTableState& state);

// The warning for missing header lines (UTF-8 texts), or nothing when both
// the site line and the type line arrived.
struct HeaderWarning {
    std::string polish;
    std::string english;
};
std::optional<HeaderWarning> CheckHeaderLines(const RecordTableState& state);

}  // namespace tav::records
