#include "platform/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>

using namespace platform;

TEST(SystemClockReadings, NowIsTodaysDayNumber)
{
    // Day number of the local date, counted independently through mktime.
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::tm midnight = local;
    midnight.tm_hour = 0;
    midnight.tm_min = 0;
    midnight.tm_sec = 0;
    std::tm base{};
    base.tm_year = -1;  // 1899
    base.tm_mon = 11;   // December
    base.tm_mday = 30;
    base.tm_hour = 12;  // noon keeps daylight-saving shifts out of the count
    midnight.tm_hour = 12;
    const double days = std::difftime(std::mktime(&midnight), std::mktime(&base)) / 86400.0;
    const double now = SystemClock().Now();
    EXPECT_NEAR(std::floor(now), std::round(days), 0.0);
}

TEST(SystemClockReadings, MonotonicAndCounterNeverGoBack)
{
    SystemClock clock;
    const double a = clock.MonotonicSeconds();
    const auto c = clock.HighResCounter();
    EXPECT_LE(a, clock.MonotonicSeconds());
    EXPECT_LE(c, clock.HighResCounter());
    EXPECT_GT(clock.HighResFrequency(), 0u);
}
