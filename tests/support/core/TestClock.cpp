#include "core/TestClock.h"

#include <time.h>

namespace tav::test {
namespace {

std::uint64_t RealMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000U +
           static_cast<std::uint64_t>(ts.tv_nsec) / 1000000U;
}

}  // namespace

ScaledClock::ScaledClock(std::uint32_t start, std::uint32_t rate)
    : realStart_(RealMs()), start_(start), rate_(rate == 0 ? 1 : rate) {
    SetClock(this);
}

ScaledClock::~ScaledClock() { SetClock(nullptr); }

std::uint32_t ScaledClock::Now() {
    return start_ + static_cast<std::uint32_t>((RealMs() - realStart_) * rate_);
}

void ScaledClock::Sleep(std::uint32_t ms) {
    const std::uint32_t real = ms / rate_ == 0 ? 1 : ms / rate_;
    SystemClock().Sleep(real);
}

}  // namespace tav::test
