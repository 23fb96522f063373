// The binomial-trials window on screen, driven with the mouse as a teacher
// drives it: launches with the on/off button, the reset with its lamp test,
// the data grid, the logarithmic P chart and what the charts paint.
#include "../support/shell_test_support.h"
#include "chart_drawing_checks.h"
#include "process_window_fixture.h"
#include "window_shot.h"
#include "../support/screen_input.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/controls/chart_grid.h"
#include "core/random_numbers.h"
#include "core/random_process.h"
#include "testing/settable_clock.h"
#include "platform/qt_web_view.h"
#include "widgets/on_off_button.h"
#include "widgets/seven_segment.h"
#include "windows/process_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Reference outcomes (see process_window_test.cpp): seed 1234, p = 0.30,
// the first 10 trials 0001010000.

namespace {

// Notes the caption of a seven-segment display each time it is painted.
class TPaintedCaptions : public QObject {
public:
    explicit TPaintedCaptions(TSevenSeg* Display) : m_display(Display) { Display->installEventFilter(this); }
    std::vector<std::string> Captions;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == m_display && Event->type() == QEvent::Paint)
            Captions.push_back(m_display->Caption());
        return false;
    }

private:
    TSevenSeg* m_display;
};

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return n;
}

class ProcessWindowScreen : public ProcessWindowFixture {
protected:
    void SetUp() override
    {
        ProcessWindowFixture::SetUp();
        QApplication::processEvents();
        // the options panel opens with its button
        if (!Find<QToolButton>("sbOptions")->isChecked())
            Click(Find<QToolButton>("sbOptions"));
    }
    void Waited(double s) override
    {
        if (OnWait)
            OnWait(s);
    }
    static void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
        // a check box takes clicks on its box and text only, at its left
        const QPoint at = qobject_cast<QCheckBox*>(widget) ? QPoint(8, widget->height() / 2) : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    // Repeat on, n trials per launch.
    void SetRepetitions(int n)
    {
        auto* repeat = Find<QCheckBox>("cbRepeat");
        if (!repeat->isChecked())
            Click(repeat);
        auto* spin = Find<QSpinBox>("SpinRepeticiones");
        spin->setMaximum(std::max(spin->maximum(), n));
        spin->setValue(n);
        ASSERT_EQ(window->Repetitions(), n);
    }
    void Launch() { Click(window->LaunchButton()); }
    void Reset() { Click(Find<QToolButton>("sbReset")); }

    std::function<void(double)> OnWait;
};

} // namespace

// The T chart's trial axis numbers the trials of a short series and of a
// long one, apart from one another.
TEST_F(ProcessWindowScreen, TheTrialAxisNumbersShortAndLongSeries)
{
    TChart* t = window->ChartT();
    const int bottom = t->Axes().IndexOf(t->BottomAxis());
    for (int trials : {10, 210}) {
        if (trials == 210)
            Reset();
        SetRepetitions(trials);
        Launch();
        ASSERT_EQ(window->Process(window->CurrentSeries())->TrialCount(), trials);
        const std::string when = std::to_string(trials) + " trials";
        EXPECT_TRUE(t->BottomAxis()->Visible()) << when;
        const TChartDrawing drawn = DrawChartOn<platform::QtDrawingDevice>(*t);
        const std::vector<std::string> labels = AxisLabelTexts(drawn, bottom);
        std::vector<int> numbers;
        for (const std::string& label : labels)
            numbers.push_back(std::stoi(label));
        std::sort(numbers.begin(), numbers.end());
        std::string shown;
        for (int n : numbers)
            shown += std::to_string(n) + " ";
        // trial numbers along the whole series: a few at least, the first
        // ones among them, and none past the last trial
        EXPECT_GE(numbers.size(), 4u) << when << ": " << shown;
        ASSERT_FALSE(numbers.empty()) << when;
        EXPECT_LE(numbers.front(), trials / 5) << when << ": " << shown;
        EXPECT_GE(numbers.back(), trials * 3 / 4) << when << ": " << shown;
        EXPECT_LE(numbers.back(), trials) << when << ": " << shown;
        EXPECT_CHART_READABLE(*t, when);
        SaveShot(*t, trials == 10 ? "process_trial_axis_10.png" : "process_trial_axis_210.png");
    }
}

