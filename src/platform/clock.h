#pragma once
// Program-wide clock: wall time as a day number, a monotonic clock and a
// high-resolution counter. Tests install a SettableClock to drive time.
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time as days since 1899-12-30; the fraction is the time of day.
    virtual double Now() const = 0;
    // Seconds since an arbitrary start; never goes back.
    virtual double MonotonicSeconds() const = 0;
    // High-resolution counter and its ticks per second.
    virtual std::uint64_t HighResCounter() const = 0;
    virtual std::uint64_t HighResFrequency() const = 0;
    // Puts the thread to sleep for the seconds given (nothing when not positive).
    virtual void SleepFor(double seconds);
};

// The clock in force; the system clock unless a test installed another.
Clock& CurrentClock();
// Installs a clock (not taken over); nullptr brings back the system clock.
void SetClock(Clock* clock);

class SystemClock : public Clock {
public:
    double Now() const override;
    double MonotonicSeconds() const override;
    std::uint64_t HighResCounter() const override;
    std::uint64_t HighResFrequency() const override;
};

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
