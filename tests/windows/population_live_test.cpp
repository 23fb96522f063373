// The population window's charts while the clock runs, read from what the
// shown window paints: the bars and the histograms follow the model at every
// step, a variable chosen with the keyboard repaints its chart, and so does
// activating the window again.
#include "population_fixture.h"

#include "chart/chart.h"
#include "chart/chart_title.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "window_shot.h"
#include "../support/screen_input.h"
#include "core/text_routines.h"
#include "widgets/seven_segment.h"
#include "windows/bar_frame.h"
#include "windows/histogram_frame.h"
#include "windows/track_bar.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <QToolButton>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace {

// The window's own timer runs, as in the program.
struct TLiveTimers {
    TLiveTimers() { TFPoblacion::SetLiveTimers(true); }
    ~TLiveTimers() { TFPoblacion::SetLiveTimers(false); }
};

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
    // The user clicks another window of the program, then this window again
    // (the other one closed first: shown maximised like this one, it would
    // cover it). While Away runs the other window is the active one.
    void LookAwayAndBack(TFPoblacion& w, const std::function<void()>& Away = {})
    {
        auto* other = MainWindow().MDIArea()->addSubWindow(new QLabel(QStringLiteral("another window")));
        other->setAttribute(Qt::WA_DeleteOnClose);
        other->setGeometry(20, 20, 300, 150);
        other->show();
        other->raise();
        QApplication::processEvents();
        ClickOnScreen(other->widget(), other->widget()->rect().center());
        ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), other);
        if (Away)
            Away();
        other->close();
        QApplication::processEvents();
        ClickOnScreen(w.LabelTitle, w.LabelTitle->rect().center());
        ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), &w);
    }
    // Real time passes with the window's own timer running; the clock moves
    // 30 s every tenth of a second.
    void LetTimePass(int ms)
    {
        for (int t = 0; t < ms; t += 100) {
            QTest::qWait(100);
            Clock.Advance(30);
        }
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
    const int progress = w.TrackBar_Progress->value();
    ASSERT_GT(progress, 0);
    LookAwayAndBack(w);
    if (HasFatalFailure())
        return;
    Run(w, 10);
    // the run goes on: the shares of the present model time
    EXPECT_GE(w.TrackBar_Progress->value(), progress);
    EXPECT_EQ(Shown(bars), DrawnAnew(bars));
    EXPECT_EQ(Shown(histogram), DrawnAnew(histogram));
}

// The user runs the clock fast, looks at another window through the window
// system and comes back: clock, speed and shares go on from where they were.
TEST_F(TFPoblacionLive, ComingBackFromAnotherWindowTheRunGoesOn)
{
    TLiveTimers live;
    TFPoblacion& w = OpenTheCharts();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    // the fastest speed, with the keyboard
    w.TrackBar_Speed->setFocus();
    QTest::keyClick(w.TrackBar_Speed, Qt::Key_End);
    ASSERT_EQ(w.TrackBar_Speed->value(), 100);
    const QString speed = w.Label_Speedpc->text();
    const int interval = w.Timer1Interval();
    ASSERT_NE(speed, QStringLiteral("100%"));
    LetTimePass(2000);
    ASSERT_TRUE(w.Timer1Enabled());
    const int progress = w.TrackBar_Progress->value();
    const std::string elapsed = w.ssM_Actual->Caption();
    const double share = w.FrameBarras1->Series_Bar1->YValues().Value(0);
    ASSERT_GT(progress, 0);

    LookAwayAndBack(w, [&w] { EXPECT_FALSE(w.Timer1Enabled()); });
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(w.Timer1Enabled());
    EXPECT_EQ(w.TrackBar_Speed->value(), 100);
    EXPECT_EQ(w.Label_Speedpc->text(), speed);
    EXPECT_EQ(w.Timer1Interval(), interval);
    EXPECT_GE(w.TrackBar_Progress->value(), progress);

    LetTimePass(2000);
    SaveShot(w, "population_run_goes_on.png");
    EXPECT_GT(w.TrackBar_Progress->value(), progress);
    EXPECT_GT(w.ssM_Actual->Caption(), elapsed);
    EXPECT_NE(w.FrameBarras1->Series_Bar1->YValues().Value(0), share);
    EXPECT_EQ(Shown(w.FrameBarras1->ChartPoblacion), DrawnAnew(w.FrameBarras1->ChartPoblacion));
}

