// Candle, volume and Darvas drawing through the recording device (bottom axis
// 0..10 at 40 px a unit from x = 100, left 0..100 at 3 px a unit up from y = 350),
// and the perimeter function's hull in axis values.
#include <gtest/gtest.h>

#include "chart/series/candle_series.h"
#include "chart/series/darvas_series.h"
#include "chart/series/perimeter_function.h"
#include "chart/series/volume_series.h"
#include "series_chart.h"

namespace {

using Calls = std::vector<std::string>;

struct FinancialDraw : ::testing::Test {
    SeriesChart c;
    template <typename T>
    T* Add()
    {
        auto* s = new T(&c.rec.chart);
        c.rec.chart.AddSeries(s);
        return s;
    }
    Calls DrawAll(std::initializer_list<const char*> Names) { return c.DrawAllSeries(Names); }
};

TEST_F(FinancialDraw, CandleStickWickAndBody)
{
    auto* s = Add<TCandleSeries>();
    s->AddOHLC(2, 20, 50, 10, 40);
    // x = 180; open 290, close 230, high 200, low 320; width 4: 178..182 (+1 in 2D)
    const Calls calls = DrawAll({"MoveTo", "LineTo", "Rectangle"});
    EXPECT_EQ(calls, (Calls{"MoveTo(180,320)", "LineTo(180,200)", "Rectangle(178,290,183,230)"}));
}

TEST_F(FinancialDraw, CandleBodyWithoutOutlineLosesItsLeftColumn)
{
    auto* s = Add<TCandleSeries>();
    s->AddOHLC(2, 20, 50, 10, 40);
    s->Pointer().Pen()->Hide();
    EXPECT_EQ(DrawAll({"Rectangle"}), (Calls{"Rectangle(179,290,183,230)"}));
}

TEST_F(FinancialDraw, CandleClickedOnWickAndBody)
{
    auto* s = Add<TCandleSeries>();
    s->AddOHLC(2, 20, 50, 10, 40);
    DrawAll({});
    EXPECT_EQ(s->Clicked(180, 205), 0);  // upper wick
    EXPECT_EQ(s->Clicked(178, 260), 0);  // body
    EXPECT_EQ(s->Clicked(185, 260), -1);
    EXPECT_EQ(s->Clicked(180, 190), -1);  // above the high
}

TEST_F(FinancialDraw, CandleBarTicks)
{
    auto* s = Add<TCandleSeries>();
    s->SetCandleStyle(csCandleBar);
    s->AddOHLC(2, 20, 50, 10, 40);
    EXPECT_EQ(DrawAll({"MoveTo", "LineTo"}), (Calls{"MoveTo(180,320)", "LineTo(180,200)", "MoveTo(180,290)",
                                                   "LineTo(177,290)", "MoveTo(180,230)", "LineTo(183,230)"}));
}

// The line of csLine starts at the second point drawn.
TEST_F(FinancialDraw, CandleLineFromTheSecondPoint)
{
    auto* s = Add<TCandleSeries>();
    s->SetCandleStyle(csLine);
    s->AddOHLC(1, 20, 50, 10, 40);
    s->AddOHLC(2, 20, 50, 10, 30);
    EXPECT_EQ(DrawAll({"MoveTo", "LineTo"}), (Calls{"MoveTo(140,230)", "LineTo(180,260)"}));
}

TEST_F(FinancialDraw, VolumeLinesFromTheAxisOrTheOrigin)
{
    auto* s = Add<TVolumeSeries>();
    s->AddXY(1, 30);
    EXPECT_EQ(DrawAll({"MoveTo", "LineTo"}), (Calls{"MoveTo(140,350)", "LineTo(140,260)"}));
    s->SetUseYOrigin(true);
    s->SetYOrigin(50);
    EXPECT_EQ(DrawAll({"MoveTo", "LineTo"}), (Calls{"MoveTo(140,200)", "LineTo(140,260)"}));
    EXPECT_EQ(s->Clicked(140, 230), 0);
    EXPECT_EQ(s->Clicked(150, 230), -1);
}

TEST_F(FinancialDraw, DarvasBoxOverTheCandles)
{
    auto* s = Add<TDarvasSeries>();
    s->SetTransparency(0);
    s->AddOHLC(0, 9, 10, 8, 9);
    s->AddOHLC(1, 9, 12, 9, 10);
    // one box from point 0 to 1, top High[1] = 12, bottom Low[1] = 9
    const Calls calls = DrawAll({"Rectangle"});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls.back(), "Rectangle(100,314,140,323)");
}

TEST_F(FinancialDraw, PerimeterOfATriangleIsClosed)
{
    auto* source = Add<TChartSeries>();
    source->AddXY(1, 10);
    source->AddXY(5, 90);
    source->AddXY(3, 40);
    source->AddXY(9, 20);
    auto* hull = Add<TChartSeries>();
    c.Draw([] {});
    c.Scale();
    auto* f = new TPerimeterFunction;
    f->BeginUpdate();
    hull->SetFunction(f);
    hull->AddDataSource(source);
    f->EndUpdate();
    // pixels: (140,320) (300,80) (220,230) (460,290); hull clockwise from the left
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < hull->Count(); ++i)
        points.emplace_back(hull->XValues().Value(i), hull->YValues().Value(i));
    EXPECT_EQ(points, (std::vector<std::pair<double, double>>{{1, 10}, {5, 90}, {9, 20}, {1, 10}}));
}

}  // namespace
