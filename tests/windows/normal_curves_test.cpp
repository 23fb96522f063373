#include "windows/normal_curves.h"

#include <gtest/gtest.h>

#include <cmath>

// Reference values from R 4:
//   qnorm(0.95)                 = 1.64485362695147
//   pnorm((qnorm(0.95)-3)/1.5)  = 0.183148619173413
//   pnorm((qnorm(0.95)-2)/1.5)  = 0.406419844210583
//   qnorm(0.2)                  = -0.841621233572914
//   3 + 1.5*qnorm(0.2)          = 1.73756814964063
//   1 - pnorm(1.73756814964063) = 0.0411434680300296
//   1 - pnorm(1)                = 0.158655253931457
//   pnorm((1-3)/1.5)            = 0.0912112197258678
//   dnorm(1.96)                 = 0.0584409443334515
//   dnorm(0, 0, 1.5/sqrt(8))    = 0.752252778063675

namespace {

// InvNormal stops within a relative 1e-8 of p: quantiles agree with R to
// 2e-7, probabilities computed from them to 5e-8; NormalCDF itself to 1e-9.
constexpr double kQuantileTolerance = 2e-7;
constexpr double kProbabilityTolerance = 5e-8;
constexpr double kCdfTolerance = 1e-9;

TNormalCurve StandardCurve(std::uint8_t tails, double low, double high)
{
    TNormalCurve c;
    c.Mean = 0;
    c.SD = 1;
    c.XMin = -4;
    c.XMax = 4;
    c.Tails = tails;
    c.LowBound = low;
    c.HighBound = high;
    return c;
}

} // namespace

TEST(NormalCurveDensity, MatchesTheNormalDensity)
{
    EXPECT_NEAR(NormalCurveDensity(1.96, 0, 1), 0.0584409443334515, 1e-15);
    EXPECT_NEAR(NormalCurveDensity(0, 0, 1.5 / std::sqrt(8.0)), 0.752252778063675, 1e-14);
}

TEST(NormalCriterion, FromAlphaOnTheShiftedPreset)
{
    const TCriterionState s = CriterionFromAlpha(0.05, 0, 1, 3, 1.5);
    EXPECT_NEAR(s.Criterion, 1.64485362695147, kQuantileTolerance);
    EXPECT_NEAR(s.MirrorL, -1.64485362695147, kQuantileTolerance);
    EXPECT_NEAR(s.Beta, 0.183148619173413, kProbabilityTolerance);
    EXPECT_NEAR(1 - s.Beta, 0.816851380826587, kProbabilityTolerance);  // power
    // the mirror about the right mean
    EXPECT_NEAR(s.MirrorR, 3 + (3 - s.Criterion), 1e-12);
    EXPECT_EQ(s.Alpha, 0.05);
}

TEST(NormalCriterion, AlphaNearZeroOrOneHoldsFiveDeviations)
{
    EXPECT_DOUBLE_EQ(CriterionFromAlpha(0, 2, 0.5, 4, 1).Criterion, 4.5);
    EXPECT_DOUBLE_EQ(CriterionFromAlpha(0.99999, 2, 0.5, 4, 1).Criterion, -0.5);
    EXPECT_DOUBLE_EQ(CriterionFromBeta(0, 0, 1, 3, 1.5).Criterion, 3 - 7.5);
    EXPECT_DOUBLE_EQ(CriterionFromBeta(1, 0, 1, 3, 1.5).Criterion, 3 + 7.5);
}

TEST(NormalCriterion, FromBeta)
{
    const TCriterionState s = CriterionFromBeta(0.2, 0, 1, 3, 1.5);
    EXPECT_NEAR(s.Criterion, 1.73756814964063, kQuantileTolerance);
    EXPECT_NEAR(s.Alpha, 0.0411434680300296, kProbabilityTolerance);
    EXPECT_NEAR(s.MirrorL, -1.73756814964063, kQuantileTolerance);
    EXPECT_NEAR(s.MirrorR, 3 + (3 - s.Criterion), 1e-12);
}

TEST(NormalCriterion, FromTheCriterion)
{
    const TCriterionState s = TailsFromCriterion(1.0, 0, 1, 3, 1.5);
    EXPECT_NEAR(s.Alpha, 0.158655253931457, kCdfTolerance);
    EXPECT_NEAR(s.Beta, 0.0912112197258678, kCdfTolerance);
    EXPECT_DOUBLE_EQ(s.MirrorL, -1.0);
    EXPECT_DOUBLE_EQ(s.MirrorR, 5.0);
}

TEST(NormalTailPercent, WholeNumberInThreeCharacters)
{
    EXPECT_EQ(TailPercentText(0.406419844210583 * 100), " 41%");
    EXPECT_EQ(TailPercentText(5.000000000000001), "  5%");
    EXPECT_EQ(TailPercentText(100), "100%");
    EXPECT_EQ(TailPercentText(0), "  0%");
    EXPECT_EQ(TailPercentText(12.5), " 12%");  // halves to even
    EXPECT_EQ(TailPercentText(13.5), " 14%");
    EXPECT_EQ(TailPercentText(-20), "-20%");
}

