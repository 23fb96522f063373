#include "chart/series/candle_series.h"

#include <gtest/gtest.h>

#include "chart/chart.h"

namespace {

TEST(CandleSeries, Defaults)
{
    TCandleSeries s;
    EXPECT_EQ(s.CandleStyle(), csCandleStick);
    EXPECT_EQ(s.CandleWidth(), 4);
    EXPECT_EQ(s.ColorStyle(), cssRelativeToOpen);
    EXPECT_EQ(s.UpCloseColor(), 0xFFFFFFu);
    EXPECT_EQ(s.DownCloseColor(), 255u);
    EXPECT_FALSE(s.UpCloseGradient().Visible());
    EXPECT_EQ(s.HighLowPen().Color(), clDefault);
    EXPECT_TRUE(s.ShowOpenTick());
    EXPECT_TRUE(s.ShowCloseTick());
    EXPECT_TRUE(s.Pointer().Visible());
    EXPECT_FALSE(s.Pointer().Draw3D());
    EXPECT_TRUE(s.Pointer().Dark3D());
    EXPECT_EQ(s.EditorClassName(), "TCandleEditor");
}

TEST(CandleSeries, LineStyleHidesThePointerAndUsesCloses)
{
    TCandleSeries s;
    s.AddOHLC(0, 10, 15, 5, 12);
    s.SetCandleStyle(csLine);
    EXPECT_FALSE(s.Pointer().Visible());
    EXPECT_EQ(s.MaxYValue(), 12);
    EXPECT_EQ(s.MinYValue(), 12);
    s.SetCandleStyle(csOpenClose);
    EXPECT_TRUE(s.Pointer().Visible());
    EXPECT_EQ(s.MaxYValue(), 15);
}

TEST(CandleSeries, ColourRelativeToOpen)
{
    TCandleSeries s;
    s.AddOHLC(0, 10, 12, 9, 10);  // flat first: up
    s.AddOHLC(1, 10, 12, 9, 11);  // up
    s.AddOHLC(2, 12, 13, 9, 10);  // down
    s.AddOHLC(3, 10, 13, 9, 10);  // flat, close as before: as point 2
    s.AddOHLC(4, 11, 13, 9, 11);  // flat, close higher: up
    EXPECT_EQ(s.CandleColor(0), 0xFFFFFFu);
    EXPECT_EQ(s.CandleColor(1), 0xFFFFFFu);
    EXPECT_EQ(s.CandleColor(2), 255u);
    EXPECT_EQ(s.CandleColor(3), 255u);
    EXPECT_EQ(s.CandleColor(4), 0xFFFFFFu);
    s.SetValueColor(2, 0x123456);
    EXPECT_EQ(s.CandleColor(2), 0x123456u);
}

TEST(CandleSeries, ColourRelativeToClose)
{
    TCandleSeries s;
    s.SetColorStyle(cssRelativeToClose);
    s.AddOHLC(0, 12, 13, 9, 10);  // first point: by open, down
    s.AddOHLC(1, 12, 13, 9, 11);  // close rose
    s.AddOHLC(2, 9, 13, 9, 11);   // equal close: as point 1, though above its open
    s.AddOHLC(3, 9, 13, 8, 10);   // close fell, though above its open
    EXPECT_EQ(s.CandleColor(0), 255u);
    EXPECT_EQ(s.CandleColor(1), 0xFFFFFFu);
    EXPECT_EQ(s.CandleColor(2), 0xFFFFFFu);
    EXPECT_EQ(s.CandleColor(3), 255u);
}

TEST(CandleSeries, LegendShapeInABox)
{
    // width 20 (even): dx = 3, dy = 2, mid one left of the centre
    TCandleLegendShape s = CandleLegendShape(TRect{10, 20, 30, 30});
    EXPECT_EQ(s.Body, (TRect{13, 22, 27, 28}));
    EXPECT_EQ(s.Mid, 19);
    EXPECT_EQ(s.UpperTop, 19);
    EXPECT_EQ(s.UpperBottom, 22);
    EXPECT_EQ(s.LowerTop, 30);
    EXPECT_EQ(s.LowerBottom, 26);
    // width 15 (odd): dx = 2, dy = 1
    s = CandleLegendShape(TRect{0, 0, 15, 9});
    EXPECT_EQ(s.Body, (TRect{2, 1, 13, 8}));
    EXPECT_EQ(s.Mid, 7);
}

TEST(CandleSeries, HalfWidths)
{
    EXPECT_EQ(CandleLeftWidth(4), 2);
    EXPECT_EQ(CandleRightWidth(4), 2);
    EXPECT_EQ(CandleLeftWidth(5), 2);
    EXPECT_EQ(CandleRightWidth(5), 3);
}

TEST(CandleSeries, SubGallery)
{
    TCandleSeries s;
    std::vector<std::string> captions;
    s.CreateSubGallery(captions);
    EXPECT_EQ(captions, (std::vector<std::string>{"Normal", "Bar", "No Open", "No Close", "No Border", "Line"}));
    s.SetSubGallery(2);
    EXPECT_EQ(s.CandleStyle(), csCandleBar);
    EXPECT_FALSE(s.ShowOpenTick());
    s.SetSubGallery(4);
    EXPECT_EQ(s.CandleStyle(), csCandleStick);
    EXPECT_FALSE(s.Pointer().Pen()->Visible());
}

}  // namespace

namespace {

TEST(CandleSeries, GalleryPreview)
{
    TCandleSeries enabled;
    enabled.PrepareForGallery(true);
    EXPECT_EQ(enabled.Count(), 4);
    EXPECT_EQ(enabled.Pointer().Pen()->Width(), 2);
    EXPECT_EQ(enabled.CandleWidth(), 12);
    EXPECT_EQ(enabled.UpCloseColor(), 0xFFFFFFu);
    TCandleSeries disabled;
    disabled.PrepareForGallery(false);
    EXPECT_EQ(disabled.UpCloseColor(), 0xC0C0C0u);
    EXPECT_EQ(disabled.DownCloseColor(), 0x808080u);
    EXPECT_EQ(disabled.Pointer().Pen()->Color(), 0x808080u);
}

TEST(CandleSeries, ChartThreeDViewTakesTheChartsDefaultColours)
{
    TChart chart;
    chart.SetColorPalette({0x000011, 0x000022, 0x000033, 0x000044, 0x000055});
    auto* candle = new TCandleSeries;
    chart.AddSeries(candle);
    chart.SetView3D(false);
    candle->SetChartView3D(true);
    EXPECT_TRUE(chart.View3D());
    EXPECT_EQ(candle->DownCloseColor(), 0x000011u);
    EXPECT_EQ(candle->UpCloseColor(), 0x000055u);
    chart.RemoveSeries(candle);
    delete candle;
    // without a chart nothing changes
    TCandleSeries alone;
    alone.SetChartView3D(true);
    EXPECT_EQ(alone.UpCloseColor(), 0xFFFFFFu);
    EXPECT_EQ(alone.DownCloseColor(), 0x0000FFu);
}

}  // namespace
