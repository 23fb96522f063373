#include "testing/settable_clock.h"

namespace platform {

namespace {

constexpr double kSecondsPerDay = 86400.0;

} // namespace

void SettableClock::Advance(double seconds)
{
    m_now += seconds / kSecondsPerDay;
    m_monotonic += seconds;
    m_counter += static_cast<std::uint64_t>(seconds * static_cast<double>(HighResFrequency()));
}

void SettableClock::SleepFor(double seconds)
{
    if (seconds > 0)
        Advance(seconds);
}

} // namespace platform
