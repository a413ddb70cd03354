// Writes and reads back a full welder memory (9999 records) as an HTML and as
// a text report, and prints how long each step took and the peak memory.
//
//   bench_reports [folder]     (default: the system's temporary folder)
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "records/GridData.h"
#include "reports/HtmlImport.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "reports/TagReader.h"
#include "reports/TextReport.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecords = 9999;

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class Step {
  public:
    explicit Step(const char* name) : name_(name), start_(Clock::now()) {}
    ~Step() {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
        std::printf("  %-34s %9.1f ms   peak RSS %7ld KiB\n", name_, ms, PeakRssKiB());
    }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

  private:
    const char* name_;
    Clock::time_point start_;
};

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
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = argc > 1 ? argv[1] : (tmp != nullptr ? tmp : "/tmp");
    const std::string base = folder + "/bench_reports_" + std::to_string(getpid());
    const std::string htmlPath = base + ".htm";
    const std::string textPath = base + ".txt";

    std::printf("bench_reports: %d records, files in %s\n", kRecords, folder.c_str());
    tav::records::GridData grid;
    {
        Step step("fill the table");
        FillTable(grid);
    }
    const tav::reports::ReportSnapshot snapshot{
        .Rows = grid,
        .CompanyName = "Firma",
        .TypeLine = "Zgrzewarka",
        .DownloadTime = "Data wydruku: 2024.03.05 14:22",
        .PeriodFrom = "Wydruk od: 2024.01.01",
        .PeriodTo = "Wydruk do: 2024.03.05",
        .Language = 0,
    };

    std::printf("HTML report\n");
    std::size_t htmlBytes = 0;
    {
        Step step("write document");
        const std::string bytes = tav::reports::WriteHtmlReport(snapshot);
        htmlBytes = bytes.size();
        if (tav::reports::SaveFileSafely(htmlPath, bytes) != tav::reports::kSaveWritten) {
            std::fprintf(stderr, "cannot write %s\n", htmlPath.c_str());
            return 1;
        }
    }
    std::vector<std::string> lines;
    {
        Step step("load lines");
        if (!tav::reports::LoadFileLines(htmlPath, lines)) {
            std::fprintf(stderr, "cannot read %s\n", htmlPath.c_str());
            return 1;
        }
    }
    tav::reports::HtmlImportResult imported;
    {
        Step step("import rows");
        tav::reports::TagCursors cursors;
        imported = tav::reports::ImportHtmlReport(lines, cursors, 0);
    }
    {
        Step step("put rows into a table");
        tav::records::GridData table;
        tav::reports::LoadRowsIntoGrid(imported.Rows, table);
    }
    std::printf("  %zu bytes, %zu lines, %zu rows read back\n", htmlBytes, lines.size(),
                imported.Rows.size());

    std::printf("Text report\n");
    std::size_t textBytes = 0;
    {
        Step step("write document");
        const std::string bytes = tav::reports::WriteTextReport(snapshot);
        textBytes = bytes.size();
        if (tav::reports::SaveFileSafely(textPath, bytes) != tav::reports::kSaveWritten) {
            std::fprintf(stderr, "cannot write %s\n", textPath.c_str());
            return 1;
        }
    }
    {
        Step step("load lines");
        if (!tav::reports::LoadFileLines(textPath, lines)) {
            std::fprintf(stderr, "cannot read %s\n", textPath.c_str());
            return 1;
        }
    }
    std::printf("  %zu bytes, %zu lines\n", textBytes, lines.size());

    unlink(htmlPath.c_str());
    unlink(textPath.c_str());
    return 0;
}