TEST(NormalTailBounds, RightBoundsExchangedWhenTheCriterionPassesTheMirror)
{
    TNormalCurve c;
    c.Tails = 3;
    SetRightTailBounds(c, 4, 2);
    EXPECT_EQ(c.LowBound, 2);
    EXPECT_EQ(c.HighBound, 4);
    c.Tails = 2;
    SetRightTailBounds(c, 4, 2);
    EXPECT_EQ(c.LowBound, 4);
    EXPECT_EQ(c.HighBound, 2);
}

TEST(NormalTailBounds, LeftBothTailsBoundsExchangedWhenAlphaPassesOneHalf)
{
    // alpha 0.7 on a standard left curve: the criterion lies left of the mean
    const TCriterionState s = CriterionFromAlpha(0.7, 0, 1, 3, 1.5);
    ASSERT_LT(s.Criterion, 0);
    TNormalCurve c = StandardCurve(3, 0, 0);
    SetLeftTailBounds(c, s.Criterion, s.MirrorL);
    EXPECT_LT(c.LowBound, c.HighBound);
    EXPECT_EQ(c.LowBound, s.Criterion);
    EXPECT_EQ(c.HighBound, s.MirrorL);
    // the middle stays unshaded
    const std::vector<TCurvePoint> tail = TailSeriesPoints(c);
    EXPECT_EQ(tail[75].X, 0.0);
    EXPECT_EQ(tail[75].Y, 0.0);
    EXPECT_GT(tail[0].Y, 0.0);
    EXPECT_GT(tail[150].Y, 0.0);

    // a one-tail left record keeps mirror .. criterion
    c.Tails = 1;
    SetLeftTailBounds(c, s.Criterion, s.MirrorL);
    EXPECT_EQ(c.LowBound, s.MirrorL);
    EXPECT_EQ(c.HighBound, s.Criterion);
}

TEST(NormalCurvePoints, CurveHasTheStepsAndASharpPeak)
{
    TNormalCurve c = StandardCurve(0, 0, 0);
    const std::vector<TCurvePoint> points = CurveSeriesPoints(c);
    ASSERT_EQ(points.size(), 156u);
    EXPECT_EQ(points[0].X, -4.0);
    EXPECT_EQ(points[150].X, 4.0);
    EXPECT_DOUBLE_EQ(points[75].X, 0.0);
    EXPECT_EQ(points[151].X, 0.0);
    EXPECT_DOUBLE_EQ(points[152].X, -0.1);
    EXPECT_DOUBLE_EQ(points[155].X, 0.2);
    EXPECT_NEAR(points[151].Y, 0.398942280401433, 1e-15);  // R: dnorm(0)
}

TEST(NormalCurvePoints, NoTailsGiveNoTailPoints)
{
    EXPECT_TRUE(TailSeriesPoints(StandardCurve(0, -1, 1)).empty());
}

TEST(NormalCurvePoints, BothTailsOutsideTheBoundsWithVerticalEdges)
{
    const TNormalCurve c = StandardCurve(3, -1.96, 1.96);
    const std::vector<TCurvePoint> p = TailSeriesPoints(c);
    ASSERT_EQ(p.size(), 151u + 6u);
    for (int i = 0; i <= 150; ++i) {
        const double x = -4 + i / 150.0 * 8;
        EXPECT_DOUBLE_EQ(p[i].X, x);
        if (x > -1.96 && x < 1.96)
            EXPECT_EQ(p[i].Y, 0.0) << x;
        else
            EXPECT_DOUBLE_EQ(p[i].Y, NormalCurveDensity(x, 0, 1)) << x;
    }
    const double f = 0.0584409443334515;  // R: dnorm(1.96)
    EXPECT_EQ(p[151].X, -1.96);
    EXPECT_NEAR(p[151].Y, f, 1e-15);
    EXPECT_EQ(p[152].X, -1.96 - 0.0001);
    EXPECT_NEAR(p[152].Y, f, 1e-15);
    EXPECT_EQ(p[153].X, -1.96 + 0.0001);
    EXPECT_EQ(p[153].Y, 0.0);
    EXPECT_EQ(p[154].X, 1.96);
    EXPECT_NEAR(p[154].Y, f, 1e-15);
    EXPECT_EQ(p[155].X, 1.96 - 0.0001);
    EXPECT_EQ(p[155].Y, 0.0);
    EXPECT_EQ(p[156].X, 1.96 + 0.0001);
    EXPECT_NEAR(p[156].Y, f, 1e-15);
}

TEST(NormalCurvePoints, OneTailEachSide)
{
    const std::vector<TCurvePoint> left = TailSeriesPoints(StandardCurve(1, -1, 1));
    ASSERT_EQ(left.size(), 154u);
    EXPECT_GT(left[0].Y, 0.0);
    EXPECT_EQ(left[150].Y, 0.0);
    EXPECT_EQ(left[153].X, -1 + 0.0001);

    const std::vector<TCurvePoint> right = TailSeriesPoints(StandardCurve(2, -1, 1));
    ASSERT_EQ(right.size(), 154u);
    EXPECT_EQ(right[0].Y, 0.0);
    EXPECT_GT(right[150].Y, 0.0);
    EXPECT_EQ(right[151].X, 1.0);
    EXPECT_EQ(right[152].Y, 0.0);
}
