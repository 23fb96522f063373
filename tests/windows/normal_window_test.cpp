#include "normal_window_fixture.h"
#include "window_shot.h"

#include "chart/chart.h"
#include "windows/normal_frame.h"
#include "windows/normal_window.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace {

class NormalWindow : public NormalWindowFixture {
protected:
    // Grabs the window into build/tests beside the test program.
    QImage Shot(const char* file) { return SaveShot(*window, file); }
    // Pixels of a colour inside the chart.
    int CountInChart(const QImage& shot, QRgb rgb) const
    {
        TChart* chart = window->Frame()->ChartNormales();
        const QRect r(chart->mapTo(window, QPoint(0, 0)), chart->size());
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += shot.pixel(x, y) == rgb;
        return n;
    }

};

} // namespace

TEST_F(NormalWindow, ShiftedCurvesWithShadedTailsOnScreen)
{
    Click("sbInit2");
    Click("RadioButtonLRight");
    Click("RadioButtonRLeft");
    TFrameNormales& frame = *window->Frame();
    TChart& chart = *frame.ChartNormales();
    // "b" left of the criterion, "a" right of it
    frame.Labels_Click(window->findChild<QLabel*>(QStringLiteral("LabelTag3")));
    frame.ChartNormalesMouseMove(chart.width() / 2 - 90, chart.height() * 2 / 3);
    frame.Showlbl();
    frame.Labels_Click(window->findChild<QLabel*>(QStringLiteral("LabelTag2")));
    frame.ChartNormalesMouseMove(chart.width() / 2 + 10, chart.height() * 3 / 4);
    frame.Showlbl();
    ASSERT_FALSE(frame.FloatingLabel(2)->isHidden());
    ASSERT_FALSE(frame.FloatingLabel(3)->isHidden());
    const QImage shot = Shot("normal_curves_shifted.png");
    EXPECT_GT(CountInChart(shot, qRgb(255, 0, 0)), 200);  // curve 1
    EXPECT_GT(CountInChart(shot, qRgb(0, 0, 255)), 200);  // curve 2
    EXPECT_GT(CountInChart(shot, qRgb(0, 0, 0)), 100);    // criterion line and axis
}

TEST_F(NormalWindow, SampleViewOnScreen)
{
    Click("sbInit2");
    window->findChild<QSlider*>(QStringLiteral("TrackBar_n1"))->setValue(40);
    Click("RadioShowBoth");
    Click("RadioButtonLRight");
    Click("RadioButtonRLeft");
    const QImage shot = Shot("normal_curves_sample.png");
    EXPECT_GT(CountInChart(shot, qRgb(255, 0, 0)), 200);
    EXPECT_GT(CountInChart(shot, qRgb(0, 0, 255)), 200);
}
