// The charts of the population window's frames and of the normal-curves
// window as they draw: the labels of one axis keep clear of one another,
// every text stays inside its chart, the bar chart keeps the limits the
// window sets, and the tallest bar or curve leaves room under the frame.
#include "chart_drawing_checks.h"
#include "normal_window_fixture.h"
#include "population_fixture.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "windows/bar_frame.h"
#include "windows/histogram_frame.h"
#include "windows/normal_frame.h"
#include "windows/normal_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

namespace {

class PopulationChartsDrawn : public PopulationWindowFixture {
protected:
    // The bar frame and the expanded histogram frame as drawn.
    void ExpectChartsRead(TFPoblacion& w, const std::string& when)
    {
        TChart& bars = *w.FrameBarras1->ChartPoblacion;
        ASSERT_GT(bars.width(), 300);
        ASSERT_GT(bars.height(), 150);
        EXPECT_CHART_READABLE(bars, "bars " + when);
        // the limits the window sets, not widened by the bars' margins
        const int levels = w.FrameBarras1->Series_Bar1->Count();
        ASSERT_GT(levels, 0);
        EXPECT_EQ(bars.LeftAxis()->CurrentMinimum(), 0) << when;
        EXPECT_EQ(bars.LeftAxis()->CurrentMaximum(), 1) << when;
        EXPECT_EQ(bars.BottomAxis()->CurrentMinimum(), 0.5) << when;
        EXPECT_EQ(bars.BottomAxis()->CurrentMaximum(), levels + 0.5) << when;
        EXPECT_GT(GapAboveTallest(bars, *w.FrameBarras1->Series_Bar1), 0) << when;

        TFrameHistogram& frame = *w.FrameHistogram2;
        TChart& histogram = *frame.ChartPoblacion;
        ASSERT_GT(histogram.height(), 150);
        EXPECT_CHART_READABLE(histogram, "histogram " + when);
        // the maximum offset of 20 pixels above the tallest class and curve
        ASSERT_FALSE(frame.FHistSeries.empty());
        for (THistogramSeries* s : frame.FHistSeries)
            EXPECT_GE(GapAboveTallest(histogram, *s), 20) << when;
        for (TFastLineSeries* s : frame.FLineSeries)
            EXPECT_GE(GapAboveTallest(histogram, *s), 20) << when;
    }
};

TEST_F(PopulationChartsDrawn, BarsAndHistogramOfTheWholePopulation)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    w.TrackBar_Speed->setValue(100);
    Run(w, 5);
    ExpectChartsRead(w, "after 5 ticks");
    Run(w, 45);
    ExpectChartsRead(w, "after 50 ticks");
}

TEST_F(PopulationChartsDrawn, HistogramSplitByZone)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    w.FrameHistogram2->CB_splitted->click();
    w.TrackBar_Speed->setValue(100);
    Run(w, 20);
    ASSERT_EQ(w.FrameHistogram2->FHistSeries.size(), 3u);
    ExpectChartsRead(w, "split");
}

TEST_F(PopulationChartsDrawn, ASmallHistogramStillKeepsItsLabelsApart)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    Run(w, 3);
    // both frames expanded share the column: charts half as tall
    w.FrameHistogram1->SpeedButton3->click();
    QCoreApplication::processEvents();
    Run(w, 2);
    for (TFrameHistogram* frame : {w.FrameHistogram1, w.FrameHistogram2}) {
        ASSERT_TRUE(frame->IsExpanded());
        ASSERT_GT(frame->ChartPoblacion->height(), 80);
        EXPECT_CHART_READABLE(*frame->ChartPoblacion, frame->objectName().toStdString());
    }
}

class NormalCurvesDrawn : public NormalWindowFixture {};

TEST_F(NormalCurvesDrawn, EveryPlotAndView)
{
    TChart& chart = *window->Frame()->ChartNormales();
    ASSERT_GT(chart.width(), 300);
    for (const char* plot : {"sbInit1", "sbInit2", "sbInit3"}) {
        Click(plot);
        EXPECT_CHART_READABLE(chart, plot);
        window->findChild<QSlider*>(QStringLiteral("TrackBar_n1"))->setValue(40);
        Click("RadioShowBoth");
        EXPECT_CHART_READABLE(chart, std::string(plot) + ", both views");
    }
    window->resize(520, 420);
    QCoreApplication::processEvents();
    EXPECT_CHART_READABLE(chart, "small window");
}

} // namespace
