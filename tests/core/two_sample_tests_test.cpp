#include "core/two_sample_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Reference values by hand formulas in python3, with tcdf and tinv as
// quoted in distributions_test.cpp:
//   v1, v2 = s1*s1, s2*s2; F = max/min variance
//   df = n1+n2-2; sp2 = ((n1-1)*v1+(n2-1)*v2)/df; se = sqrt((1/n1+1/n2)*sp2)
//   d = abs(m1-m2); t = d/se; p = 2*(1-tcdf(df, t)); limits d -+ tinv(df, 0.975)*se
//   w1, w2 = v1/n1, v2/n2; nu = (w1+w2)**2/(w1*w1/(n1-1)+w2*w2/(n2-1)); k = int(nu)
//   tw = d/sqrt(w1+w2); Welch p and t_crit linear in nu between k and k+1
// The F test's p from R 4.2's var.test on samples of exactly those sizes and
// standard deviations:
//   a <- as.numeric(scale(1:10)) * 4 + 20; b <- as.numeric(scale(1:12)) * 2.5 + 16
//   var.test(a, b) -> F 2.56, p-value 0.144152873133
//   var.test(as.numeric(scale(1:8)) * 3 + 10, as.numeric(scale(1:8)) * 3 + 12) -> F 1, p-value 1
//   a <- as.numeric(scale(1:101)) * sqrt(1.05) + 5; b <- as.numeric(scale(1:3)) + 4
//   var.test(a, b) -> F 1.05, p-value 0.778585058145 (var.test(b, a) the same p)

namespace {

void ExpectSameResult(const TTwoSampleTTest& a, const TTwoSampleTTest& b)
{
    EXPECT_EQ(a.t, b.t);
    EXPECT_EQ(a.df, b.df);
    EXPECT_EQ(a.p, b.p);
    EXPECT_EQ(a.LowerLimit, b.LowerLimit);
    EXPECT_EQ(a.UpperLimit, b.UpperLimit);
    EXPECT_EQ(a.HalfWidth, b.HalfWidth);
    EXPECT_EQ(a.WelchLowerLimit, b.WelchLowerLimit);
    EXPECT_EQ(a.WelchUpperLimit, b.WelchUpperLimit);
    EXPECT_EQ(a.WelchHalfWidth, b.WelchHalfWidth);
    EXPECT_EQ(a.WelchT, b.WelchT);
    EXPECT_EQ(a.WelchDF, b.WelchDF);
    EXPECT_EQ(a.WelchP, b.WelchP);
    EXPECT_EQ(a.F, b.F);
    EXPECT_EQ(a.FP, b.FP);
    EXPECT_EQ(a.Difference, b.Difference);
    EXPECT_EQ(a.StandardisedDifference, b.StandardisedDifference);
}

} // namespace

TEST(TwoSampleTTest, UnequalVariancesMatchHandComputation)
{
    // n1 = 10, mean 20, sd 4; n2 = 12, mean 16, sd 2.5; alpha 0.05
    TTwoSampleTTest r;
    TwoSampleTTest(10, 12, r, 20.0, 4.0, 16.0, 2.5, 0.05);
    EXPECT_DOUBLE_EQ(r.F, 2.56);
    EXPECT_NEAR(r.FP, 0.144152873133, 1e-8);
    EXPECT_EQ(r.df, 20);
    EXPECT_NEAR(r.t, 2.86430649242, 1e-10);
    EXPECT_NEAR(r.p, 0.00958711973329, 1e-8);
    EXPECT_NEAR(r.LowerLimit, 1.08695497107, 2e-6);
    EXPECT_NEAR(r.UpperLimit, 6.91304502893, 2e-6);
    EXPECT_NEAR(r.HalfWidth, 2.91304502893, 2e-6);
    EXPECT_DOUBLE_EQ(r.Difference, 4.0);
    EXPECT_NEAR(r.StandardisedDifference, 1.22642276906, 1e-10);
    EXPECT_NEAR(r.WelchT, 2.74667149878, 1e-10);
    EXPECT_NEAR(r.WelchDF, 14.551470776, 1e-8);
    EXPECT_NEAR(r.WelchP, 0.0153276980364, 1e-8);
    EXPECT_NEAR(r.WelchLowerLimit, 0.887240946544, 2e-6);
    EXPECT_NEAR(r.WelchUpperLimit, 7.11275905346, 2e-6);
    EXPECT_NEAR(r.WelchHalfWidth, 3.11275905346, 2e-6);
}

TEST(TwoSampleTTest, EqualVariancesAndSizes)
{
    // n = 8 each, sd 3 each, means 10 and 12: Welch equals pooled, F = 1, F p = 1
    TTwoSampleTTest r;
    TwoSampleTTest(8, 8, r, 10.0, 3.0, 12.0, 3.0, 0.05);
    EXPECT_EQ(r.F, 1.0);
    EXPECT_NEAR(r.FP, 1.0, 1e-9);
    EXPECT_EQ(r.df, 14);
    EXPECT_DOUBLE_EQ(r.WelchDF, 14.0);
    EXPECT_NEAR(r.t, 1.33333333333, 1e-10);
    EXPECT_NEAR(r.p, 0.20371245254, 1e-8);
    EXPECT_NEAR(r.LowerLimit, -1.21718003188, 2e-6);
    EXPECT_NEAR(r.UpperLimit, 5.21718003188, 2e-6);
    EXPECT_NEAR(r.StandardisedDifference, 2.0 / 3.0, 1e-12);
    // a whole Welch df gives exactly the values for that df
    EXPECT_EQ(r.WelchP, r.p);
    EXPECT_EQ(r.WelchLowerLimit, r.LowerLimit);
    EXPECT_EQ(r.WelchUpperLimit, r.UpperLimit);
    EXPECT_EQ(r.WelchHalfWidth, r.HalfWidth);
}

