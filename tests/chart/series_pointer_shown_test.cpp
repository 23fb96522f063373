// A series' pointer shown or hidden on a shown chart: the chart shows the
// change as soon as the event loop runs, however the series came to it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "support/shown_chart.h"

namespace {

class PointerOnShownChart : public ShownChartTest {
protected:
    PointerOnShownChart() : ShownChartTest({400, 300}, {0, 0, 400, 300})
    {
        chart->Legend()->SetVisible(false);
        chart->BottomAxis()->SetMinMax(0, 10);
        chart->LeftAxis()->SetMinMax(0, 100);
        Show();
    }
    // Points (i, 10 i) with blue pointers, added to the shown chart.
    template <typename S>
    S* AddSeries()
    {
        auto* s = new S(&form);
        s->SetSeriesColor(clRed);
        s->Pointer().SetColor(clBlue);
        for (int i = 1; i <= 9; ++i)
            s->AddXY(i, 10 * i);
        chart->AddSeries(s);
        return s;
    }
    // The blue pixels the chart shows once the event loop has run.
    int BlueShown()
    {
        QCoreApplication::processEvents();
        return CountOf(Grab(), TRect{0, 0, 399, 299}, Rgb(clBlue));
    }
};

}  // namespace

TEST_F(PointerOnShownChart, ShowingThePointerOfALineShowsItsPointers)
{
    TLineSeries* s = AddSeries<TLineSeries>();
    ASSERT_FALSE(s->Pointer().Visible());
    chart->repaint();
    ASSERT_EQ(BlueShown(), 0);
    s->Pointer().SetVisible(true);
    // nine pointers of 9 x 9 pixels less their outline, 7 x 7 blue each
    EXPECT_GE(BlueShown(), 9 * 7 * 7);
    s->Pointer().SetVisible(false);
    EXPECT_EQ(BlueShown(), 0);
}

TEST_F(PointerOnShownChart, HidingThePointerOfAPointSeriesHidesItsPointers)
{
    auto* s = AddSeries<TPointSeries>();
    ASSERT_TRUE(s->Pointer().Visible());
    chart->repaint();
    ASSERT_GE(BlueShown(), 9 * 7 * 7);
    s->Pointer().SetVisible(false);
    EXPECT_EQ(BlueShown(), 0);
    s->Pointer().Show();
    EXPECT_GE(BlueShown(), 9 * 7 * 7);

    // taken off the chart and put on again, the pointer follows it
    chart->RemoveSeries(s);
    chart->repaint();
    ASSERT_EQ(BlueShown(), 0);
    s->Pointer().Hide();
    chart->AddSeries(s);
    chart->repaint();
    ASSERT_EQ(BlueShown(), 0);
    s->Pointer().Show();
    EXPECT_GE(BlueShown(), 9 * 7 * 7);
    chart->RemoveSeries(s);
    delete s;
}
