// The link against the simulated welder program paced at 9600 baud:
//  - processor time of a 5 s settle wait (it must sleep, not spin);
//  - an all-records table download ("TZC"): wall time against the line-rate
//    time of the bytes the welder sent, the bytes per second achieved, and
//    the processor time of this process as a share of the wall time;
//  - the same answer captured by socat on the same line (raw, 9600 baud) as
//    the baseline: our time over its time.
//
//   bench_download RECORDS SIMULATOR
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchOut.h"
#include "link/CommPort.h"
#include "link/Exchange.h"
#include "platform/Tick.h"
#include "records/GridData.h"
#include "records/RecordTable.h"
#include "records/TableReception.h"

extern char** environ;

namespace {

constexpr double kLineBytesPerSecond = 960.0;

// A child process with its standard input and output on pipes.
struct Child {
    pid_t pid = -1;
    int in = -1;   // we write its standard input
    int out = -1;  // we read its standard output
};

Child Spawn(const std::vector<std::string>& argv, bool pipes) {
    Child child;
    int toChild[2] = {-1, -1};
    int fromChild[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipes) {
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    const int rc = posix_spawnp(&child.pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", args[0], std::strerror(rc));
        std::exit(1);
    }
    if (pipes) {
        close(toChild[0]);
        close(fromChild[1]);
        child.in = toChild[1];
        child.out = fromChild[0];
    }
    return child;
}

void Stop(Child& child) {
    if (child.in >= 0) {
        close(child.in);
    }
    if (child.out >= 0) {
        close(child.out);
    }
    if (child.pid > 0) {
        kill(child.pid, SIGTERM);
        int status = 0;
        waitpid(child.pid, &status, 0);
    }
    child = Child{};
}

// Applies every line as the window does and counts the bytes that came.
class Sink final : public tav::records::TableLineSink {
public:
    std::uint8_t ParseRecordLine(std::string_view line) override {
        bytes += line.size() + 2;  // and its CR LF
        tav::records::LineEffects effects;
        return tav::records::ApplyRecordLine(state, grid, line, tav::GetTickCount(), effects);
    }
    std::uint32_t LastLineTick() const override { return state.LastLineTick; }

    tav::records::GridData grid;
    tav::records::RecordTableState state;
    std::size_t bytes = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_download RECORDS SIMULATOR\n");
        return 2;
    }
    const int records = std::atoi(argv[1]);
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/tavelin-bench-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string link = dir + "/COM3";
    Child sim = Spawn({argv[2], "--ports-dir", dir, "--com", "COM3", "--generate",
                       std::to_string(records), "--pace", "--download-time", "2009.05.04 12:00"},
                      false);
    for (int i = 0; i < 500 && access(link.c_str(), F_OK) != 0; ++i) {
        usleep(10000);
    }
    setenv("TAVELIN_PORTS", dir.c_str(), 1);
    int status = 0;

    // A settle wait of 5 s.
    double cpu = tav::bench::CpuMs(RUSAGE_SELF);
    tav::bench::Stopwatch wait;
    tav::WaitMs(5000);
    const double waitWall = wait.Ms();
    tav::bench::Print("wait_cpu", (tav::bench::CpuMs(RUSAGE_SELF) - cpu) / waitWall * 100.0,
                      "%", "processor during a 5 s wait");

    // The download, as the window runs it: frame, settle wait, reception.
    Sink sink;
    sink.state.NextRecordRow = 1;
    {
        TCommPort port;
        port.SetPortName("COM3");
        port.Open();
        tav::link::RxBuffer rx{};
        cpu = tav::bench::CpuMs(RUSAGE_SELF);
        tav::bench::Stopwatch download;
        tav::link::SendCommandFrame(port, rx, tav::link::MakeFrame(tav::link::kAllRecordsTemplate));
        tav::WaitMs(tav::link::kSettleMs);
        sink.state.LastLineTick = tav::GetTickCount();
        const auto end = tav::records::ReceiveTableLines(port, rx, sink);
        const double wall = download.Ms();
        const double used = tav::bench::CpuMs(RUSAGE_SELF) - cpu;
        port.Close();
        if (end != tav::records::ReceptionEnd::EndOfData || sink.state.RecordsParsed != records) {
            std::fprintf(stderr, "download ended early: %d of %d records\n",
                         sink.state.RecordsParsed, records);
            status = 1;
        }
        const double lineRateMs = static_cast<double>(sink.bytes) / kLineBytesPerSecond * 1000.0;
        tav::bench::Print("download_wall", wall, "ms", "TZC download, wall time");
        tav::bench::Print("download_ratio", wall / lineRateMs, "x",
                          "TZC download over its line-rate time");
        tav::bench::Print("download_rate", static_cast<double>(sink.bytes) / wall * 1000.0,
                          "B/s", "TZC download, bytes per second (line rate 960)");
        tav::bench::Print("download_cpu", used / wall * 100.0, "%",
                          "processor during the TZC download");

        // The same answer captured by socat.
        Child socat = Spawn({"socat", "-b", "4096", "-", "OPEN:" + link + ",rawer,b9600"}, true);
        usleep(200000);  // socat opens the line
        const tav::link::Frame frame = tav::link::MakeFrame(tav::link::kAllRecordsTemplate);
        tav::bench::Stopwatch capture;
        if (write(socat.in, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) {
            std::perror("write to socat");
            status = 1;
        }
        std::size_t got = 0;
        char buffer[4096];
        while (got < sink.bytes) {
            const ssize_t n = read(socat.out, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        const double baseline = capture.Ms();
        Stop(socat);
        if (got != sink.bytes) {
            std::fprintf(stderr, "socat captured %zu of %zu bytes\n", got, sink.bytes);
            status = 1;
        }
        tav::bench::Print("socat_wall", baseline, "ms", "TZC answer captured by socat");
        tav::bench::Print("download_vs_socat", wall / baseline, "x",
                          "our download time over socat's");
        std::fprintf(stderr, "%d records, %zu bytes\n", sink.state.RecordsParsed, sink.bytes);
    }
    tav::bench::PrintPeakRss("download_rss", "peak memory: TZC download");
    Stop(sim);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return status;
}
