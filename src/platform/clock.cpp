#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {

namespace {

SystemClock& systemClock()
{
    static SystemClock clock;
    return clock;
}

Clock* g_clock = nullptr;

constexpr double kSecondsPerDay = 86400.0;
// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpochDay = 25569.0;

} // namespace

void Clock::SleepFor(double seconds)
{
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

Clock& CurrentClock()
{
    return g_clock ? *g_clock : systemClock();
}

void SetClock(Clock* clock)
{
    g_clock = clock;
}

double SystemClock::Now() const
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&secs, &local);
    const double fraction =
        duration<double>(now.time_since_epoch()).count() - static_cast<double>(secs);
    // Local wall time: shift UTC seconds by the zone offset in force.
    const double localSeconds = static_cast<double>(secs) + static_cast<double>(local.tm_gmtoff) + fraction;
    return kUnixEpochDay + localSeconds / kSecondsPerDay;
}

double SystemClock::MonotonicSeconds() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemClock::HighResCounter() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint64_t SystemClock::HighResFrequency() const
{
    return 1000000000ull;
}

} // namespace platform
