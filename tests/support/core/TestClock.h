// Clocks for tests: the real monotonic clock moved by an offset (to sit just
// below the 32-bit wrap) and sped up by a factor (so a 10 s silence passes
// in a fraction of a second). Installed for the lifetime of the object.
#pragma once

#include <cstdint>

#include "platform/Tick.h"

namespace tav::test {

class ScaledClock final : public Clock {
public:
    // `start`: the tick count the clock shows now; `rate`: clock ms per real ms.
    explicit ScaledClock(std::uint32_t start, std::uint32_t rate = 1);
    ~ScaledClock() override;
    ScaledClock(const ScaledClock&) = delete;
    ScaledClock& operator=(const ScaledClock&) = delete;

    std::uint32_t Now() override;
    void Sleep(std::uint32_t ms) override;

private:
    std::uint64_t realStart_;
    std::uint32_t start_;
    std::uint32_t rate_;
};

}  // namespace tav::test
