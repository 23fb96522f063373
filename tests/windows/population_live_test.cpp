// The population window's charts while the clock runs, read from what the
// shown window paints: the bars and the histograms follow the model at every
// step, a variable chosen with the keyboard repaints its chart, and so does
// activating the window again.
#include "population_fixture.h"

#include "chart/chart.h"
#include "chart/chart_title.h"
#include "chart/series/bar_series.h"
#include "chart/series/histogram_series.h"
#include "window_shot.h"
#include "windows/bar_frame.h"
#include "windows/histogram_frame.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <QToolButton>

namespace {

class TFPoblacionLive : public PopulationWindowFixture {
protected:
    static void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
    // The study shown, its messages closed, the charts opened with "<>" as a
    // user opens them and the bars of the zones chosen with the keyboard.
    TFPoblacion& OpenTheCharts()
    {
        TFPoblacion& w = ShowStudy();
        CloseTheMessages(w);
        Click(w.sbPanelCharts);
        Click(w.sb_Dynamic);
        Click(w.SB_ShowTimeControls);
        QComboBox* variable = w.FrameBarras1->CB_Variable;
        variable->setFocus();
        QTest::keyClick(variable, Qt::Key_Down);
        QApplication::processEvents();
        return w;
    }
    // What the chart shows now on screen.
    static QImage Shown(TChart* chart)
    {
        QApplication::processEvents();
        return chart->grab().toImage();
    }
    // The chart drawn whole from its present series.
    static QImage DrawnAnew(TChart* chart)
    {
        EXPECT_TRUE(chart->AutoRepaint());
        chart->Invalidate();
        return Shown(chart);
    }
};

} // namespace

TEST_F(TFPoblacionLive, BarsAndHistogramRedrawAtEveryStep)
{
    TFPoblacion& w = OpenTheCharts();
    TChart* bars = w.FrameBarras1->ChartPoblacion;
    TChart* histogram = w.FrameHistogram2->ChartPoblacion;
    ASSERT_TRUE(bars->isVisible());
    ASSERT_TRUE(histogram->isVisible());
    TBarSeries* series = w.FrameBarras1->Series_Bar1;
    ASSERT_EQ(series->Count(), 3);
    const double share0 = series->YValues().Value(0);
    const QImage barsBefore = Shown(bars);
    const QImage histogramBefore = Shown(histogram);
    EXPECT_EQ(barsBefore, DrawnAnew(bars));

    w.TrackBar_Speed->setValue(100);
    for (int lap = 1; lap <= 4; ++lap) {
        Run(w, 60); // 24 model minutes each
        ASSERT_TRUE(w.FrameBarras1->IsExpanded());
        const QImage barsNow = Shown(bars);
        const QImage histogramNow = Shown(histogram);
        // what shows is what the present model draws, not an earlier picture
        EXPECT_EQ(barsNow, DrawnAnew(bars)) << lap;
        EXPECT_EQ(histogramNow, DrawnAnew(histogram)) << lap;
    }
    EXPECT_NE(series->YValues().Value(0), share0);
    EXPECT_NE(Shown(bars), barsBefore);
    EXPECT_NE(Shown(histogram), histogramBefore);
    SaveShot(w, "population_live_after_steps.png");
}

TEST_F(TFPoblacionLive, AnotherBarVariableRepaintsItsTitleAndBars)
{
    TFPoblacion& w = OpenTheCharts();
    TChart* bars = w.FrameBarras1->ChartPoblacion;
    const QImage before = Shown(bars);
    const std::string title = bars->Title()->Text().Text();
    QComboBox* variable = w.FrameBarras1->CB_Variable;
    ASSERT_GT(variable->count(), 1);
    variable->setFocus();
    QTest::keyClick(variable, variable->currentIndex() > 0 ? Qt::Key_Up : Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_NE(bars->Title()->Text().Text(), title);
    const QImage after = Shown(bars);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, DrawnAnew(bars));
}

TEST_F(TFPoblacionLive, ActivatedAgainTheBarsShowThePresentShares)
{
    TFPoblacion& w = OpenTheCharts();
    TChart* bars = w.FrameBarras1->ChartPoblacion;
    TChart* histogram = w.FrameHistogram2->ChartPoblacion;
    w.TrackBar_Speed->setValue(100);
    Run(w, 200); // 80 model minutes
    const QImage moved = Shown(bars);
    w.FormDeactivate();
    QApplication::processEvents();
    // activation starts the progress again from 0: the shares of the start
    w.FormActivate();
    QApplication::processEvents();
    EXPECT_EQ(w.TrackBar_Progress->value(), 0);
    const QImage after = Shown(bars);
    EXPECT_NE(after, moved);
    EXPECT_EQ(after, DrawnAnew(bars));
    EXPECT_EQ(Shown(histogram), DrawnAnew(histogram));
}
