// OnClickBackground hears every click on a shown chart that no other
// handler took: on the legend, an axis, a series or a title as well as on
// the empty chart area.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_items.h"
#include "chart/series/line_series.h"
#include "support/shown_chart.h"

namespace {

class BackgroundClick : public ShownChartTest {
protected:
    BackgroundClick() : ShownChartTest({500, 400}, {0, 0, 400, 300})
    {
        chart->Title()->SetCaption("Sample means");
        series = new TLineSeries(&form);
        series->SetTitle("Means");
        for (int i = 0; i <= 10; ++i)
            series->AddXY(i, i * 10);
        chart->AddSeries(series);
        chart->OnClickBackground = [this](TCustomChart&, TMouseButton, TShiftState, int, int) { ++background; };
        Show();
        chart->repaint();
    }

    QPoint LegendSpot() const
    {
        const TLegendItem* item = chart->Legend()->Items().Existing(0);
        return item ? QPoint{item->Left + 2, item->Top + 2} : QPoint{};
    }
    QPoint PointSpot() const { return {series->CalcXPos(5), series->CalcYPos(5)}; }
    QPoint EmptySpot() const { return {chart->ChartRect.Right - 15, chart->ChartRect.Bottom - 15}; }

    TLineSeries* series = nullptr;
    int background = 0;
};

}  // namespace

TEST_F(BackgroundClick, PartsWithoutHandlersPassTheClickToTheBackground)
{
    ASSERT_NE(chart->Legend()->Items().Existing(0), nullptr);
    ClickAt(Centre(chart->Title()->ShapeBounds));
    EXPECT_EQ(background, 1);
    ClickAt(LegendSpot());
    EXPECT_EQ(background, 2);
    ClickAt(Centre(chart->LeftAxis()->AxisRect()));
    EXPECT_EQ(background, 3);
    // a series with a click event of its own is found, and its click still
    // reaches the background
    int own = 0;
    series->OnClick = [&](TChartSeries&) { ++own; };
    ClickAt(PointSpot());
    EXPECT_EQ(own, 1);
    EXPECT_EQ(background, 4);
    // the chart area raises it once
    ClickAt(EmptySpot());
    EXPECT_EQ(background, 5);
}

TEST_F(BackgroundClick, AHandlerThatTakesTheClickKeepsItFromTheBackground)
{
    int titles = 0, legends = 0, axes = 0, points = 0;
    chart->OnClickTitle = [&](TCustomChart&, TChartTitle*, TMouseButton, TShiftState, int, int) { ++titles; };
    chart->OnClickLegend = [&](TCustomChart&, TMouseButton, TShiftState, int, int) { ++legends; };
    chart->OnClickAxis = [&](TCustomChart&, TChartAxis*, TMouseButton, TShiftState, int, int) { ++axes; };
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++points; };
    ClickAt(Centre(chart->Title()->ShapeBounds));
    ClickAt(LegendSpot());
    ClickAt(Centre(chart->LeftAxis()->AxisRect()));
    ClickAt(PointSpot());
    EXPECT_EQ(titles, 1);
    EXPECT_EQ(legends, 1);
    EXPECT_EQ(axes, 1);
    EXPECT_EQ(points, 1);
    EXPECT_EQ(background, 0);

    // a handler that clears the cancel flag leaves the click unhandled
    chart->OnClickTitle = [&](TCustomChart& c, TChartTitle*, TMouseButton, TShiftState, int, int) {
        ++titles;
        c.CancelMouse = false;
    };
    ClickAt(Centre(chart->Title()->ShapeBounds));
    EXPECT_EQ(titles, 2);
    EXPECT_EQ(background, 1);
}
