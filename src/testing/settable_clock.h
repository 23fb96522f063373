#pragma once
// Clocks for tests: one that moves only when told to, and a guard that
// installs a clock through platform::SetClock for its lifetime.
#include "platform/clock.h"

#include <cstdint>

namespace platform {

// A clock that moves only when told to.
class SettableClock : public Clock {
public:
    double Now() const override { return m_now; }
    double MonotonicSeconds() const override { return m_monotonic; }
    std::uint64_t HighResCounter() const override { return m_counter; }
    std::uint64_t HighResFrequency() const override { return 1000000; }
    // Moves the clock on instead of sleeping.
    void SleepFor(double seconds) override;

    void SetNow(double dayNumber) { m_now = dayNumber; }
    void SetCounter(std::uint64_t ticks) { m_counter = ticks; }
    // Moves every reading forward by the given seconds.
    void Advance(double seconds);

private:
    double m_now = 45000.0;
    double m_monotonic = 0.0;
    std::uint64_t m_counter = 0;
};

// Installs a clock for the lifetime of the guard.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) { SetClock(&clock); }
    ~ScopedClock() { SetClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace platform
