#include "platform/Tick.h"

#include <time.h>

namespace tav {
namespace {

class MonotonicClock final : public Clock {
public:
    std::uint32_t Now() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000U +
                        static_cast<std::uint64_t>(ts.tv_nsec) / 1000000U;
        return static_cast<std::uint32_t>(ms);
    }
    void Sleep(std::uint32_t ms) override {
        timespec ts{static_cast<time_t>(ms / 1000U), static_cast<long>(ms % 1000U) * 1000000L};
        while (nanosleep(&ts, &ts) != 0) {
        }
    }
};

Clock* g_clock = nullptr;

}  // namespace

Clock& SystemClock() {
    static MonotonicClock clock;
    return clock;
}

Clock& CurrentClock() { return g_clock != nullptr ? *g_clock : SystemClock(); }

void SetClock(Clock* clock) { g_clock = clock; }

void WaitUntilElapsed(std::uint32_t start, std::uint32_t ms) {
    Clock& clock = CurrentClock();
    for (;;) {
        const std::uint32_t passed = TicksBetween(start, clock.Now());
        if (passed >= ms) {
            return;
        }
        const std::uint32_t left = ms - passed;
        clock.Sleep(left < kWaitSliceMs ? left : kWaitSliceMs);
    }
}

}  // namespace tav