// ---- the clock held ----

namespace {

// A widget as it reaches the screen.
QImage OnScreen(QWidget* widget)
{
    return ScreenShot(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

// What a time display shows with a caption: its own picture.
QImage Look(TSevenSeg* display, const std::string& caption)
{
    display->SetCaption(caption);
    QApplication::processEvents();
    return display->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::string ModelTimeText(double minutes)
{
    std::uint32_t h = 0;
    std::uint16_t m = 0, s = 0;
    MinutesToHMS(minutes, h, m, s);
    return FormatHMS(h, m, s);
}

class TFPoblacionHeld : public TFPoblacionLive {
protected:
    // The study shown, its messages closed, the dynamics panel opened and
    // the fastest speed (400 %) chosen; the clock has run 300 s (20 model
    // minutes) and its last step has reached the screen.
    TFPoblacion& RunFast()
    {
        TFPoblacion& w = ShowStudy();
        CloseTheMessages(w);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
        if (!w.SB_PlayStop->isVisible())
            ClickOnScreen(w.sb_Dynamic, w.sb_Dynamic->rect().center());
        EXPECT_TRUE(w.SB_PlayStop->isVisible());
        w.TrackBar_Speed->setFocus();
        QTest::keyClick(w.TrackBar_Speed, Qt::Key_End);
        EXPECT_EQ(w.Label_Speedpc->text(), QStringLiteral("400%"));
        LetTimePass(1000);
        QTest::qWait(300);
        EXPECT_TRUE(w.Timer1Enabled());
        return w;
    }
    // A click on "||".
    void PlayStop(TFPoblacion& w)
    {
        ClickOnScreen(w.SB_PlayStop, w.SB_PlayStop->rect().center());
        QTest::qWait(100);
    }
};

} // namespace

// "||" stops model time, not only the displays: resumed, the clock goes on
// from where it stood, and so do the progress and the shares.
TEST_F(TFPoblacionHeld, PausedTheModelTimeStandsAndGoesOnFromWhereItStood)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    TLiveTimers live;
    TFPoblacion& w = RunFast();
    if (HasFailure())
        return;
    PlayStop(w);
    ASSERT_TRUE(w.SB_PlayStop->isChecked());
    ASSERT_FALSE(w.Timer1Enabled());
    const std::string paused = w.ssM_Actual->Caption();
    const double pausedMinutes = w.Poblacion()->ModelMinutes();
    const int progress = w.TrackBar_Progress->value();
    const std::vector<double> weights = w.Poblacion()->Weights;
    ASSERT_NE(paused, "0:00:00");
    const QImage atPause = OnScreen(w.ssM_Actual);

    // 20 s paused
    QTest::qWait(300);
    Clock.Advance(20);
    QTest::qWait(300);
    const QImage whilePaused = OnScreen(w.ssM_Actual);

    PlayStop(w); // "||" again: on
    ASSERT_FALSE(w.SB_PlayStop->isChecked());
    ASSERT_TRUE(w.Timer1Enabled());
    QTest::qWait(300); // steps of the clock, no time passing
    const QImage resumed = OnScreen(w.ssM_Actual);
    EXPECT_EQ(w.TrackBar_Progress->value(), progress);
    EXPECT_EQ(w.Poblacion()->Weights, weights);
    // 15 s on: one model minute
    Clock.Advance(15);
    QTest::qWait(300);
    const QImage minuteLater = OnScreen(w.ssM_Actual);
    SaveShot(w, "population_paused_and_on.png");

    PlayStop(w); // the displays stand while their looks are taken
    const QImage standing = Look(w.ssM_Actual, paused);
    const QImage oneMinuteOn = Look(w.ssM_Actual, ModelTimeText(pausedMinutes + 1.0));
    EXPECT_EQ(atPause, standing);
    EXPECT_EQ(whilePaused, standing);
    EXPECT_EQ(resumed, standing) << "the clock jumped on resume";
    EXPECT_EQ(minuteLater, oneMinuteOn) << ModelTimeText(pausedMinutes + 1.0);
}

// A window left for another one waits: back in it, the clock shows the model
// time it was left at and goes on from there.
TEST_F(TFPoblacionHeld, LeftForAnotherWindowTheModelTimeWaits)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    TLiveTimers live;
    TFPoblacion& w = RunFast();
    if (HasFailure())
        return;
    std::string left;
    double leftMinutes = 0.0;
    int progress = -1;
    LookAwayAndBack(w, [&] {
        EXPECT_FALSE(w.Timer1Enabled());
        left = w.ssM_Actual->Caption();
        leftMinutes = w.Poblacion()->ModelMinutes();
        progress = w.TrackBar_Progress->value();
        // 42 s away
        QTest::qWait(200);
        Clock.Advance(42);
        QTest::qWait(200);
    });
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(w.Timer1Enabled());
    QTest::qWait(300);
    const QImage back = OnScreen(w.ssM_Actual);
    EXPECT_EQ(w.TrackBar_Progress->value(), progress);
    Clock.Advance(15);
    QTest::qWait(300);
    const QImage minuteLater = OnScreen(w.ssM_Actual);

    PlayStop(w);
    ASSERT_FALSE(w.Timer1Enabled());
    EXPECT_EQ(back, Look(w.ssM_Actual, left)) << "left at " << left;
    EXPECT_EQ(minuteLater, Look(w.ssM_Actual, ModelTimeText(leftMinutes + 1.0)));
}

// ---- past the run's end ----

// The blood-pressure study runs 120 minutes; its smokers' share falls from
// 35 to 20 and its course goes on past the end: the bars stay shares of
// none to all, summing to the whole.
TEST_F(TFPoblacionLive, PastTheRunsEndTheBarsShowSharesOfNoneToAll)
{
    TFPoblacion& w = ShowStudy("estudio_presion_arterial.xml");
    CloseTheMessages(w);
    Click(w.sbPanelCharts);
    TBarSeries* bars = w.FrameBarras1->Series_Bar1;
    ASSERT_TRUE(w.FrameBarras1->ChartPoblacion->isVisible());
    ASSERT_EQ(bars->Count(), 3);
    const auto expectBars = [&](double smokers, double never, const char* when) {
        EXPECT_DOUBLE_EQ(bars->YValues().Value(0), smokers) << when;
        EXPECT_EQ(bars->YValues().Value(1), 0.0) << when;
        EXPECT_DOUBLE_EQ(bars->YValues().Value(2), never) << when;
        double sum = 0.0;
        for (int k = 0; k < bars->Count(); ++k) {
            EXPECT_GE(bars->YValues().Value(k), 0.0) << k << ' ' << when;
            EXPECT_LE(bars->YValues().Value(k), 1.0) << k << ' ' << when;
            sum += bars->YValues().Value(k);
        }
        EXPECT_DOUBLE_EQ(sum, 1.0) << when;
        EXPECT_EQ(Shown(w.FrameBarras1->ChartPoblacion), DrawnAnew(w.FrameBarras1->ChartPoblacion)) << when;
    };
    // at 100 %: model minutes are real minutes
    AdvanceMinutes(60);
    w.OnTimer();
    expectBars(27.5 / 92.5, 65.0 / 92.5, "minute 60");
    AdvanceMinutes(340);
    w.OnTimer();
    EXPECT_EQ(w.ssM_Actual->Caption(), "6:40:00");
    EXPECT_EQ(w.TrackBar_Progress->value(), 100);
    expectBars(0.0, 1.0, "minute 400");
    SaveShot(*w.FrameBarras1, "population_bars_past_the_end.png");
    AdvanceMinutes(600);
    w.OnTimer();
    EXPECT_EQ(w.ssM_Actual->Caption(), "16:40:00");
    expectBars(0.0, 1.0, "minute 1000");
}

// The user sets the histograms' transparency and line thickness, looks at
// another window and comes back: the charts keep what the user chose.
TEST_F(TFPoblacionLive, ComingBackFromAnotherWindowTheChartOptionsStay)
{
    TFPoblacion& w = OpenTheCharts();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    Click(w.SB_GraphicOptions);
    ASSERT_TRUE(w.TrackBar_Transparency->isVisible());
    w.TrackBar_Transparency->setFocus();
    QTest::keyClick(w.TrackBar_Transparency, Qt::Key_End);
    w.TrackBar_Thickness->setFocus();
    QTest::keyClick(w.TrackBar_Thickness, Qt::Key_End);
    QApplication::processEvents();
    ASSERT_EQ(w.TrackBar_Transparency->value(), 100);
    ASSERT_EQ(w.TrackBar_Thickness->value(), 100);
    const auto expectChosen = [&w](const char* when) {
        EXPECT_EQ(w.TrackBar_Transparency->value(), 100) << when;
        EXPECT_EQ(w.TrackBar_Transparency->SelEnd(), 100) << when;
        EXPECT_EQ(w.TrackBar_Thickness->value(), 100) << when;
        EXPECT_EQ(w.TrackBar_Thickness->SelEnd(), 100) << when;
        for (TFrameHistogram* frame : {w.FrameHistogram1, w.FrameHistogram2}) {
            for (THistogramSeries* s : frame->FHistSeries)
                EXPECT_EQ(s->Transparency(), 100) << when;
            for (TFastLineSeries* s : frame->FLineSeries)
                EXPECT_EQ(s->LinePen().Width(), 100 / 15) << when;
        }
    };
    expectChosen("as chosen");

    LookAwayAndBack(w);
    if (HasFatalFailure())
        return;
    Run(w, 2);
    expectChosen("back in the window");
    EXPECT_EQ(Shown(w.FrameHistogram2->ChartPoblacion), DrawnAnew(w.FrameHistogram2->ChartPoblacion));
    // the labels still set the defaults back
    QTest::mouseClick(w.Label1, Qt::LeftButton, {}, w.Label1->rect().center());
    QTest::mouseClick(w.Label5, Qt::LeftButton, {}, w.Label5->rect().center());
    EXPECT_EQ(w.TrackBar_Transparency->value(), 20);
    EXPECT_EQ(w.TrackBar_Thickness->value(), 10);
}

// ---- the charts panel and the cloud as the study opens ----

TEST_F(TFPoblacionLive, TheHistogramOptionRowIsReadableAtTheDefaultWidth)
{
    TFPoblacion& w = OpenTheCharts();
    // the main window at its own first size
    MainWindow().resize(817, 836);
    QApplication::processEvents();
    Click(w.sbPanelCharts);
    Click(w.sbPanelCharts);
    SaveShot(*w.sbPanelCharts, "population_charts_button.png");
    TFrameHistogram* frame = w.FrameHistogram2;
    Click(frame->SpeedButton1); // "Opt."
    ASSERT_TRUE(frame->Panel1->isVisible());
    // the charts beside the clocks alone, then beside the speed controls too
    for (int layout = 0; layout < 2; ++layout) {
        Click(w.SB_ShowTimeControls);
        SaveShot(w, layout == 0 ? "population_histogram_options.png" : "population_histogram_options_narrow.png");
        for (QWidget* control : frame->Panel1->findChildren<QWidget*>()) {
            if (!control->isVisible())
                continue;
            const QRect place(control->mapTo(frame->Panel1, QPoint(0, 0)), control->size());
            EXPECT_TRUE(frame->Panel1->rect().contains(place)) << control->objectName().toStdString() << layout;
            EXPECT_GE(control->width(), control->sizeHint().width()) << control->objectName().toStdString() << layout;
        }
    }
}

namespace {

// Pixels darker than mid-grey inside Area of the image.
int DarkPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

} // namespace

TEST_F(TFPoblacionLive, CollapsedChartsShowTheirExpandSignAlone)
{
    TFPoblacion& w = ShowStudy();
    CloseTheMessages(w);
    ASSERT_EQ(w.PanelMainL->width(), w.sbPanelCharts->width());
    EXPECT_FALSE(w.PanelCharts->isVisible());
    // the strip paints the button and nothing of the charts
    const QImage strip = w.PanelMainL->grab().toImage();
    const QImage button = w.sbPanelCharts->grab().toImage();
    SaveShot(*w.PanelMainL, "population_collapsed_charts.png");
    EXPECT_EQ(strip.copy(w.sbPanelCharts->geometry()), button);
    EXPECT_EQ(DarkPixels(strip, strip.rect()), DarkPixels(button, button.rect()));
    // its sign is drawn large: at least 8 pixels high
    int top = button.height(), bottom = -1;
    for (int y = 0; y < button.height(); ++y)
        if (DarkPixels(button, QRect(0, y, button.width(), 1)) > 0) {
            top = std::min(top, y);
            bottom = y;
        }
    EXPECT_GE(bottom - top + 1, 8);
    // open and collapsed again by the user
    Click(w.sbPanelCharts);
    EXPECT_TRUE(w.PanelCharts->isVisible());
    EXPECT_TRUE(w.FrameBarras1->ChartPoblacion->isVisible());
    Click(w.sbPanelCharts);
    EXPECT_FALSE(w.PanelCharts->isVisible());
    EXPECT_EQ(w.PanelMainL->grab().toImage().copy(w.sbPanelCharts->geometry()), w.sbPanelCharts->grab().toImage());
}

TEST_F(TFPoblacionLive, TheCloudSpreadsOverThePaintBoxFromTheFirstSteps)
{
    // opened as the main window opens a study: shown, then bound to its document
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    QApplication::processEvents();
    Window = new TFPoblacion(&MainWindow());
    TFPoblacion& w = *Window;
    w.show();
    QApplication::processEvents();
    w.SetDataSource(LoadStudy("estudio_alturas_pesos.xml"), QStringLiteral("estudio_alturas_pesos.xml"));
    QApplication::processEvents();
    Run(w, 3);
    w.PageControl1->setCurrentWidget(w.TabSheet_Pixels);
    QApplication::processEvents();
    Run(w, 3);
    const QImage cloud = w.PaintBox1->grab().toImage();
    SaveShot(*w.PaintBox1, "population_cloud_at_opening.png");
    const QRect corner(0, 0, 120, 50);
    const int all = DarkPixels(cloud, cloud.rect());
    const int inCorner = DarkPixels(cloud, corner);
    ASSERT_GT(all, 500);
    // the corner holds its share of the box's area, not the cloud
    const double share = double(corner.width() * corner.height()) / (cloud.width() * cloud.height());
    EXPECT_LT(inCorner, all * share * 4 + 30);
    // every quarter of the box has dots
    const int hw = cloud.width() / 2, hh = cloud.height() / 2;
    for (const QRect& quarter : {QRect(0, 0, hw, hh), QRect(hw, 0, hw, hh), QRect(0, hh, hw, hh), QRect(hw, hh, hw, hh)})
        EXPECT_GT(DarkPixels(cloud, quarter), all / 8);
}

// A study with two start-up messages: each opens in a window of its own, with
// its caption on a frame and its size, and closes alone.
TEST_F(TFPoblacionLive, TwoStartUpMessagesOpenAsTwoFramedWindows)
{
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    TFPoblacion& w = Open("estudio_presion_arterial.xml");
    w.showMaximized();
    QApplication::processEvents();
    const QList<TFMsge*> messages = w.MessageWindows();
    ASSERT_EQ(messages.size(), 2);
    for (TFMsge* message : messages) {
        ASSERT_TRUE(message->isVisible());
        ASSERT_TRUE(message->windowHandle());
        const Qt::WindowFlags flags = message->windowHandle()->flags();
        EXPECT_FALSE(flags & Qt::FramelessWindowHint) << message->windowTitle().toStdString();
        EXPECT_TRUE(flags & Qt::WindowTitleHint) << message->windowTitle().toStdString();
        EXPECT_FALSE(flags & Qt::WindowCloseButtonHint) << message->windowTitle().toStdString();
    }
    EXPECT_EQ(messages[0]->windowTitle(), QStringLiteral("Presentación"));
    EXPECT_EQ(messages[1]->windowTitle(),
              QStringLiteral("Compara la presión sistólica de fumadores y no fumadores."));
    EXPECT_EQ(messages[1]->size(), QSize(1000, 500));
    SaveShot(*messages[1], "population_second_message.png");
    // the second one closed with its button leaves the first on screen
    Click(messages[1]->sbClose);
    EXPECT_FALSE(messages[1]->isVisible());
    EXPECT_TRUE(messages[0]->isVisible());
    Click(messages[0]->sbClose);
    EXPECT_FALSE(messages[0]->isVisible());
    EXPECT_EQ(messages[0]->Backdrop(), nullptr);
}
