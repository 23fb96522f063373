// The nearest-point mark in the series' own symbol, drawn without full
// repaints on a shown chart: the mouse moving over it and leaving the chart
// leaves the chart as it was.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <memory>

#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "chart/tools/nearest_tool.h"
#include "support/shown_chart.h"

namespace {

class NearestSeriesMark : public ShownChartTest {
protected:
    // the chart leaves room to its right and below for the mouse to leave to
    NearestSeriesMark() : ShownChartTest({500, 400}, {0, 0, 400, 300})
    {
        chart->Legend()->SetVisible(false);
        chart->BottomAxis()->SetMinMax(0, 10);
        chart->LeftAxis()->SetMinMax(0, 100);
        Show();
    }
    ~NearestSeriesMark() override { tool.reset(); }

    template <typename S>
    S* AddSeries()
    {
        auto* s = new S(&form);
        for (int i = 1; i <= 9; ++i)
            s->AddXY(i, 10 * i);
        chart->AddSeries(s);
        return s;
    }
    // How many pixels of A and B differ.
    static int Differing(const QImage& A, const QImage& B)
    {
        int n = 0;
        for (int y = 0; y < A.height(); ++y)
            for (int x = 0; x < A.width(); ++x)
                n += A.pixel(x, y) != B.pixel(x, y);
        return n;
    }
    // Over the chart between points 4 and 5 of S, near each in turn, then
    // off the chart: the chart shows as it was before.
    void ExpectMovesLeaveNoMark(TChartSeries& S)
    {
        tool = std::make_unique<TNearestTool>(&form);
        tool->SetParentChart(chart);
        tool->SetSeries(&S);
        tool->SetFullRepaint(false);
        tool->SetStyle(hsSeries);
        chart->repaint();
        const QImage clean = Grab();
        // below the line between them, off its segment
        const QPoint a = PointOf(S, 4), b = PointOf(S, 5), off(0, 10);
        QTest::mouseMove(Window(), InHost(a + (b - a) / 3 + off));
        ASSERT_EQ(tool->NearestIndex(), 4);
        const QImage marked = Grab();
        EXPECT_GT(Differing(marked, clean), 0);
        QTest::mouseMove(Window(), InHost(b + (a - b) / 3 + off));
        ASSERT_EQ(tool->NearestIndex(), 5);
        QTest::mouseMove(Window(), QPoint(450, 350));
        ASSERT_EQ(tool->NearestIndex(), -1);
        QCoreApplication::processEvents();
        EXPECT_EQ(Differing(Grab(), clean), 0);
    }

    std::unique_ptr<TNearestTool> tool;
};

}  // namespace

TEST_F(NearestSeriesMark, PointSeriesMovesAndLeavingLeaveNoMark)
{
    ExpectMovesLeaveNoMark(*AddSeries<TPointSeries>());
}

TEST_F(NearestSeriesMark, LineSeriesMovesAndLeavingLeaveNoMark)
{
    ExpectMovesLeaveNoMark(*AddSeries<TLineSeries>());
}
