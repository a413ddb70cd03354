// Opening a 9999-record HTML report into the main window, offscreen: the
// Open command from the chosen file to the filled, repainted table.
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchOut.h"
#include "BenchTable.h"
#include "gui/FakePlatform.h"
#include "reports/HtmlReport.h"
#include "reports/ReportFile.h"
#include "shell/AppWindows.h"
#include "shell/Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp != nullptr ? tmp : "/tmp") + "/bench_open_" +
                             std::to_string(getpid()) + ".htm";
    {
        tav::records::GridData grid;
        tav::bench::FillTable(grid);
        const tav::reports::ReportSnapshot snapshot{.Rows = grid, .CompanyName = "Firma",
                                                    .Language = 0};
        if (tav::reports::SaveFileSafely(path, tav::reports::WriteHtmlReport(snapshot)) !=
            tav::reports::kSaveWritten) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }

    tav::test::FakePlatform platform;
    tav::AppWindows windows =
        tav::CreateAppWindows(platform, "/nonexistent/tavelin-bench/config.cfg");
    TForm1& form = *windows.Form1;
    form.showMaximized();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();

    platform.QueueOpenFile(QString::fromStdString(path));
    tav::bench::Stopwatch open;
    form.SpeedButton2Click();
    QCoreApplication::processEvents();
    const double ms = open.Ms();
    unlink(path.c_str());

    const auto* grid = form.findChild<QTableView*>(QStringLiteral("Grid"));
    const int rows = grid != nullptr ? grid->model()->rowCount() : -1;
    // The view shows the records; the heading row is its header.
    if (rows != tav::bench::kRecords) {
        std::fprintf(stderr, "the table shows %d rows, not %d\n", rows, tav::bench::kRecords);
        return 1;
    }
    tav::bench::Print("open_report", ms, "ms", "open a 9999-record HTML report into the window");
    tav::bench::PrintPeakRss("open_rss", "peak memory: open report");
    return 0;
}
