#include "core/numeric_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

// ---------------------------------------------------------------- CombSortDoubles

namespace {

std::vector<double> RandomValues(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::vector<double> v(n);
    for (auto& x : v)
        x = static_cast<double>(gen() % 2001) / 10.0 - 100.0;  // with repeats
    return v;
}

}  // namespace

TEST(CombSortDoubles, MatchesStdSortInBothDirections)
{
    for (std::size_t n : {2u, 3u, 10u, 13u, 1000u}) {
        auto v = RandomValues(n, static_cast<unsigned>(n));
        auto expected = v;
        std::sort(expected.begin(), expected.end());
        CombSortDoubles(v, static_cast<int>(n - 1), true);
        EXPECT_EQ(v, expected) << n;

        std::sort(expected.begin(), expected.end(), std::greater<>());
        CombSortDoubles(v, static_cast<int>(n - 1), false);
        EXPECT_EQ(v, expected) << n;
    }
}

TEST(CombSortDoubles, SortsOnlyUpToHigh)
{
    std::vector<double> v{5, 4, 3, 2, 1};
    CombSortDoubles(v, 2, true);
    EXPECT_EQ(v, (std::vector<double>{3, 4, 5, 2, 1}));
}

TEST(CombSortDoubles, HighBeyondTheArrayIsCut)
{
    std::vector<double> v{3, 1, 2};
    CombSortDoubles(v, 100, true);
    EXPECT_EQ(v, (std::vector<double>{1, 2, 3}));
    std::vector<double> empty;
    CombSortDoubles(empty, 5, true);
    std::vector<double> one{7};
    CombSortDoubles(one, 0, true);
    CombSortDoubles(one, -4, true);
    EXPECT_EQ(one[0], 7);
}

TEST(CombSortDoubles, EndsWithNaNPresent)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> v{3, nan, 2, 1, nan, 0};
    CombSortDoubles(v, 5, true);
    EXPECT_EQ(std::count_if(v.begin(), v.end(), [](double x) { return std::isnan(x); }), 2);
}

