// The 32-bit millisecond tick counter every wait on the welder is measured
// with. Differences are taken in unsigned 32-bit arithmetic, so a wrap of the
// counter (every 49.7 days) never disturbs a wait.
//
// The clock is replaceable: tests install a clock that starts just below the
// wrap or runs faster than real time, so long silences are tested without
// waiting for them.
#pragma once

#include <cstdint>

namespace tav {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds, wrapping at 2^32.
    virtual std::uint32_t Now() = 0;
    // Gives the processor away for about `ms` milliseconds of this clock.
    virtual void Sleep(std::uint32_t ms) = 0;
};

// The monotonic system clock.
Clock& SystemClock();

// The clock in use; SystemClock() unless a test installed another.
Clock& CurrentClock();
// Installs `clock` (nullptr restores the system clock). Not thread-safe:
// install before any wait runs.
void SetClock(Clock* clock);

// The present tick count of the clock in use.
inline std::uint32_t GetTickCount() { return CurrentClock().Now(); }

// Milliseconds from `start` to `now`, correct across a wrap of the counter.
constexpr std::uint32_t TicksBetween(std::uint32_t start, std::uint32_t now) {
    return now - start;
}

// Milliseconds since `start` on the clock in use.
inline std::uint32_t TicksSince(std::uint32_t start) { return TicksBetween(start, GetTickCount()); }

// The slice a waiting loop sleeps between two looks at the port: short
// against every time limit of the link, long enough to leave the processor
// idle.
inline constexpr std::uint32_t kWaitSliceMs = 2;

// A settle wait: returns once at least `ms` milliseconds have passed since
// `start`, sleeping in short slices instead of spinning.
void WaitUntilElapsed(std::uint32_t start, std::uint32_t ms);

// A settle wait from now.
inline void WaitMs(std::uint32_t ms) { WaitUntilElapsed(GetTickCount(), ms); }

}  // namespace tav
