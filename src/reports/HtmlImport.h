// Reading an HTML fusion report back: the file's lines are searched with
// ExtractTaggedText for the report marker, the language marker, the header
// fields and one site-ID comment and sixteen tagged cells per row. Nothing is
// parsed as HTML. The result is handed to the caller, which shows it (the
// window: grid, ComboBox1, status panel, Edit3, Edit2; the command-line tool:
// its own table).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/GridData.h"
#include "reports/TagReader.h"

namespace tav::reports {

struct HtmlImportResult {
    // False when the report marker is missing or holds nothing: the file is
    // no fusion report and nothing below is set.
    bool IsReport = false;
    // The report marker's number, 0 when it is not a decimal integer. It only
    // drives the progress display; the rows are read whatever it says.
    std::int32_t MarkerRowCount = 0;
    // 0..4, or -1 when the language marker is not a decimal integer.
    std::int8_t DocumentLanguage = -1;
    // Windows-1250 bytes, entities "&amp;", "&lt;", "&gt;" resolved.
    std::string CompanyName;
    std::string TypeLine;
    std::string DownloadTime;
    std::string PeriodFrom;
    std::string PeriodTo;
    // One entry per imported row: column 0 the site ID, 1..16 the cells.
    std::vector<records::GridRow> Rows;
};

// Told after every imported row: the rows read so far and the marker's number.
using ImportProgress = std::function<void(int rowsImported, std::int32_t markerRowCount)>;

// Reads the report in `lines` (the file's lines, Windows-1250 bytes). The tag
// cursor starts at 0; the previous tag cursor keeps its value from earlier
// imports. `interfaceLanguage` (0 Polish, 1 English; any other value counts
// as English) stands in for a missing or out-of-range language marker. Rows
// are read until a site-ID comment holds nothing or none is left, or the
// search finds the previous row's comment again (a damaged file whose last
// comment has no cell tags after it).
HtmlImportResult ImportHtmlReport(const std::vector<std::string>& lines, TagCursors& cursors,
                                  std::uint8_t interfaceLanguage,
                                  const ImportProgress& progress = {});

// `text` as a decimal integer: an optional sign and digits only, within 32
// bits ("5" and "-1" yes; " 5", "5a", "0x5" and "" no).
std::optional<std::int32_t> ParseDecimal(std::string_view text);

// The document language a language marker stands for: empty gives the
// interface language; not a decimal integer gives -1; otherwise the lowest 8
// bits read as a signed byte, or the interface language when that is not
// 0..4 (so 260 gives 4, 7 the interface language).
std::int8_t LanguageFromMarker(std::string_view text, std::uint8_t interfaceLanguage);

// The import progress bar (0..100) after `rowsImported` rows with the marker
// number `markerRowCount` (not 0): the window's row count (the heading row,
// the rows so far and the empty row after them) over the marker number, as a
// percentage truncated towards zero; above 100 is a full bar.
int ImportProgressPercent(int rowsImported, std::int32_t markerRowCount);

// Puts imported rows into the table from row 1 on, with row count rows + 1.
// No rows leave the row count at 2 with row 1 emptied, never the old row 1.
// The heading row is not touched. An observer hears of it as one refresh.
void LoadRowsIntoGrid(const std::vector<records::GridRow>& rows, records::GridData& grid);

// Loads a file as lines, split at LF with a CR before it removed; a last line
// without a line end is still a line, an empty file has none. False when the
// file cannot be read (`error`, when given, receives errno).
bool LoadFileLines(const std::string& path, std::vector<std::string>& lines, int* error = nullptr);

// The same for bytes already in memory.
std::vector<std::string> SplitLines(std::string_view bytes);

}  // namespace tav::reports