TEST(CombSortDoubles, CountsPassesAndReportsThem)
{
    std::vector<std::int64_t> reported;
    SetCombSortFeedback([&](std::int64_t passes) { reported.push_back(passes); });
    const std::int64_t before = CombSortPassCount();
    std::vector<double> v{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    // Already sorted: gaps 7, 5, 3, 2, 1, then stop.
    CombSortDoubles(v, 9, true);
    SetCombSortFeedback(nullptr);
    EXPECT_EQ(CombSortPassCount() - before, 5);
    ASSERT_EQ(reported.size(), 5u);
    EXPECT_EQ(reported.front(), before + 1);
    EXPECT_EQ(reported.back(), before + 5);
}

// ---------------------------------------------------------------- FloorInt

TEST(FloorInt, GreatestIntegerNotAbove)
{
    EXPECT_EQ(FloorInt(-0.5), -1);
    EXPECT_EQ(FloorInt(2), 2);
    EXPECT_EQ(FloorInt(2.5), 2);
    EXPECT_EQ(FloorInt(3.5), 3);
    EXPECT_EQ(FloorInt(-2.5), -3);
    EXPECT_EQ(FloorInt(-3), -3);
    EXPECT_EQ(FloorInt(0.9999), 0);
    EXPECT_EQ(FloorInt(2147483646.7), 2147483646);
}

TEST(FloorInt, OutsideTheIntegerRangeIsGuarded)
{
    EXPECT_EQ(FloorInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(FloorInt(1e10), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(FloorInt(-1e10), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(FloorInt(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(FloorInt(-2147483648.0), std::numeric_limits<std::int32_t>::min());
}

// ---------------------------------------------------------------- CalcNiceTicks

namespace {

struct Ticks {
    long double first = -99;
    long double step = -99;
    std::uint16_t minor = 99;
};

Ticks Nice(int n, long double lo, long double hi)
{
    Ticks t;
    CalcNiceTicks(n, t.first, t.step, lo, hi, t.minor);
    return t;
}

}  // namespace

TEST(CalcNiceTicks, IncreasingRanges)
{
    Ticks t = Nice(4, 0, 10);  // raw step 2.5 -> 2
    EXPECT_EQ(t.step, 2.0L);
    EXPECT_EQ(t.minor, 4);
    EXPECT_EQ(t.first, 0.0L);

    t = Nice(4, 0, 1);  // raw 0.25 -> 0.2
    EXPECT_NEAR(static_cast<double>(t.step), 0.2, 1e-18);
    EXPECT_EQ(t.minor, 4);
    EXPECT_NEAR(static_cast<double>(t.first), 0.0, 1e-18);

    t = Nice(5, 0, 10);  // raw step exactly 2 falls into the class of 1
    EXPECT_EQ(t.step, 1.0L);
    EXPECT_EQ(t.minor, 5);
    EXPECT_EQ(t.first, 0.0L);

    t = Nice(1, 0, 7);  // raw 7 -> 5
    EXPECT_EQ(t.step, 5.0L);
    EXPECT_EQ(t.minor, 5);

    t = Nice(3, 0.35L, 7);  // raw 2.2167 -> 2, first multiple of 2 at or above 0.35
    EXPECT_EQ(t.step, 2.0L);
    EXPECT_NEAR(static_cast<double>(t.first), 2.0, 1e-15);

    t = Nice(10, -3.7L, 12);  // raw 1.57 -> 1
    EXPECT_EQ(t.step, 1.0L);
    EXPECT_EQ(t.minor, 5);
    EXPECT_NEAR(static_cast<double>(t.first), -3.0, 1e-15);

    t = Nice(4, 0, 1000);  // raw 250 -> 200
    EXPECT_EQ(t.step, 200.0L);
    t = Nice(2, 0, 100);  // raw 50, exactly 5 * 10^1: the class of 2
    EXPECT_EQ(t.step, 20.0L);
    t = Nice(1, 0, 10);  // log10 exactly 1: one whole decade
    EXPECT_EQ(t.step, 10.0L);
    EXPECT_EQ(t.minor, 5);
}

TEST(CalcNiceTicks, TickExactlyAThousandthOfAStepShortOfLoIsKept)
{
    // Advance only while lo - first > step / 1000, strictly (hand values).
    Ticks t = Nice(11, 9001, 21190);  // raw 1108.2 -> 1000; 9001 - 9000 = 1 = 1000 / 1000
    EXPECT_EQ(t.step, 1000.0L);
    EXPECT_EQ(t.first, 9000.0L);

    t = Nice(10, 0.5L, 9546);  // raw 954.6 -> 500; 0.5 - 0 = 500 / 1000
    EXPECT_EQ(t.step, 500.0L);
    EXPECT_EQ(t.first, 0.0L);

    t = Nice(1, 2002000000.0L, 6342000000.0L);  // raw 4.34e9 -> 2e9
    EXPECT_EQ(t.step, 2e9L);
    EXPECT_EQ(t.first, 2e9L);

    t = Nice(13, 9999, -3442);  // raw -1034 -> -1000; 10000 lies 1 beyond 9999
    EXPECT_EQ(t.step, -1000.0L);
    EXPECT_EQ(t.first, 10000.0L);

    t = Nice(11, 9001.5L, 21190);  // 1.5 past 9000: the next tick
    EXPECT_EQ(t.first, 10000.0L);
}

TEST(CalcNiceTicks, DecreasingRangesStepDownFromLo)
{
    Ticks t = Nice(4, 10, 0);
    EXPECT_EQ(t.step, -2.0L);
    EXPECT_EQ(t.minor, 4);
    EXPECT_EQ(t.first, 10.0L);

    t = Nice(4, -10, -20);
    EXPECT_EQ(t.step, -2.0L);
    EXPECT_NEAR(static_cast<double>(t.first), -10.0, 1e-15);

    t = Nice(3, 9.5L, 0);  // raw 3.17 -> 2; first multiple of -2 at or below 9.5
    EXPECT_EQ(t.step, -2.0L);
    EXPECT_NEAR(static_cast<double>(t.first), 8.0, 1e-15);
}

TEST(CalcNiceTicks, TinyRanges)
{
    Ticks t = Nice(4, 0, 1e-12L);  // raw 2.5e-13 -> 2e-13
    EXPECT_NEAR(static_cast<double>(t.step / 2e-13L), 1.0, 1e-15);
    EXPECT_EQ(t.minor, 4);
    EXPECT_NEAR(static_cast<double>(t.first), 0.0, 1e-25);

    t = Nice(10, 0, 1e-5L);  // log10 exactly -6
    EXPECT_NEAR(static_cast<double>(t.step / 1e-6L), 1.0, 1e-15);
    EXPECT_EQ(t.minor, 5);

    t = Nice(4, 1000, 1000 + 1e-9L);  // raw 2.5e-10 -> 2e-10 at a large offset
    EXPECT_NEAR(static_cast<double>(t.step / 2e-10L), 1.0, 1e-6);
    EXPECT_NEAR(static_cast<double>(t.first - 1000), 0.0, 1e-13);
}

TEST(CalcNiceTicks, EqualBoundsGiveNoStep)
{
    Ticks t = Nice(5, 3, 3);
    EXPECT_EQ(t.first, 3.0L);
    EXPECT_EQ(t.step, 0.0L);
    EXPECT_EQ(t.minor, 1);
}

TEST(CalcNiceTicks, ZeroTicksUsesUnitSteps)
{
    Ticks t = Nice(0, 2.5L, 8);
    EXPECT_EQ(t.step, 1.0L);
    EXPECT_EQ(t.first, 3.0L);
    EXPECT_EQ(t.minor, 5);

    t = Nice(0, -2.5L, 30);
    EXPECT_EQ(t.first, -2.0L);
    EXPECT_EQ(t.minor, 1);

    t = Nice(0, 5.5L, 0);  // going down the first tick stays below lo
    EXPECT_EQ(t.step, 1.0L);
    EXPECT_EQ(t.first, 4.0L);
    EXPECT_EQ(t.minor, 5);
}

TEST(CalcNiceTicks, UnresolvableStepEndsWithNoStep)
{
    // The range is one unit in the last place of 1e30: a step of a tenth of
    // it cannot move a tick.
    const long double lo = 1e30L;
    const long double hi = std::nextafter(lo, 2e30L);
    Ticks t = Nice(10, lo, hi);
    EXPECT_EQ(t.step, 0.0L);
    EXPECT_EQ(t.first, lo);
    EXPECT_EQ(t.minor, 1);
}

TEST(CalcNiceTicks, NonFiniteOrNegativeCountGiveNoStep)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_EQ(Nice(5, 0, inf).step, 0.0L);
    EXPECT_EQ(Nice(5, -inf, 0).step, 0.0L);
    EXPECT_EQ(Nice(5, nan, 1).step, 0.0L);
    EXPECT_EQ(Nice(5, 1, nan).step, 0.0L);
    EXPECT_EQ(Nice(0, 0, nan).step, 0.0L);
    EXPECT_EQ(Nice(-3, 0, 10).step, 0.0L);
    const long double big = std::numeric_limits<long double>::max();
    EXPECT_EQ(Nice(5, -big, big).step, 0.0L);  // the width overflows
}

TEST(CalcNiceTicks, FirstTickIsTheFirstMultipleAtOrBeyondLo)
{
    // Property over many ranges: first within 0.1 % of a step past lo and less
    // than a step beyond it, and a whole multiple of the step.
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1e6, 1e6);
    for (int i = 0; i < 500; ++i) {
        const long double lo = u(gen);
        const long double hi = u(gen);
        const int n = 1 + i % 12;
        const Ticks t = Nice(n, lo, hi);
        ASSERT_NE(t.step, 0.0L);
        const long double dir = lo > hi ? -1 : 1;
        EXPECT_LE(dir * (lo - t.first), 0.001L * std::fabs(t.step));
        EXPECT_GT(dir * (lo - t.first) + std::fabs(t.step), 0.0L);
        const long double q = t.first / t.step;
        EXPECT_NEAR(static_cast<double>(q - std::nearbyint(q)), 0.0, 1e-6);
    }
}
