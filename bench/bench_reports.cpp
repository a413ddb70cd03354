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
#include "records/GridData.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "reports/TagReader.h"
#include "reports/TextReport.h"

namespace {

constexpr int kRecords = 9999;

std::string Padded(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width > static_cast<int>(text.size())
                                                    ? width - static_cast<int>(text.size())
                                                    : 0),
                       '0') +
           text;
}

// A table as a table download of a full memory leaves it: 100 sites, cells
// as wide as the welder's record fields.
void FillTable(tav::records::GridData& grid) {
    grid.SetRowCount(kRecords + 1);
    for (int r = 1; r <= kRecords; ++r) {
        const int i = r - 1;
        const std::vector<std::string> row = {
            Padded(i / 100, 4),
            "2024." + Padded(1 + i % 12, 2) + "." + Padded(1 + i % 28, 2),
            Padded(i % 24, 2) + ":" + Padded(i % 60, 2),
            Padded(i % 99, 2),
            Padded(r, 4),
            i % 3 == 0 ? "M" : "A",
            "PLA",
            "d" + std::to_string(20 + i % 400) + " mufa",
            "39.5",
            "39." + std::to_string(i % 10),
            std::to_string(40 + i % 200),
            std::to_string(40 + i % 200),
            std::to_string(i % 30),
            std::to_string(i % 30),
            std::to_string(i % 35 - 5),
            "1." + Padded(i % 100, 2),
            i % 7 == 0 ? "2" : "+",
        };
        for (int c = 0; c < tav::records::kColumnCount; ++c) {
            grid.SetCell(c, r, row[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace

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