// "Show Data": the T grid lists each trial's outcome.
TEST_F(ProcessWindowScreen, TheDataGridShowsTheOutcomes)
{
    Click(Find<QCheckBox>("cbViewData"));
    SetRepetitions(10);
    Launch();
    TChartGrid* grid = window->GridT();
    ASSERT_TRUE(grid->isVisible());
    SaveShot(*grid, "process_t_grid.png");
    int outcomes = -1;
    for (int c = 1; c < grid->ColCount(); ++c)
        if (grid->CellText(c, 1) == "Y")
            outcomes = c;
    ASSERT_GE(outcomes, 1) << "no outcome column";
    std::string shown;
    for (int row = 2; row < 12; ++row)
        shown += grid->CellText(outcomes, row);
    EXPECT_EQ(shown, "0001010000");
    EXPECT_EQ(grid->CellText(outcomes, 12), "");
}

// The logarithmic P chart labels its decades, apart and inside the chart,
// also when the window is narrow.
TEST_F(ProcessWindowScreen, TheLogarithmicTrialAxisShowsItsDecades)
{
    Click(Find<QCheckBox>("cbLog_P"));
    SetRepetitions(3000);
    Launch();
    TChart* p = window->ChartP();
    const int bottom = p->Axes().IndexOf(p->BottomAxis());
    for (int width : {1200, 750}) {
        window->resize(width, 800);
        QApplication::processEvents();
        const std::string when = "chart " + std::to_string(p->width()) + " wide";
        EXPECT_CHART_READABLE(*p, when);
        const std::vector<std::string> labels = AxisLabelTexts(DrawChartOn<platform::QtDrawingDevice>(*p), bottom);
        for (const char* decade : {"1", "10", "100", "1,000"})
            EXPECT_NE(std::find(labels.begin(), labels.end(), decade), labels.end()) << decade << ", " << when;
        SaveShot(*p, width == 1200 ? "process_log_p.png" : "process_log_p_narrow.png");
    }
}

// The reset's lamp test paints each phase: 8888, then blank, then 0000.
TEST_F(ProcessWindowScreen, TheLampTestPaintsEachPhase)
{
    // on a real display nothing paints before the window is on the screen
    if (OnX11()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    }
    SetRepetitions(12);
    Launch();
    TPaintedCaptions painted(window->DisplayPruebas());
    std::vector<std::string> paintedAtWaits;
    OnWait = [&](double) {
        paintedAtWaits.push_back(painted.Captions.empty() ? std::string("-") : painted.Captions.back());
    };
    Reset();
    QApplication::processEvents();
    EXPECT_EQ(waits, (std::vector<double>{0.5, 0.3}));
    EXPECT_EQ(paintedAtWaits, (std::vector<std::string>{"8888", "    "}));
    ASSERT_FALSE(painted.Captions.empty());
    EXPECT_EQ(painted.Captions.back(), "0000");
}

