#pragma once
// Program-wide clock: wall time as a day number, a monotonic clock and a
// high-resolution counter. Another clock can be installed in place of the
// system one (tests drive time through testing/settable_clock.h).
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

// The clock in force; the system clock unless another was installed.
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

} // namespace platform