TEST(TwoSampleTTest, SwappingSamplesChangesNothing)
{
    TTwoSampleTTest a;
    TTwoSampleTTest b;
    TwoSampleTTest(10, 12, a, 20.0, 4.0, 16.0, 2.5, 0.05);
    TwoSampleTTest(12, 10, b, 16.0, 2.5, 20.0, 4.0, 0.05);
    ExpectSameResult(a, b);
    TwoSampleTTest(5, 31, a, -1.5, 0.7, 2.25, 1.9, 0.01);
    TwoSampleTTest(31, 5, b, 2.25, 1.9, -1.5, 0.7, 0.01);
    ExpectSameResult(a, b);
}

TEST(TwoSampleTTest, EqualMeansGiveZeroTAndSymmetricLimits)
{
    TTwoSampleTTest r;
    TwoSampleTTest(15, 9, r, 5.0, 1.2, 5.0, 2.0, 0.05);
    EXPECT_EQ(r.t, 0.0);
    EXPECT_EQ(r.WelchT, 0.0);
    EXPECT_DOUBLE_EQ(r.p, 1.0);
    EXPECT_EQ(r.Difference, 0.0);
    EXPECT_EQ(r.LowerLimit, -r.UpperLimit);
    EXPECT_EQ(r.WelchLowerLimit, -r.WelchUpperLimit);
    EXPECT_GT(r.UpperLimit, 0.0);
}

TEST(TwoSampleTTest, ZeroDeviationsGiveNaNWelchFields)
{
    TTwoSampleTTest r;
    TwoSampleTTest(6, 7, r, 3.0, 0.0, 4.0, 0.0, 0.05);
    EXPECT_TRUE(std::isnan(r.WelchT));
    EXPECT_TRUE(std::isnan(r.WelchDF));
    EXPECT_TRUE(std::isnan(r.WelchP));
    EXPECT_TRUE(std::isnan(r.WelchLowerLimit));
    EXPECT_TRUE(std::isnan(r.WelchUpperLimit));
    EXPECT_TRUE(std::isnan(r.WelchHalfWidth));
    EXPECT_EQ(r.df, 11);
    EXPECT_EQ(r.Difference, 1.0);
    EXPECT_TRUE(std::isinf(r.t));
}

TEST(TwoSampleTTest, SamplesOfSizeOneDoNotFail)
{
    TTwoSampleTTest r;
    TwoSampleTTest(1, 1, r, 3.0, 0.0, 4.0, 0.0, 0.05);
    EXPECT_EQ(r.df, 0);
    EXPECT_TRUE(std::isnan(r.WelchP));
    TwoSampleTTest(1, 5, r, 3.0, 1.0, 4.0, 2.0, 0.05);
    EXPECT_EQ(r.df, 4);
    EXPECT_EQ(r.WelchDF, 0.0);  // one sample contributes an infinite term
    TwoSampleTTest(0, -3, r, 3.0, 1.0, 4.0, 2.0, 0.05);
    TwoSampleTTest(2147483647, 2147483647, r, 3.0, 1.0, 4.0, 2.0, 0.05);
    EXPECT_EQ(r.df, 2147483647);
}

TEST(StatisticsHelpers, NormalizeSum)
{
    std::vector<double> v{1.0, 1.0, 2.0};
    NormalizeSum(v, 2);
    EXPECT_EQ(v, (std::vector<double>{0.25, 0.25, 0.5}));

    std::vector<double> partial{1.0, 3.0, 10.0};
    NormalizeSum(partial, 1);
    EXPECT_EQ(partial, (std::vector<double>{0.25, 0.75, 10.0}));

    std::vector<double> untouched{1.0, 2.0};
    NormalizeSum(untouched, -1);
    EXPECT_EQ(untouched, (std::vector<double>{1.0, 2.0}));

    std::vector<double> pastEnd{2.0, 2.0};
    NormalizeSum(pastEnd, 9);
    EXPECT_EQ(pastEnd, (std::vector<double>{0.5, 0.5}));

    std::vector<double> zero{1.0, -1.0};
    NormalizeSum(zero, 1);
    EXPECT_TRUE(std::isnan(zero[0]) && std::isnan(zero[1]));
}

TEST(StatisticsHelpers, LinearInterpolate)
{
    EXPECT_DOUBLE_EQ(LinearInterpolate(2.5, 2.0, 10.0, 3.0, 20.0), 15.0);
    EXPECT_DOUBLE_EQ(LinearInterpolate(2.0, 2.0, 10.0, 3.0, 20.0), 10.0);
    EXPECT_DOUBLE_EQ(LinearInterpolate(4.0, 2.0, 10.0, 3.0, 20.0), 30.0);
}

TEST(TwoSampleTTest, FTestPOfALargerVarianceOnManyMoreDegreesOfFreedom)
{
    // F(100, 2) at 1.05 lies below its median: the lower tail is the smaller one
    TTwoSampleTTest r, swapped;
    TwoSampleTTest(101, 3, r, 5.0, std::sqrt(1.05), 4.0, 1.0, 0.05);
    TwoSampleTTest(3, 101, swapped, 4.0, 1.0, 5.0, std::sqrt(1.05), 0.05);
    EXPECT_NEAR(r.F, 1.05, 1e-12);
    EXPECT_NEAR(r.FP, 0.778585058145, 1e-8);
    EXPECT_EQ(swapped.FP, r.FP);
}
