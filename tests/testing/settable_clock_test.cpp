#include "testing/settable_clock.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(SettableClockReadings, AdvanceMovesEveryReading)
{
    SettableClock clock;
    clock.SetNow(45000.5);
    clock.Advance(43200.0);
    EXPECT_DOUBLE_EQ(clock.Now(), 45001.0);
    EXPECT_DOUBLE_EQ(clock.MonotonicSeconds(), 43200.0);
    EXPECT_EQ(clock.HighResCounter(), 43200ull * 1000000ull);
}

TEST(SettableClockReadings, SleepMovesTheClockOnAndIgnoresNonPositiveSpans)
{
    SettableClock clock;
    clock.SleepFor(1.5);
    EXPECT_DOUBLE_EQ(clock.MonotonicSeconds(), 1.5);
    EXPECT_EQ(clock.HighResCounter(), 1500000ull);
    clock.SleepFor(0.0);
    clock.SleepFor(-3.0);
    EXPECT_DOUBLE_EQ(clock.MonotonicSeconds(), 1.5);
}

TEST(CurrentClockSelection, ScopedClockInstallsAndRestores)
{
    SettableClock fake;
    fake.SetNow(1.25);
    {
        ScopedClock guard(fake);
        EXPECT_DOUBLE_EQ(CurrentClock().Now(), 1.25);
    }
    EXPECT_GT(CurrentClock().Now(), 40000.0);
}
