// Processor time of the link's waits: a 5 s settle wait, and a text download
// of 100 KB paced at about one byte per millisecond (the welder's line rate).
// Both must sleep, not spin: the figures printed are processor milliseconds
// of the waiting thread against the wall-clock time.
//
//   bench_link_cpu [kilobytes]     (default 100; the download takes ~1 s/KB)
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "link/CommPort.h"
#include "link/TextReception.h"
#include "platform/Tick.h"
#include "sim/Pty.h"

namespace {

double CpuMs(int who) {
    rusage ru{};
    getrusage(who, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000.0 +
           (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1000.0;
}

class CountingSink final : public tav::link::TextLineSink {
public:
    void AddLine(std::string_view line) override {
        ++lines;
        bytes += line.size();
    }
    long lines = 0;
    long bytes = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::atol(argv[1]) : 100;

    double cpu = CpuMs(RUSAGE_THREAD);
    std::uint32_t start = tav::GetTickCount();
    tav::WaitMs(5000);
    std::printf("WaitMs(5000): %u ms wall, %.1f ms processor\n", tav::TicksSince(start),
                CpuMs(RUSAGE_THREAD) - cpu);

    tav::sim::PtyPair pty;
    TCommPort port;
    port.SetPortName(pty.SlavePath());
    port.Open();

    // 82-byte lines (80 characters, CR, LF) sent ten bytes every 10 ms.
    std::string report;
    while (report.size() < static_cast<std::size_t>(kilobytes) * 1000) {
        report += std::string(80, 'F') + "\r\n";
    }
    std::thread welder([&pty, &report] {
        for (std::size_t at = 0; at < report.size(); at += 10) {
            pty.WriteAll(report.data() + at, std::min<std::size_t>(10, report.size() - at));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });

    tav::link::RxBuffer rx{};
    std::string accumulator;
    CountingSink sink;
    cpu = CpuMs(RUSAGE_THREAD);
    const double processCpu = CpuMs(RUSAGE_SELF);
    start = tav::GetTickCount();
    tav::link::ReceiveTextLines(port, rx, tav::link::TextDownloadKind::AllFusions, accumulator,
                                sink);
    const std::uint32_t wall = tav::TicksSince(start);
    const double loopCpu = CpuMs(RUSAGE_THREAD) - cpu;
    welder.join();
    std::printf("text download of %zu bytes: %ld lines, %u ms wall, %.1f ms processor in the "
                "receive loop, %.1f ms in the whole process (sender included)\n",
                report.size(), sink.lines, wall, loopCpu, CpuMs(RUSAGE_SELF) - processCpu);
    return 0;
}