// On a real display each phase of the lamp test reaches the screen on both
// displays for its time: pictures of the two displays 50 ms apart show both
// at 8888 for half a second, then both blank, then both at 0000, never one
// display a phase behind the other.
TEST_F(ProcessWindowScreen, TheLampTestReachesTheScreen)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    // a page of the program's own web view open beside it, as the welcome
    // page is
    auto* page = new QMdiSubWindow;
    page->setWidget(new platform::QtWebView);
    MainWindow().MDIArea()->addSubWindow(page);
    page->setGeometry(900, 600, 300, 200);
    page->show();
    static_cast<platform::QtWebView*>(page->widget())->Navigate(QStringLiteral("about:blank"));
    MainWindow().MDIArea()->setActiveSubWindow(window);
    QTest::qWait(1000);
    // the activation folded the options
    if (!Find<QToolButton>("sbOptions")->isChecked())
        Click(Find<QToolButton>("sbOptions"));
    SetRepetitions(12);
    Launch();
    window->WaitSeconds = [](double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); };
    const std::vector<TSevenSeg*> displays{window->DisplayAciertos(), window->DisplayPruebas()};
    QTest::qWait(300);
    std::vector<std::string> counts;  // shown before the reset
    for (TSevenSeg* display : displays)
        counts.push_back(display->Caption());
    std::vector<QRect> places;  // each display on the screen
    QRect area;
    for (TSevenSeg* display : displays) {
        places.emplace_back(display->mapToGlobal(QPoint(0, 0)), display->size());
        area = area.united(places.back());
    }
    for (std::size_t d = 0; d < displays.size(); ++d)
        ASSERT_EQ(ScreenShot(places[d]), displays[d]->grab().toImage().convertToFormat(QImage::Format_RGB32))
            << displays[d]->objectName().toStdString();
    TScreenRecorder recorder;
    recorder.Start(area, 50);
    auto* reset = Find<QToolButton>("sbReset");
    ClickOnScreen(reset, reset->rect().center());
    // the last phase, then some of its time on screen
    ASSERT_TRUE(QTest::qWaitFor([&displays] { return displays[1]->Caption() == "0000"; }, 10000));
    QTest::qWait(300);
    const std::vector<QImage> frames = recorder.Stop();
    ASSERT_FALSE(frames.empty());

    // what each phase looks like on each display: the counts before the
    // reset ("old"), 8888, blank, 0000
    const std::vector<std::pair<std::string, std::string>> phases{
        {"old", ""}, {"8888", "8888"}, {"blank", "    "}, {"0000", "0000"}};
    std::vector<std::vector<QImage>> looks(displays.size());
    for (std::size_t d = 0; d < displays.size(); ++d)
        for (const auto& [name, caption] : phases) {
            displays[d]->SetCaption(name == "old" ? counts[d] : caption);
            looks[d].push_back(displays[d]->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    // one entry a picture: the phase both displays show, or what each shows
    std::vector<std::string> seen;
    std::string all;
    QImage strip(area.width(), area.height() * int(frames.size()), QImage::Format_RGB32);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::vector<std::string> shown;
        for (std::size_t d = 0; d < displays.size(); ++d) {
            const QImage part = frames[i].copy(places[d].translated(-area.topLeft()));
            std::string name = "?";
            for (std::size_t k = 0; k < phases.size(); ++k)
                if (part == looks[d][k])
                    name = phases[k].first;
            shown.push_back(name);
        }
        seen.push_back(shown[0] == shown[1] ? shown[0] : shown[0] + "/" + shown[1]);
        all += "[" + seen.back() + "]";
        QPainter(&strip).drawImage(0, area.height() * int(i), frames[i]);
    }
    strip.save(QCoreApplication::applicationDirPath() + QStringLiteral("/process_lamp_test_frames.png"));
    const auto count = [&seen](const char* phase) { return std::count(seen.begin(), seen.end(), phase); };
    // 0.5 s of 8888 and 0.3 s of blank, pictured every 50 ms (a busy
    // machine takes fewer pictures)
    EXPECT_GE(count("8888"), 6) << all;
    EXPECT_GE(count("blank"), 3) << all;
    EXPECT_EQ(seen.back(), "0000") << all;
    // the two displays change together: a picture taken while the window
    // system puts the new picture on the screen may show both, once a change
    const auto mixed = std::count_if(seen.begin(), seen.end(), [](const std::string& s) {
        return s != "old" && s != "8888" && s != "blank" && s != "0000";
    });
    EXPECT_LE(mixed, 3) << all;
    const auto first8 = std::find(seen.begin(), seen.end(), "8888");
    const auto firstBlank = std::find(seen.begin(), seen.end(), "blank");
    const auto first0 = std::find(seen.begin(), seen.end(), "0000");
    EXPECT_TRUE(first8 < firstBlank && firstBlank < first0) << all;
}

