// Start-up to the first shown main window, offscreen: the application, the
// nine windows, the main window maximised and exposed. Timed from the start
// of main() and from the start of the process (the loading of Qt included).
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchOut.h"
#include "platform/QtPlatformService.h"
#include "shell/AppWindows.h"
#include "shell/Form1.h"

namespace {

// Milliseconds since this process started, from its start time in
// /proc/self/stat (clock ticks after boot) and the boot-time clock.
double MsSinceProcessStart() {
    char text[4096] = {};
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (stat == nullptr) {
        return 0.0;
    }
    const std::size_t n = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    // Fields after the command name (which may hold blanks) start at ") ";
    // the start time is field 22, the 20th after the name.
    const char* rest = std::strrchr(text, ')');
    if (n == 0 || rest == nullptr) {
        return 0.0;
    }
    rest += 2;
    for (int field = 3; field < 22 && rest != nullptr; ++field) {
        rest = std::strchr(rest, ' ');
        rest = rest != nullptr ? rest + 1 : nullptr;
    }
    if (rest == nullptr) {
        return 0.0;
    }
    const double startTicks = std::strtod(rest, nullptr);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs =
        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char* argv[]) {
    tav::bench::Stopwatch sinceMain;
    QApplication app(argc, argv);
    tav::QtPlatformService platform;
    // No config.cfg: the defaults, as on a first start.
    const std::string settings = "/nonexistent/tavelin-bench/config.cfg";
    tav::AppWindows windows = tav::CreateAppWindows(platform, settings);
    platform.SetParentWindow(windows.Form1.get());
    windows.Form1->showMaximized();
    while (windows.Form1->windowHandle() == nullptr || !windows.Form1->windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();
    const double mainMs = sinceMain.Ms();
    const double processMs = MsSinceProcessStart();
    tav::bench::Print("startup_main", mainMs, "ms", "start-up to the shown window, from main()");
    tav::bench::Print("startup_process", processMs, "ms",
                      "start-up to the shown window, from exec (10 ms steps)");
    tav::bench::PrintPeakRss("startup_rss", "peak memory: start-up");
    return 0;
}
