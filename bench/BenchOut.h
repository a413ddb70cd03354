// What every benchmark program prints: one line per figure,
//
//   BENCH <key> <value> <unit> <label>
//
// which scripts/bench gathers over its runs into one table (min, median,
// max). The peak resident memory of the process is printed as the figure
// <program>_rss at the end of each run.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace tav::bench {

inline void Print(const char* key, double value, const char* unit, const char* label) {
    std::printf("BENCH %s %.3f %s %s\n", key, value, unit, label);
    std::fflush(stdout);
}

// Peak resident memory of this process so far, in KiB.
inline long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

inline void PrintPeakRss(const char* key, const char* label) {
    Print(key, static_cast<double>(PeakRssKiB()) / 1024.0, "MiB", label);
}

// Processor time (user + system) in milliseconds; `who` is RUSAGE_SELF,
// RUSAGE_THREAD or RUSAGE_CHILDREN.
inline double CpuMs(int who) {
    rusage ru{};
    getrusage(who, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000.0 +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1000.0;
}

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double Ms() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tav::bench
