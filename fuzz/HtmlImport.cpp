// A report file's lines through the tag reader and the HTML import; what the
// import finds must survive being written as a report and read back.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "records/GridData.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportSnapshot.h"
#include "reports/TagReader.h"

namespace tav::fuzz {
namespace {

using tav::reports::TagCursors;

// First line the start tag, second the end tag, the rest the lines searched.
void TagSearch(std::string_view bytes) {
    std::vector<std::string> lines = tav::reports::SplitLines(bytes);
    if (lines.size() < 2) {
        return;
    }
    const std::string startTag = lines[0];
    const std::string endTag = lines[1];
    lines.erase(lines.begin(), lines.begin() + 2);
    TagCursors cursors;
    // Every search moves on by at least one line or fails; more searches
    // than lines must end in failures.
    for (std::size_t i = 0; i <= lines.size() + 1; ++i) {
        const std::int32_t from = cursors.TagCursor;
        const std::string found =
            tav::reports::ExtractTaggedText(lines, cursors, startTag, endTag);
        if (cursors.TagCursor > from) {
            const std::string& line = lines[static_cast<std::size_t>(cursors.PreviousTagCursor)];
            FUZZ_CHECK(cursors.TagCursor == cursors.PreviousTagCursor + 1);
            FUZZ_CHECK(line.find(found) != std::string::npos);
            // The text ends before the first end tag of the line.
            FUZZ_CHECK(found.empty() || found.find(endTag) == std::string::npos);
        } else {
            FUZZ_CHECK(found.empty());
            FUZZ_CHECK(cursors.TagCursor == cursors.PreviousTagCursor);
        }
    }
}

void ImportAndWriteBack(std::string_view bytes, std::uint8_t interfaceLanguage) {
    using namespace tav::reports;
    const std::vector<std::string> lines = SplitLines(bytes);
    TagCursors cursors;
    int progressCalls = 0;
    const HtmlImportResult first =
        ImportHtmlReport(lines, cursors, interfaceLanguage, [&](int rows, std::int32_t marker) {
            ++progressCalls;
            FUZZ_CHECK(rows == progressCalls);
            if (marker != 0) {
                const int percent = ImportProgressPercent(rows, marker);
                FUZZ_CHECK(percent >= 0 && percent <= 100);
            }
        });
    if (!first.IsReport) {
        FUZZ_CHECK(first.Rows.empty());
        return;
    }
    FUZZ_CHECK(first.DocumentLanguage >= -1 && first.DocumentLanguage <= 4);
    FUZZ_CHECK(static_cast<std::size_t>(progressCalls) == first.Rows.size());
    // A row needs its own site-ID comment line.
    FUZZ_CHECK(first.Rows.size() <= lines.size());

    tav::records::GridData grid;
    LoadRowsIntoGrid(first.Rows, grid);
    FUZZ_CHECK(grid.RowCount() == std::max<int>(2, static_cast<int>(first.Rows.size()) + 1));
    if (first.Rows.empty()) {
        return;
    }

    const int language = first.DocumentLanguage == -1 ? 1 : first.DocumentLanguage;
    const ReportSnapshot snapshot{
        .Rows = grid,
        .CompanyName = first.CompanyName,
        .TypeLine = first.TypeLine,
        .DownloadTime = first.DownloadTime,
        .PeriodFrom = first.PeriodFrom,
        .PeriodTo = first.PeriodTo,
        .Language = language,
    };
    const std::vector<std::string> written = SplitLines(WriteHtmlReport(snapshot));
    TagCursors again;
    const HtmlImportResult second = ImportHtmlReport(written, again, interfaceLanguage);
    FUZZ_CHECK(second.IsReport);
    FUZZ_CHECK(second.MarkerRowCount == static_cast<std::int32_t>(first.Rows.size()));
    FUZZ_CHECK(second.DocumentLanguage == language);
    FUZZ_CHECK(second.CompanyName == first.CompanyName);
    FUZZ_CHECK(second.TypeLine == first.TypeLine);
    FUZZ_CHECK(second.DownloadTime == first.DownloadTime);
    FUZZ_CHECK(second.PeriodFrom == first.PeriodFrom);
    FUZZ_CHECK(second.PeriodTo == first.PeriodTo);
    FUZZ_CHECK(second.Rows == first.Rows);
}

}  // namespace

void HtmlImport(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 0x80) {
        TagSearch(bytes);
    } else {
        ImportAndWriteBack(bytes, static_cast<std::uint8_t>(data[0] & 3));
    }
}

}  // namespace tav::fuzz
