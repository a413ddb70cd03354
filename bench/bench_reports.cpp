// Writes and reads back a full welder memory (9999 records) as an HTML or as
// a text report (one kind per run, so the peak memory is the kind's own).
//
//   bench_reports html|text [folder]   (default: the system's temporary folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchOut.h"
#include "BenchTable.h"
#include "records/GridData.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "reports/TagReader.h"
#include "reports/TextReport.h"

using tav::bench::FillTable;
using tav::bench::kRecords;

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind != "html" && kind != "text") {
        std::fprintf(stderr, "usage: bench_reports html|text [folder]\n");
        return 2;
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = argc > 2 ? argv[2] : (tmp != nullptr ? tmp : "/tmp");
    const std::string path = folder + "/bench_reports_" + std::to_string(getpid()) +
                             (kind == "html" ? ".htm" : ".txt");

    tav::records::GridData grid;
    FillTable(grid);
    const tav::reports::ReportSnapshot snapshot{
        .Rows = grid,
        .CompanyName = "Firma",
        .TypeLine = "Zgrzewarka",
        .DownloadTime = "Data wydruku: 2024.03.05 14:22",
        .PeriodFrom = "Wydruk od: 2024.01.01",
        .PeriodTo = "Wydruk do: 2024.03.05",
        .Language = 0,
    };

    tav::bench::Stopwatch write;
    const std::string bytes = kind == "html" ? tav::reports::WriteHtmlReport(snapshot)
                                             : tav::reports::WriteTextReport(snapshot);
    if (tav::reports::SaveFileSafely(path, bytes) != tav::reports::kSaveWritten) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    const double writeMs = write.Ms();

    tav::bench::Stopwatch read;
    std::vector<std::string> lines;
    if (!tav::reports::LoadFileLines(path, lines)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::size_t rows = lines.size();
    if (kind == "html") {
        tav::reports::TagCursors cursors;
        const tav::reports::HtmlImportResult imported =
            tav::reports::ImportHtmlReport(lines, cursors, 0);
        tav::records::GridData table;
        tav::reports::LoadRowsIntoGrid(imported.Rows, table);
        rows = imported.Rows.size();
        if (rows != static_cast<std::size_t>(kRecords)) {
            std::fprintf(stderr, "read back %zu rows of %d\n", rows, kRecords);
            return 1;
        }
    }
    const double readMs = read.Ms();
    unlink(path.c_str());

    if (kind == "html") {
        tav::bench::Print("html_write", writeMs, "ms", "write a 9999-record HTML report");
        tav::bench::Print("html_read", readMs, "ms", "read it back into a table");
        tav::bench::PrintPeakRss("html_rss", "peak memory: HTML report");
    } else {
        tav::bench::Print("text_write", writeMs, "ms", "write a 9999-record text report");
        tav::bench::Print("text_read", readMs, "ms", "read it back as lines");
        tav::bench::PrintPeakRss("text_rss", "peak memory: text report");
    }
    std::fprintf(stderr, "%s: %zu bytes, %zu lines or rows\n", kind.c_str(), bytes.size(), rows);
    return 0;
}
