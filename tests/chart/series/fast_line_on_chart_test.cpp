// Fast line on a shown chart: its colour in the line and the legend symbol
// however the colour is set, and a series taken off the chart with tools
// and callers still pointing at it.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_items.h"
#include "chart/legend_symbol.h"
#include "chart/series/fast_line_series.h"
#include "chart/tools/marks_tip_tool.h"
#include "chart/tools/nearest_tool.h"
#include "support/shown_chart.h"

namespace {

class FastLineOnChart : public ShownChartTest {
protected:
    FastLineOnChart() : ShownChartTest({500, 400}, {0, 0, 500, 400})
    {
        chart->Legend()->SetVisible(true);
        chart->Legend()->Symbol()->SetWidthUnits(lcsPixels);
        chart->Legend()->Symbol()->SetWidth(24);
        Show();
    }

    // A flat line through y = 5 from x = 0 to 10.
    TFastLineSeries* AddFlatLine()
    {
        auto* s = new TFastLineSeries(&form);
        for (int i = 0; i <= 10; ++i)
            s->AddXY(i, 5);
        chart->AddSeries(s);
        chart->LeftAxis()->SetMinMax(0, 10);
        return s;
    }
    // The flat line's middle run all in Colour, and the legend symbol in it
    // with nothing black.
    void ExpectLineAndLegendIn(const TFastLineSeries& S, TColor Colour)
    {
        const QImage image = Shot();
        const int y = S.CalcYPos(0);
        const int x0 = S.CalcXPos(1), x1 = S.CalcXPos(9);
        EXPECT_EQ(CountOf(image, TRect{x0, y, x1, y}, Rgb(Colour)), x1 - x0 + 1);
        const TLegendItem* item = chart->Legend()->Items().Existing(0);
        ASSERT_NE(item, nullptr);
        EXPECT_GT(CountOf(image, item->SymbolRect, Rgb(Colour)), 3);
        EXPECT_EQ(CountOf(image, item->SymbolRect, Rgb(clBlack)), 0);
    }
};

}  // namespace

TEST_F(FastLineOnChart, ALineWithThePalettesColourDrawsInItLineAndLegend)
{
    TFastLineSeries* s = AddFlatLine();
    ASSERT_EQ(s->OwnSeriesColor(), clDefault);
    const TColor colour = s->SeriesColor();
    ASSERT_NE(colour, clBlack);
    EXPECT_EQ(s->LinePen().Color(), colour);
    ExpectLineAndLegendIn(*s, colour);

    // a colour of its own still wins, and the palette no longer moves it
    s->SetSeriesColor(clRed);
    chart->AssignFreeSeriesColors(true);
    EXPECT_EQ(s->LinePen().Color(), clRed);
    ExpectLineAndLegendIn(*s, clRed);
}

TEST_F(FastLineOnChart, GivenTheDefaultColourALineWithNoneOfItsOwnKeepsThePalettes)
{
    TFastLineSeries* s = AddFlatLine();
    const TColor colour = s->SeriesColor();
    ASSERT_NE(colour, clDefault);
    // the series has no colour of its own: "default" leaves it as it is
    s->SetSeriesColor(clDefault);
    EXPECT_EQ(s->SeriesColor(), colour);
    EXPECT_EQ(s->LinePen().Color(), colour);
    ExpectLineAndLegendIn(*s, colour);
}

TEST_F(FastLineOnChart, TakenOffItsChartItAnswersNoPointToToolsAndCallers)
{
    TFastLineSeries* s = AddFlatLine();
    auto* nearest = new TNearestTool(&form);
    nearest->SetSeries(s);
    nearest->SetParentChart(chart);
    auto* tip = new TMarksTipTool(&form);
    tip->SetSeries(s);
    tip->SetParentChart(chart);
    Shot();
    const QPoint onLine{s->CalcXPos(4), s->CalcYPos(4)};
    ASSERT_EQ(s->Clicked(onLine.x(), onLine.y()), 4);
    ASSERT_GE(s->FirstValueIndex(), 0);

    chart->RemoveSeries(s);
    EXPECT_EQ(s->ParentChart(), nullptr);
    EXPECT_EQ(s->FirstValueIndex(), -1);
    EXPECT_EQ(s->LastValueIndex(), -1);
    EXPECT_EQ(s->Clicked(onLine.x(), onLine.y()), -1);
    // the tools still point at it: the mouse over where it was finds nothing
    QTest::mouseMove(host.windowHandle(), chart->mapTo(&host, onLine));
    QTest::mouseMove(host.windowHandle(), chart->mapTo(&host, onLine + QPoint(1, 1)));
    EXPECT_EQ(nearest->NearestIndex(), -1);
    QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, chart->mapTo(&host, onLine));
    Shot();
    EXPECT_EQ(s->Clicked(onLine.x(), onLine.y()), -1);
    delete s;
}
