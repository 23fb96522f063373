// Histogram bars: rectangles for given axis pixels, paging, inverted axes,
// hit tests at the bar boundaries, margins and the gallery.
#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/series/histogram_series.h"

namespace {

// Plot rectangle 100..500 x 50..350; bottom axis -0.5..9.5 (40 px a unit),
// left axis 0..100 (3 px a unit).
struct HistogramChart : ::testing::Test {
    TCustomAxisPanel chart;
    THistogramSeries* series = nullptr;

    void SetUp() override
    {
        series = new THistogramSeries(&chart);
        chart.AddSeries(series);
    }
    void Layout()
    {
        chart.ChartRect = TRect{100, 50, 500, 350};
        chart.BottomAxis()->SetAutomatic(false);
        chart.BottomAxis()->SetMinMax(-0.5, 9.5);
        chart.LeftAxis()->SetAutomatic(false);
        chart.LeftAxis()->SetMinMax(0, 100);
        Scale();
    }
    void Scale()
    {
        for (TChartAxis* a : {chart.BottomAxis(), chart.LeftAxis()}) {
            a->SetStartEnd();
            a->AdjustMaxMin();
        }
        series->CalcFirstLastVisible();
    }
    void Fill(int N)
    {
        for (int i = 0; i < N; ++i)
            series->AddXY(i, 10 * (i + 1));
    }
};

TEST_F(HistogramChart, BarsStandEdgeToEdge)
{
    Fill(10);
    Layout();
    ASSERT_EQ(series->CalcXPos(0), 120);
    EXPECT_EQ(series->HalfWidth(), 20);
    // the first bar: 2h wide from x - h + 1
    EXPECT_EQ(series->CalcBarRect(0), (TRect{101, 320, 141, chart.LeftAxis()->EndPos()}));
    // the next starts on the last column of the previous one
    EXPECT_EQ(series->CalcBarRect(1), (TRect{140, 290, 181, chart.LeftAxis()->EndPos()}));
    EXPECT_EQ(series->CalcBarRect(9), (TRect{460, 50, 501, chart.LeftAxis()->EndPos()}));
}

TEST_F(HistogramChart, OnePointIsTwoHalfWidthsWide)
{
    Fill(1);
    Layout();
    // N = 1: h = 400 / 1 / 2
    EXPECT_EQ(series->HalfWidth(), 200);
    const TRect r = series->CalcBarRect(0);
    EXPECT_EQ(r.Left, 120 - 200 + 1);
    EXPECT_EQ(r.Right - r.Left, 400);
}

TEST_F(HistogramChart, PagedChartSizesBarsByThePage)
{
    Fill(10);
    chart.Pages().SetMaxPointsPerPage(4);
    Layout();
    EXPECT_EQ(series->BarCount(), 4);
    EXPECT_EQ(series->HalfWidth(), 50);
}

TEST_F(HistogramChart, UnevenSpacingStillTouches)
{
    series->AddXY(0, 10);
    series->AddXY(1, 10);
    series->AddXY(4, 10);
    Layout();
    const TRect a = series->CalcBarRect(1);
    const TRect b = series->CalcBarRect(2);
    EXPECT_EQ(b.Left, a.Right - 1);
}

TEST_F(HistogramChart, InvertedAxisBarsFillTheirSlots)
{
    Fill(10);
    chart.BottomAxis()->SetInverted(true);
    Layout();
    ASSERT_EQ(series->CalcXPos(9), 120);
    // the leftmost bar is point 9; each bar starts on its left neighbour's last column
    EXPECT_EQ(series->CalcBarRect(9).Left, 101);
    EXPECT_EQ(series->CalcBarRect(9).Right, 141);
    EXPECT_EQ(series->CalcBarRect(8).Left, 140);
    EXPECT_EQ(series->CalcBarRect(8).Right, 181);
    for (int i = 0; i < 10; ++i)
        EXPECT_GT(series->CalcBarRect(i).Width(), 0) << i;
    // hit tests agree with the rectangles, whatever order they are asked in
    EXPECT_EQ(series->Clicked(101, 340), 9);
    EXPECT_EQ(series->Clicked(141, 340), 8);
    EXPECT_EQ(series->Clicked(495, 340), 0);
}

TEST_F(HistogramChart, ClickAtTheBoundaries)
{
    Fill(10);
    Layout();
    // right and bottom edges belong to the bar; the shared column to the first
    EXPECT_EQ(series->Clicked(101, 340), 0);
    EXPECT_EQ(series->Clicked(100, 340), -1);
    EXPECT_EQ(series->Clicked(140, 340), 0);
    EXPECT_EQ(series->Clicked(141, 340), 0);
    EXPECT_EQ(series->Clicked(142, 340), 1);
    EXPECT_EQ(series->Clicked(130, 319), -1);
    EXPECT_EQ(series->Clicked(130, 320), 0);
}

TEST_F(HistogramChart, NoPointsNoClick)
{
    Layout();
    EXPECT_EQ(series->CalcBarRect(0), TRect{});
    EXPECT_EQ(series->Clicked(200, 200), -1);
}

TEST_F(HistogramChart, Margins)
{
    Fill(10);
    Layout();
    int l, r, t, b;
    series->GetHorizMargins(l, r);
    EXPECT_EQ(l, 20);
    EXPECT_EQ(r, 20 + series->Pen().Width());
    series->GetVertMargins(t, b);
    EXPECT_EQ(t, series->Pen().Width());
    EXPECT_EQ(b, 0);
    series->Pen().Hide();
    series->GetHorizMargins(l, r);
    EXPECT_EQ(r, 20);
}

TEST_F(HistogramChart, VisibleRangeTakesTheCutBars)
{
    Fill(10);
    chart.ChartRect = TRect{100, 50, 500, 350};
    chart.BottomAxis()->SetAutomatic(false);
    chart.BottomAxis()->SetMinMax(2.5, 6.5);
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(0, 100);
    Scale();
    EXPECT_EQ(series->FirstValueIndex(), 2);
    EXPECT_EQ(series->LastValueIndex(), 7);
}

TEST(HistogramSeries, Gallery)
{
    THistogramSeries s;
    std::vector<std::string> captions;
    s.CreateSubGallery(captions);
    EXPECT_EQ(captions, (std::vector<std::string>{"Normal", "Hollow", "No Border", "Lines", "Transparency"}));
    s.SetSubGallery(1);
    EXPECT_EQ(s.Brush().Style(), bsClear);
    s.SetSubGallery(2);
    EXPECT_FALSE(s.Pen().Visible());
    s.SetSubGallery(3);
    EXPECT_TRUE(s.LinesPen().Visible());
    s.SetSubGallery(4);
    EXPECT_EQ(s.Transparency(), 30);
}

TEST(HistogramSeries, AssignCopiesOnlyFromHistograms)
{
    THistogramSeries a, b;
    a.SetTransparency(25);
    a.LinesPen().Show();
    b.Assign(a);
    EXPECT_EQ(b.Transparency(), 25);
    EXPECT_TRUE(b.LinesPen().Visible());
    THorizHistogramSeries h;
    EXPECT_FALSE(h.YMandatory());
    EXPECT_EQ(h.YValues().Order(), loAscending);
    EXPECT_EQ(h.XValues().Order(), loNone);
    EXPECT_EQ(THistogramSeries().EditorClassName(), "THistogramSeriesEditor");
}

}  // namespace
