// Stacking of line-family series: origins, the 100 % total and extremes; 3D
// ribbons, line heights, stairs and area end caps; gradient-filled areas.
#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/series/area_series.h"
#include "chart/series/custom_series.h"
#include "chart/series/line_series.h"
#include "series_chart.h"

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

namespace {

using Calls = std::vector<std::string>;

// The chart of SeriesChart in 3D with no depth: projections leave points where
// they are, so faces show as polygons with repeated corners. A series in
// 0x804020; 64 darker per channel is 0x400000.
struct CustomSeries3D : ::testing::Test {
    SeriesChart c;
    template <typename T>
    T* Add()
    {
        auto* s = new T(&c.rec.chart);
        c.rec.chart.AddSeries(s);
        s->SetSeriesColor(0x804020);
        s->AddXY(0, 0);   // (100,350)
        s->AddXY(1, 90);  // (140,80)
        s->AddXY(2, 80);  // (180,110)
        return s;
    }
    // The polygons and brush selections of one draw of S.
    Calls Draw(TChartSeries* S, bool View3D = true)
    {
        c.rec.chart.SetView3D(View3D);
        c.Draw([&] {
            S->CalcFirstLastVisible();
            S->DrawAllValues();
        });
        return c.Calls({"Polygon", "SelectBrush"});
    }
};

TEST_F(CustomSeries3D, RisingRibbonIsDarkenedAndLineHeightAddsFacesAndAnEnd)
{
    auto* s = Add<TLineSeries>();
    s->SetLineHeight(5);
    EXPECT_EQ(Draw(s), (Calls{
                           "SelectBrush(solid 0x804020)",
                           "Polygon(140,80 100,350 100,355 140,85)",  // front face, 5 high
                           "SelectBrush(solid 0x400000)",             // steeper than the 3D offset
                           "Polygon(100,350 140,80 140,80 100,350)",
                           "SelectBrush(solid 0x804020)",
                           "Polygon(180,110 140,80 140,85 180,115)",
                           "Polygon(180,110 180,110 180,115 180,115)",  // the end at the last point
                           "Polygon(140,80 180,110 180,110 140,80)",
                       }));
}

TEST_F(CustomSeries3D, WithoutDark3DTheRibbonKeepsItsColour)
{
    auto* s = Add<TLineSeries>();
    s->SetDark3D(false);
    for (const std::string& call : Draw(s))
        EXPECT_EQ(call.find("0x400000"), std::string::npos) << call;
}

TEST_F(CustomSeries3D, StairRisersAreDarkened)
{
    auto* s = Add<TLineSeries>();
    s->Delete(2);
    s->SetStairs(true);
    EXPECT_EQ(Draw(s), (Calls{
                           "SelectBrush(solid 0x804020)",
                           "Polygon(100,350 140,350 140,350 100,350)",  // the step at the old height
                           "SelectBrush(solid 0x400000)",
                           "Polygon(140,350 140,350 140,80 140,80)",  // then the riser
                       }));
    s->SetInvertedStairs(true);
    EXPECT_EQ(Draw(s), (Calls{
                           "Polygon(100,350 100,350 100,80 100,80)",  // the riser first
                           "SelectBrush(solid 0x804020)",
                           "Polygon(100,80 140,80 140,80 100,80)",
                       }));
}

TEST_F(CustomSeries3D, AreaHasARibbonOnTopAndADarkEndCapAtTheLastPoint)
{
    auto* s = Add<TAreaSeries>();
    EXPECT_EQ(Draw(s), (Calls{
                           "SelectBrush(solid 0x400000)",
                           "Polygon(100,350 140,80 140,80 100,350)",
                           "SelectBrush(solid 0x804020)",
                           "Polygon(100,350 140,80 140,350 100,350)",
                           "Polygon(140,80 180,110 180,110 140,80)",
                           "SelectBrush(solid 0x400000)",
                           "Polygon(180,110 180,110 180,350 180,350)",  // end cap
                           "SelectBrush(solid 0x804020)",
                           "Polygon(140,80 180,110 180,350 140,350)",
                       }));
}

TEST_F(CustomSeries3D, AreaEndCapsBesideANullPoint)
{
    auto* s = Add<TAreaSeries>();
    s->AddNullXY(3, 0);
    s->AddXY(4, 50);
    s->AddXY(5, 50);
    const Calls calls = Draw(s);
    // the piece before the null closes at x = 180, the piece after it opens at x = 260
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Polygon(180,110 180,110 180,350 180,350)"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Polygon(260,200 260,200 260,350 260,350)"), calls.end());
}

TEST_F(CustomSeries3D, GradientAreaFillsFromTheLargestValueDownToTheOrigin)
{
    auto* s = Add<TAreaSeries>();
    s->Gradient().SetVisible(true);
    s->Gradient().SetEndColor(clWhite);
    Draw(s, false);
    const auto lines = c.rec.device.Lines();
    const auto at = [&](const std::string& prefix) {
        return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    // clipped to the first piece; the bands run from the origin (bottom row
    // 349, the series colour) up to the row of the largest value, 90 -> 80
    const auto clip = at("ExtSelectClipRgn(polygon(100,350 140,80 140,350 100,350),and)");
    ASSERT_NE(clip, lines.end());
    const auto first = std::find_if(clip, lines.end(), [](const std::string& l) { return l.rfind("PatBlt(", 0) == 0; });
    ASSERT_NE(first, lines.end());
    EXPECT_EQ(*first, "PatBlt(100,349,40,1,PatCopy)");
    EXPECT_EQ(*std::prev(first), "SetDCBrushColor(0x804020)");
    auto unclip = std::find(first, lines.end(), std::string("SelectClipRgn(none)"));
    ASSERT_NE(unclip, lines.end());
    std::string last;
    for (auto it = first; it != unclip; ++it)
        if (it->rfind("PatBlt(", 0) == 0)
            last = *it;
    EXPECT_EQ(last.rfind("PatBlt(100,80,40,", 0), 0u) << last;
    // no plain polygon fill, and the gradient's own colours stay
    EXPECT_EQ(at("Polygon("), lines.end());
    EXPECT_EQ(s->Gradient().StartColor(), clWhite);
}

}  // namespace
