#include "core/random_numbers.h"
#include "testing/settable_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

// Reference values: python3 with integer arithmetic modulo 2**32, e.g.
//   s = 1234; s = (s*134775813 + 1) % 2**32  -> 3104595995, ...
//   Random(range) = (s*range) >> 32
//   normal = sqrt(-2*log(s1/2**32)) * cos(2*pi*s2/2**32)

TEST(RandomGenerator, StepFromSeedZeroGivesOneOver2To32)
{
    SetRandSeed(0);
    EXPECT_EQ(Random(), 1.0 / 4294967296.0);
    EXPECT_EQ(RandSeed(), 1u);
}

TEST(RandomGenerator, SequenceFromSeed1234)
{
    const std::uint32_t seeds[] = {3104595995u, 3617836168u, 1340677801u, 10796366u, 1329851015u};
    SetRandSeed(1234);
    for (std::uint32_t s : seeds) {
        EXPECT_EQ(Random(), s / 4294967296.0);
        EXPECT_EQ(RandSeed(), s);
    }
}

TEST(RandomGenerator, RangeIsHighWordOfProduct)
{
    SetRandSeed(1234);
    EXPECT_EQ(Random(255), 184);
    EXPECT_EQ(Random(1000), 842);
    EXPECT_EQ(Random(2147483647), 670338900);
    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(RandSeed(), 10796366u);
}

TEST(RandomGenerator, RangeStaysInBoundsAndNonPositiveRangeGivesZero)
{
    SetRandSeed(99);
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t v = Random(255) + 1;
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 255);
    }
    const std::uint32_t before = RandSeed();
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-7), 0);
    EXPECT_EQ(RandSeed(), before * 134775813u * 134775813u + 134775813u + 1u);
}

TEST(RandomGenerator, FirstNormalDeviatesFromSeed1234)
{
    // Worked in long double and rounded once, the deviates are the correctly rounded
    // values (python3 decimal at 50 digits: sqrt(-2 ln u1) cos(2 pi u2), then float());
    // plain double arithmetic misses 0, 3, 5 and 6 in the last bit.
    const double expected[] = {0.44167288449815095, 1.5257642168854841, 1.1477838393182644,
                               0.4801250074377935,  -0.8762112532196951, -0.3770969422461499,
                               0.9004774125702913};
    SetRandSeed(1234);
    for (double e : expected)
        EXPECT_EQ(RandomNormal(), e);
    SetRandSeed(1234);
    for (int i = 0; i < 3; ++i)
        RandomNormal();
    EXPECT_EQ(RandSeed(), 1329851015u * 134775813u + 1u);  // six draws
}

TEST(RandomGenerator, ZeroFirstUniformIsDrawnAgain)
{
    SetRandSeed(649090867u);  // the next step gives state 0
    const double z = RandomNormal();
    EXPECT_TRUE(std::isfinite(z));
    EXPECT_NEAR(z, 6.5313954213343335, 1e-12);
    EXPECT_EQ(RandSeed(), 134775814u);
}

TEST(RandomGenerator, SameSeedSameSequence)
{
    std::vector<double> first;
    SetRandSeed(777);
    for (int i = 0; i < 50; ++i)
        first.push_back(i % 2 ? Random() : RandomNormal());
    SetRandSeed(777);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(first[i], i % 2 ? Random() : RandomNormal());
}

TEST(RandomGenerator, RandomizeTakesLowWordOfCounter)
{
    platform::SettableClock clock;
    platform::ScopedClock guard(clock);
    clock.SetCounter(0x123456789ABCDEF0ull);
    Randomize();
    EXPECT_EQ(RandSeed(), 0x9ABCDEF0u);
}

TEST(RandomGenerator, RandomizeFallsBackToMillisecondsWithoutCounter)
{
    struct NoCounterClock : platform::Clock {
        double Now() const override { return 45000.0; }
        double MonotonicSeconds() const override { return 12.3456; }
        std::uint64_t HighResCounter() const override { return 0; }
        std::uint64_t HighResFrequency() const override { return 0; }
    } clock;
    platform::ScopedClock guard(clock);
    Randomize();
    EXPECT_EQ(RandSeed(), 12345u);
}

TEST(RandomGenerator, StartUpSeedingEndsInFixedStateWhateverTheClock)
{
    // python3: s=1234, then Random(255)+1 until all of 1..255 were drawn
    // (1446 draws) -> 1251716356
    platform::SettableClock clock;
    platform::ScopedClock guard(clock);
    clock.SetCounter(42);
    InitializeRandomSeeding();
    EXPECT_EQ(RandSeed(), 1251716356u);
    clock.SetCounter(0xFFFFFFFFull);
    SetRandSeed(5);
    InitializeRandomSeeding();
    EXPECT_EQ(RandSeed(), 1251716356u);
}

TEST(RandomGenerator, NormalDeviatesHaveMeanZeroAndVarianceOne)
{
    SetRandSeed(20240601u);
    constexpr int n = 1000000;
    long double sum = 0.0L;
    long double sumSq = 0.0L;
    for (int i = 0; i < n; ++i) {
        const long double z = RandomNormal();
        sum += z;
        sumSq += z * z;
    }
    const double mean = static_cast<double>(sum / n);
    const double variance = static_cast<double>((sumSq - n * (sum / n) * (sum / n)) / (n - 1));
    // standard errors: 1/sqrt(n) for the mean, sqrt(2/(n-1)) for the variance
    EXPECT_LT(std::fabs(mean), 4.0 / std::sqrt(double(n)));
    EXPECT_LT(std::fabs(variance - 1.0), 4.0 * std::sqrt(2.0 / (n - 1)));
}
