// Stacking of line-family series: origins, the 100 % total and extremes.
#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/series/custom_series.h"

namespace {

struct CustomSeriesStack : ::testing::Test {
    TCustomAxisPanel chart;
    TCustomSeries* a = nullptr;
    TCustomSeries* b = nullptr;
    void SetUp() override
    {
        a = new TCustomSeries(&chart);
        b = new TCustomSeries(&chart);
        chart.AddSeries(a);
        chart.AddSeries(b);
    }
};

TEST_F(CustomSeriesStack, HundredPercentTotalIncludesEverySeries)
{
    a->Add(2);
    b->Add(1);
    a->SetStacked(cssStack100);
    EXPECT_EQ(b->Stacked(), cssStack100);
    EXPECT_EQ(b->PointOrigin(0, false), 2);
    // the total is 3 for both, so the second series tops out at 100 %, not 150 %
    EXPECT_EQ(a->PointOrigin(0, true), 3);
    EXPECT_EQ(b->PointOrigin(0, true), 3);
    EXPECT_EQ(b->MaxYValue(), 100);
    EXPECT_EQ(b->MinYValue(), 0);
}

TEST_F(CustomSeriesStack, SignsStackApartAndRaiseTheMaximum)
{
    a->Add(2);
    a->Add(-4);
    b->Add(1);
    b->Add(-1);
    b->SetStacked(cssStack);
    EXPECT_EQ(b->PointOrigin(0, false), 2);
    EXPECT_EQ(b->PointOrigin(1, false), -4);
    EXPECT_EQ(b->MaxYValue(), 3);
    EXPECT_EQ(b->MinYValue(), -5);
}

TEST(CustomSeries, NullsCountInExtremesOnlyWhenIgnored)
{
    TCustomSeries s;
    s.Add(1);
    s.Add(50, "", clNone);
    EXPECT_EQ(s.MaxYValue(), 1);
    s.SetTreatNulls(tnIgnore);
    EXPECT_EQ(s.MaxYValue(), 50);
}

}  // namespace

namespace {

// The X values are checked to the last point, beyond the first 10,000.
TEST(SequentialX, EveryPointCounts)
{
    TCustomSeries s;
    for (int i = 0; i < 20000; ++i)
        s.AddXY(i, 1);
    EXPECT_FALSE(s.HasNonSequentialX());
    s.XValues().SetValue(15000, 15000.5);
    EXPECT_TRUE(s.HasNonSequentialX());
}

}  // namespace
