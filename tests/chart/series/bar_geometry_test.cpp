// Expected widths and offsets computed in Python in the order the rules are
// written, e.g. python3 -c "w=round(70*0.01*(600//7))//2; print(w+(w%2))"
// (Python's round also halves to even).
#include "chart/series/bar_geometry.h"

#include <gtest/gtest.h>

namespace {

struct WidthCase {
    TBarWidthInput In;
    int Expected;
};

class BarWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(BarWidth, ComputedInDoubleInTheRulesOrder)
{
    EXPECT_EQ(CalcBarWidth(GetParam().In), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BarWidth,
    ::testing::Values(
        // 6 points and a side margin: slot 600 div 7 = 85; 0.7 * 85 = 59.50000000000001 -> 60
        WidthCase{{0, 7, 1, 70, false, 600, 0, 0}, 60},
        WidthCase{{0, 7, 2, 70, false, 600, 0, 0}, 30},
        // slot 45; 0.85 * 45 = 38.25 -> 38 div 3 = 12
        WidthCase{{0, 11, 3, 85, false, 500, 0, 0}, 12},
        // 7 becomes 8
        WidthCase{{0, 1, 1, 70, false, 10, 0, 0}, 8},
        // 0.25 * 54 = 13.5 -> 14; 0.25 * 50 = 12.5 -> 12 (halves to even)
        WidthCase{{0, 1, 1, 25, false, 54, 0, 0}, 14},
        WidthCase{{0, 1, 1, 25, false, 50, 0, 0}, 12},
        // automatic: slot Round(400 / (2 + 8 - 0)) = 40 -> 28
        WidthCase{{0, 5, 1, 70, true, 400, 0, 8}, 28},
        // a custom width wins, odd or not
        WidthCase{{13, 7, 2, 70, false, 600, 0, 0}, 13},
        // no slots yet
        WidthCase{{0, 0, 1, 70, false, 600, 0, 0}, 0},
        WidthCase{{0, -1, 1, 70, false, 600, 0, 0}, 0}));

// Asked before the layout has counted the bars: no division by zero.
TEST(BarWidthBeforeLayout, UnknownNumberOfBarsCountsOne)
{
    EXPECT_EQ(CalcBarWidth({0, 7, 0, 70, false, 600, 0, 0}), 60);
    EXPECT_EQ(CalcBarWidth({0, 5, 0, 70, true, 400, 5, 3}), 0);
}

TEST(BarSlotOffset, SideBySideAndCentred)
{
    // one series: centred, X - BarWidth div 2
    EXPECT_EQ(BarSlotOffset(mbSide, 60, 1, 1), -30);
    // two series: X - BarWidth and X
    EXPECT_EQ(BarSlotOffset(mbSide, 30, 1, 2), -30);
    EXPECT_EQ(BarSlotOffset(mbSide, 30, 2, 2), 0);
    // three: Round((order - 1.5 - 1) * 12)
    EXPECT_EQ(BarSlotOffset(mbStacked, 12, 1, 3), -18);
    EXPECT_EQ(BarSlotOffset(mbStacked100, 12, 2, 3), -6);
    EXPECT_EQ(BarSlotOffset(mbSide, 12, 3, 3), 6);
    EXPECT_EQ(BarSlotOffset(mbNone, 13, 2, 3), -6);
    EXPECT_EQ(BarSlotOffset(mbSideAll, 12, 2, 3), -6);
    // Round(25 * 30 * 0.01) = Round(7.5) = 8; Round(15 * 10 * 0.01) = 2
    EXPECT_EQ(BarPercentOffset(25, 30), 8);
    EXPECT_EQ(BarPercentOffset(-25, 30), -8);
    EXPECT_EQ(BarPercentOffset(15, 10), 2);
    EXPECT_EQ(BarPercentOffset(0, 30), 0);
    // a fixed width far beyond the chart: the whole width, or half of it, the other way
    EXPECT_EQ(BarPercentOffset(100, 30'000'000), 30'000'000);
    EXPECT_EQ(BarPercentOffset(-50, 30'000'000), -15'000'000);
    // a percent beyond reason stays a shift far off the chart, on its side
    EXPECT_GE(BarPercentOffset(2147483647, 30'000'000), 30'000'000);
    EXPECT_LE(BarPercentOffset(-2147483647 - 1, 30'000'000), -30'000'000);
}

TEST(BarSideMargin, ByModeAndSideMargins)
{
    EXPECT_EQ(BarSideMargin(30, 2, mbSide, true), 60);
    EXPECT_EQ(BarSideMargin(30, 2, mbSide, false), 30);
    EXPECT_EQ(BarSideMargin(30, 2, mbSideAll, true), 30);
    EXPECT_EQ(BarSideMargin(30, 2, mbSideAll, false), 15);
}

TEST(BarLayout, ThreeSideSeriesInListOrder)
{
    const TBarSeriesSlot s[] = {{true, 4, mbSide, 0}, {true, 4, mbSide, 0}, {true, 4, mbSide, 0}};
    for (int k = 0; k < 3; ++k) {
        const TBarLayout l = CalcBarLayout(s, k, true, 0);
        EXPECT_EQ(l.NumBars, 3);
        EXPECT_EQ(l.BarOrder, k + 1);
        EXPECT_EQ(l.PointsBefore, 4 * k);
        // n points leave n + 1 slots
        EXPECT_EQ(l.MaxBarPoints, 5);
    }
}

TEST(BarLayout, InactiveSeriesAreNotCounted)
{
    const TBarSeriesSlot s[] = {{true, 4, mbSide, 0}, {false, 9, mbSide, 0}, {true, 3, mbSide, 0}};
    const TBarLayout l = CalcBarLayout(s, 2, false, 0);
    EXPECT_EQ(l.NumBars, 2);
    EXPECT_EQ(l.BarOrder, 2);
    EXPECT_EQ(l.PointsBefore, 4);
    EXPECT_EQ(l.MaxBarPoints, 4);
}

TEST(BarLayout, TwoStackGroupsFormTwoStacks)
{
    const TBarSeriesSlot s[] = {{true, 3, mbStacked, 0}, {true, 3, mbStacked, 1}, {true, 3, mbStacked, 0},
                                {true, 3, mbStacked, 1}};
    EXPECT_EQ(CalcBarLayout(s, 0, true, 0).BarOrder, 1);
    EXPECT_EQ(CalcBarLayout(s, 1, true, 0).BarOrder, 2);
    EXPECT_EQ(CalcBarLayout(s, 2, true, 0).BarOrder, 1);
    const TBarLayout l = CalcBarLayout(s, 3, true, 0);
    EXPECT_EQ(l.BarOrder, 2);
    EXPECT_EQ(l.NumBars, 2);
}

TEST(BarLayout, SelfStackOneColumnPerSeries)
{
    const TBarSeriesSlot s[] = {{true, 3, mbSelfStack, 0}, {true, 5, mbSelfStack, 0}};
    const TBarLayout l = CalcBarLayout(s, 1, true, 0);
    EXPECT_EQ(l.NumBars, 1);
    EXPECT_EQ(l.MaxBarPoints, 1);
    EXPECT_EQ(CalcBarLayout(s, 1, true, 10).MaxBarPoints, 10);
}

TEST(BarRight, TouchingBarsAndTheLastBar)
{
    TBarRightInput in;
    in.Left = 100;
    in.BarWidth = 42;
    EXPECT_EQ(BarRight(in), 143);
    in.Touching = true;
    in.HasNext = true;
    in.NextLeft = 160;
    in.PenWidth = 1;
    EXPECT_EQ(BarRight(in), 161);
    in.PenWidth = 2;
    EXPECT_EQ(BarRight(in), 160);
    in.HasNext = false;
    EXPECT_EQ(BarRight(in), 142);
    in.AxisInverted = true;
    in.IsFirst = true;
    EXPECT_EQ(BarRight(in), 144);
    in.IsFirst = false;
    in.PreviousLeft = 58;
    EXPECT_EQ(BarRight(in), 58);
}

TEST(BarDepth, PercentShrinksBothEnds)
{
    // DepthPercent 50: a quarter of the depth on each side
    EXPECT_EQ(BarDepthInset(10, 40, 50), 8);
    EXPECT_EQ(BarDepthInset(0, 33, 70), 5);
    EXPECT_EQ(BarDepthInset(0, 33, 100), 0);
}

TEST(RelativeGradient, ColourByValue)
{
    // halfway from white to red: 255 + Round(-127.5) = 127 in green and blue
    EXPECT_EQ(RelativeGradientColor(0xFFFFFF, 0x0000FF, 5, 0, 10), 0x7F7FFFu);
    EXPECT_EQ(RelativeGradientColor(0xFFFFFF, 0x0000FF, 10, 0, 10), 0x0000FFu);
    EXPECT_EQ(RelativeGradientColor(0xFFFFFF, 0x0000FF, 0, 0, 10), 0xFFFFFFu);
}

TEST(RelativeGradient, EqualEndsAndValuesOutsideStayInRange)
{
    EXPECT_EQ(RelativeGradientColor(0xFFFFFF, 0x336699, 4, 4, 4), 0x336699u);
    EXPECT_EQ(RelativeGradientColor(0xFFFFFF, 0x336699, -5, 0, 10), 0xFFFFFFu);
    EXPECT_EQ(RelativeGradientColor(0x000000, 0xFFFFFF, 20, 0, 10), 0xFFFFFFu);
}

}  // namespace