// "options" in a binomial window that is not the active one: the click that
// brings the window forward folds or unfolds the options at once, as the
// button shows, with another binomial window active before each click.
TEST_F(ProcessWindowScreen, OptionsWorkAtTheFirstClickInAnInactiveWindow)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    auto* other = new TFProceso(&MainWindow(), QString());
    other->WaitSeconds = [](double) {};
    other->show();
    MainWindow().MDIArea()->tileSubWindows();
    QTest::qWait(300);
    auto* options = Find<QToolButton>("sbOptions");
    auto* viewData = Find<QCheckBox>("cbViewData");
    ASSERT_TRUE(options->isChecked());
    ASSERT_TRUE(viewData->isVisible());
    // where the unfolded options show "Show Data"
    const QRect place(viewData->mapToGlobal(QPoint(0, 0)), viewData->size());
    const QImage unfolded = viewData->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (bool unfold : {false, true}) {
        const std::string when = unfold ? "unfolding" : "folding";
        MainWindow().MDIArea()->setActiveSubWindow(other);
        QTest::qWait(200);
        ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), other) << when;
        ASSERT_EQ(options->isChecked(), !unfold) << when;
        ClickOnScreen(options, options->rect().center());
        QTest::qWait(200);
        EXPECT_EQ(MainWindow().MDIArea()->activeSubWindow(), window) << when;
        EXPECT_EQ(options->isChecked(), unfold) << when;
        EXPECT_EQ(viewData->isVisible(), unfold) << when;
        EXPECT_TRUE(ShowsOnScreen(options)) << when;
        EXPECT_EQ(ScreenShot(place) == unfolded, unfold) << when;
        ScreenShot(QRect(MainWindow().mapToGlobal(QPoint(0, 0)), MainWindow().size())
                       .intersected(QGuiApplication::primaryScreen()->geometry()))
            .save(QCoreApplication::applicationDirPath() +
                  (unfold ? QStringLiteral("/process_options_unfolded.png") : QStringLiteral("/process_options_folded.png")));
    }
}

// Closed series stay on the P chart, greyed; the current one is red.
TEST_F(ProcessWindowScreen, ClosedSeriesStayVisibleInGrey)
{
    SetRepetitions(60);
    Launch();
    Reset();
    clock.SetCounter(5678); // another run of trials than the first
    Randomize();
    SetRepetitions(60);
    Launch();
    TChart* p = window->ChartP();
    ASSERT_EQ(p->SeriesCount(), 2);
    const QImage chart = p->grab().toImage();
    SaveShot(*p, "process_closed_series.png");
    EXPECT_GT(CountColour(chart, qRgb(255, 0, 0)), 60);
    // what the closed series adds to the picture: grey pixels, many of them
    EXPECT_TRUE(p->AutoRepaint());
    p->Series(0)->SetActive(false);
    QApplication::processEvents();
    const QImage without = p->grab().toImage();
    SaveShot(*p, "process_closed_series_hidden.png");
    p->Series(0)->SetActive(true);
    ASSERT_EQ(chart.size(), without.size());
    int added = 0, grey = 0;
    for (int y = 0; y < chart.height(); ++y)
        for (int x = 0; x < chart.width(); ++x) {
            const QRgb c = chart.pixel(x, y);
            if (c == without.pixel(x, y) || (c & 0xFFFFFF) == 0xFF0000)
                continue;
            ++added;
            grey += qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) <= 0xC0 ? 1 : 0;
        }
    EXPECT_GT(added, 60);
    EXPECT_GT(grey, added * 9 / 10);
}

// The outcome marks of a short series stay inside the T chart's frame, the
// last one too.
TEST_F(ProcessWindowScreen, TheOutcomeMarksStayInsideTheChart)
{
    for (int trials : {1, 4, 10}) {
        SetRepetitions(trials == 1 ? 1 : trials - window->Process(1)->TrialCount());
        Launch();
        TChart* t = window->ChartT();
        const TChartDrawing d = DrawChartOn<platform::QtDrawingDevice>(*t);
        int marks = 0;
        for (const TDrawnText& text : d.texts) {
            if (text.axis >= 0 || (text.text != "Acierto" && text.text != "Fallo"))
                continue;
            ++marks;
            EXPECT_GE(text.box.Left, d.chartRect.Left) << BoxText(text) << " of " << trials;
            EXPECT_LE(text.box.Right, d.chartRect.Right) << BoxText(text) << " of " << trials;
        }
        EXPECT_EQ(marks, trials);
        if (trials == 10)
            SaveShot(*t, "process_marks.png");
    }
}
