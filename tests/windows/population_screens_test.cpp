// The population window on screen as a user meets it: the state after the
// start-up messages, the time controls, the splitters, the track bars and
// the label hover colour, with real mouse input on the shown window.
#include "population_fixture.h"

#include "window_shot.h"
#include "../support/screen_input.h"
#include "platform/window_system.h"
#include "windows/bar_frame.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_title.h"
#include "chart/series/bar_series.h"
#include "windows/histogram_frame.h"
#include "windows/frame_controls.h"
#include "widgets/progress_bar.h"
#include "testing/recording_device.h"
#include "../widgets/recorder_install.h"

#include <QApplication>
#include <QWindow>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <optional>

namespace {

class TFPoblacionScreens : public PopulationWindowFixture {
protected:
    TFPoblacion& ShowStudy()
    {
        m_application = QApplication::palette();
        m_mainPalette = MainWindow().palette();
        return PopulationWindowFixture::ShowStudy();
    }
    // The window as the start-up messages leave it: they took the focus.
    TFPoblacion& AfterTheMessages()
    {
        TFPoblacion& w = ShowStudy();
        w.FormDeactivate();
        QApplication::processEvents();
        return w;
    }
    static QRect Place(const QWidget* widget, const TFPoblacion& w)
    {
        return QRect(widget->mapTo(w.widget(), QPoint(0, 0)), widget->size());
    }
    static void Click(QWidget* widget)
    {
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
    QPalette m_application;
    QPalette m_mainPalette;
};

} // namespace

// Every shown control of Panel lies inside it, with room for itself.
void ExpectWholeInside(QWidget* Panel)
{
    const QRect inside = Panel->rect();
    for (QWidget* child : Panel->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(Panel))
            continue;
        const QRect place(child->mapTo(Panel, QPoint(0, 0)), child->size());
        EXPECT_TRUE(inside.contains(place)) << child->objectName().toStdString();
        EXPECT_GE(child->width(), child->minimumSizeHint().width()) << child->objectName().toStdString();
        EXPECT_GT(child->height(), 0) << child->objectName().toStdString();
    }
}

// The bar chart shows the first variable's levels as soon as the charts
// show, before any clock step: after the start-up messages, and after "<>"
// widens the charts and gives them back.
TEST_F(TFPoblacionScreens, TheBarChartIsFilledBeforeAnyClockStep)
{
    TFPoblacion& w = AfterTheMessages();
    TFrameBarras* frame = w.FrameBarras1;
    const auto expectFilled = [&](const char* when) {
        ASSERT_TRUE(frame->ChartPoblacion->isVisible()) << when;
        const TBarSeries& bars = *frame->Series_Bar1;
        // Deporte: "Sí" (group 1, 30 %), "No" (groups 2 and 3, 70 %)
        ASSERT_EQ(bars.Count(), 2) << when;
        EXPECT_EQ(bars.Labels().Label(0), "Sí") << when;
        EXPECT_EQ(bars.Labels().Label(1), "No") << when;
        EXPECT_NEAR(bars.YValues()[0], 0.3, 1e-12) << when;
        EXPECT_NEAR(bars.YValues()[1], 0.7, 1e-12) << when;
        const TChart& chart = *frame->ChartPoblacion;
        EXPECT_EQ(chart.BottomAxis()->Minimum(), 0.5) << when;
        EXPECT_EQ(chart.BottomAxis()->Maximum(), 2.5) << when;
        EXPECT_EQ(chart.LeftAxis()->Minimum(), 0.0) << when;
        EXPECT_EQ(chart.LeftAxis()->Maximum(), 1.0) << when;
        EXPECT_TRUE(chart.Title()->Visible()) << when;
    };
    expectFilled("after the messages");
    Click(w.SB_ShowTimeControls);
    expectFilled("time controls alone");
    Click(w.SB_ShowTimeControls);
    expectFilled("speed controls back");
}

TEST_F(TFPoblacionScreens, AfterTheStartUpMessagesTheDynamicsShowWholeControls)
{
    TFPoblacion& w = AfterTheMessages();
    SaveShot(w, "population_after_messages.png");
    ASSERT_TRUE(w.pDynamic->isVisible());
    EXPECT_EQ(w.pDynamic->height(), 125);
    EXPECT_TRUE(w.SB_ShowTimeControls->isChecked());
    // the speed and progress controls fit beside the clocks, whole
    EXPECT_TRUE(w.Panel_Slides->isVisible());
    ExpectWholeInside(w.pDynamic);
    EXPECT_LE(Place(w.Panel_Slides, w).right(), Place(w.Panel_tiempos, w).left());

    // the first click on "<>" gives the time controls alone
    const int before = w.PanelMainL->width();
    Click(w.SB_ShowTimeControls);
    EXPECT_FALSE(w.SB_ShowTimeControls->isChecked());
    EXPECT_GT(w.PanelMainL->width(), before);
    // no sliver of the speed controls beside the clocks
    EXPECT_FALSE(w.Panel_Slides->isVisible());
    ExpectWholeInside(w.pDynamic);
    SaveShot(w, "population_time_controls.png");
    Click(w.SB_ShowTimeControls);
    EXPECT_EQ(w.PanelMainL->width(), before);
    EXPECT_TRUE(w.Panel_Slides->isVisible());
}

namespace {

// Drags a splitter by Delta pixels along its moving direction.
void Drag(TSplitter* Splitter, int Delta)
{
    ASSERT_TRUE(Splitter->isVisible()) << Splitter->objectName().toStdString();
    // fixed points of the screen: the bar moves away under the pointer
    const QPoint from = Splitter->mapToGlobal(Splitter->rect().center());
    const QPoint to = Splitter->height() <= 3 ? from + QPoint(0, Delta) : from + QPoint(Delta, 0);
    QTest::mousePress(Splitter, Qt::LeftButton, {}, Splitter->mapFromGlobal(from));
    QTest::mouseMove(Splitter, Splitter->mapFromGlobal((from + to) / 2));
    QTest::mouseMove(Splitter, Splitter->mapFromGlobal(to));
    QTest::mouseRelease(Splitter, Qt::LeftButton, {}, Splitter->mapFromGlobal(to));
    QApplication::processEvents();
}

} // namespace

TEST_F(TFPoblacionScreens, TheFourSplittersResizeChartsPaintBoxAndDynamics)
{
    TFPoblacion& w = ShowStudy();
    Click(w.sbPanelCharts);  // the charts open
    Click(w.FrameHistogram1->SpeedButton3);
    Click(w.sb_Dynamic);
    QApplication::processEvents();
    ASSERT_TRUE(w.FrameBarras1->IsExpanded());

    // Splitter1: the charts panel and the paint box share the width
    const int left = w.PanelMainL->width();
    const int paint = w.PaintPanel->width();
    Drag(w.Splitter1, -100);
    EXPECT_EQ(w.PanelMainL->width(), left - 100);
    EXPECT_EQ(w.PaintPanel->width(), paint + 100);
    EXPECT_EQ(w.Splitter1->cursor().shape(), Qt::SplitHCursor);

    // Splitter2: the bar chart and the histograms
    const int bars = w.FrameBarras1->height();
    const int bottom = w.Panel_Bottom->height();
    Drag(w.Splitter2, 40);
    EXPECT_EQ(w.FrameBarras1->height(), bars + 40);
    EXPECT_EQ(w.Panel_Bottom->height(), bottom - 40);

    // Splitter3: the two histograms
    const int first = w.FrameHistogram1->height();
    const int second = w.FrameHistogram2->height();
    Drag(w.Splitter3, -30);
    EXPECT_EQ(w.FrameHistogram1->height(), first - 30);
    EXPECT_EQ(w.FrameHistogram2->height(), second + 30);
    EXPECT_TRUE(w.FrameHistogram1->SpeedButton3->isChecked());

    // Splitter6: the dynamics panel grows upwards to its limit, the paint box gives way
    const int dynamics = w.pDynamic->height();
    const int paintHeight = w.PaintPanel->height();
    Drag(w.Splitter6, 40);  // down: smaller
    EXPECT_EQ(w.pDynamic->height(), dynamics - 40);
    EXPECT_EQ(w.PaintPanel->height(), paintHeight + 40);
    Drag(w.Splitter6, -200);  // up, beyond the limit
    EXPECT_EQ(w.pDynamic->height(), 125);
    Drag(w.Splitter6, 500);  // down to the title button: collapsed
    EXPECT_EQ(w.pDynamic->height(), 18);
    EXPECT_FALSE(w.sb_Dynamic->isChecked());
    EXPECT_FALSE(w.Panel_tiempos->isVisible());
    SaveShot(w, "population_splitters.png");
}

TEST_F(TFPoblacionScreens, TrackBarsShowTheirSelectionOnTheGroove)
{
    TFPoblacion& w = ShowStudy();
    Click(w.sbPanelCharts);
    Click(w.SB_GraphicOptions);
    Click(w.sb_Dynamic);
    EXPECT_EQ(w.TrackBar_Transparency->SelEnd(), 20);
    EXPECT_EQ(w.TrackBar_Thickness->SelEnd(), 10);
    EXPECT_EQ(w.TrackBar_Speed->SelEnd(), 0);
    // a click on the groove moves the thickness by a page and its selection with it
    TTrackBar* thickness = w.TrackBar_Thickness;
    QTest::mouseClick(thickness, Qt::LeftButton, {}, QPoint(thickness->width() - 4, thickness->height() / 2));
    QApplication::processEvents();
    EXPECT_GT(thickness->value(), 10);
    EXPECT_EQ(thickness->SelEnd(), thickness->value());

    // the band runs from the start of the groove to the handle's centre
    const QRect band = thickness->SelectionRect();
    ASSERT_FALSE(band.isEmpty());
    const QImage image = thickness->grab().toImage();
    const QRgb navy = TTrackBar::SelectionColor().rgb();
    int inBand = 0;
    for (int x = band.left(); x <= band.right(); ++x)
        inBand += image.pixel(x, band.center().y()) == navy ? 1 : 0;
    EXPECT_GT(inBand, band.width() / 2);
    for (int x = band.right() + 12; x < image.width(); ++x)
        EXPECT_NE(image.pixel(x, band.center().y()), navy) << x;
    EXPECT_TRUE(thickness->rect().contains(band));
    // no selection, no band
    EXPECT_TRUE(w.TrackBar_Speed->SelectionRect().isEmpty());

    // progress: the selection follows the position
    w.TrackBar_Progress->setValue(40);
    EXPECT_EQ(w.TrackBar_Progress->SelEnd(), 40);
    const QRect progress = w.TrackBar_Progress->SelectionRect();
    const QRect half = [&] {
        w.TrackBar_Progress->SetSelection(0, 20);
        return w.TrackBar_Progress->SelectionRect();
    }();
    EXPECT_EQ(half.left(), progress.left());
    EXPECT_NEAR(half.width() * 2, progress.width(), 3);
    SaveShot(w, "population_track_bars.png");
}

TEST_F(TFPoblacionScreens, HoverColourStaysOnTheLabelUnderTheMouse)
{
    TFPoblacion& w = ShowStudy();
    CloseTheMessages(w);
    Click(w.sb_Dynamic);
    ASSERT_TRUE(w.Label_Speed->isVisible());
    QWidget* client = w.widget();
    const QPalette plain = w.Label_Speed->palette();
    const auto blue = [](QWidget* label) {
        return label->palette().color(QPalette::Active, QPalette::WindowText) == QColor(Qt::blue);
    };
    // the pointer moves through the window system: its crossings come a little later
    const auto moveTo = [](QWidget* target, QPoint at, const std::function<bool()>& shown) {
        QTest::mouseMove(target, at);
        QApplication::processEvents();
        return QTest::qWaitFor(shown, 2000);
    };
    // over the main window, the sub-window's frame and the page first
    QTest::mouseMove(&MainWindow(), QPoint(5, 5));
    QTest::mouseMove(client, QPoint(3, 3));
    EXPECT_TRUE(moveTo(w.Label_Speed, w.Label_Speed->rect().center(), [&] { return blue(w.Label_Speed); }));
    EXPECT_EQ(w.Label_Speed->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(blue(w.Label2));
    EXPECT_TRUE(moveTo(w.Label2, w.Label2->rect().center(), [&] { return blue(w.Label2); }));
    EXPECT_EQ(w.Label_Speed->palette(), plain);
    EXPECT_TRUE(moveTo(w.PaintBox1, QPoint(20, 20), [&] { return !blue(w.Label2); }));
    // nothing around the labels took the colour
    EXPECT_EQ(QApplication::palette(), m_application);
    EXPECT_TRUE(MainWindow().styleSheet().isEmpty());
    EXPECT_EQ(MainWindow().palette(), m_mainPalette);
    EXPECT_TRUE(w.styleSheet().isEmpty());
    EXPECT_TRUE(client->styleSheet().isEmpty());
    for (QWidget* child : client->findChildren<QWidget*>())
        EXPECT_NE(child->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::blue))
            << child->objectName().toStdString();
}

TEST_F(TFPoblacionScreens, TheSubjectPopupShowsItsPicture)
{
    TFPoblacion& w = ShowStudy();
    // a right press through the window system: the menu opens on it
    QWidget* top = w.PaintBox1->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    const QPoint at = w.PaintBox1->mapTo(top, QPoint(40, 40));
    QTest::mousePress(top->windowHandle(), Qt::RightButton, {}, at);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_TRUE(w.PopupMenu1->isVisible());
    ASSERT_FALSE(w.It1->icon().isNull());
    const QImage picture = w.It1->icon().pixmap(16, 16).toImage();
    EXPECT_EQ(picture.pixel(8, 12) & 0xFFFFFF, SubjectImageColor(w.It1ImageIndex) & 0xFFFFFF);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    SaveShot(*w.PopupMenu1, "population_subject_popup.png");
    w.PopupMenu1->close();
    QTest::mouseRelease(top->windowHandle(), Qt::RightButton, {}, at);
    // the two pictures differ
    EXPECT_NE(SubjectImage(0), SubjectImage(1));
}

TEST_F(TFPoblacionScreens, TheParametersStripShowsNoBarAndNoText)
{
    TFPoblacion& w = ShowStudy();
    w.PageControl1->setCurrentWidget(w.TabSheet_Parametros);
    QApplication::processEvents();
    EXPECT_EQ(w.ProgBar1->Value(), 0.0);
    EXPECT_FALSE(w.ProgBar1->TextVisible());
    platform::RecordingDevice& device = InstallRecorder(*w.ProgBar1, w.ProgBar1->width(), w.ProgBar1->height());
    w.ProgBar1->ForcePaint();
    int texts = 0;
    for (const platform::RecordedCall& call : device.Calls())
        texts += call.name == "TextOut" ? 1 : 0;
    EXPECT_EQ(texts, 0);
}

TEST_F(TFPoblacionScreens, TheSpeedControlsShowAsSoonAsTheyFitBesideTheClocks)
{
    TFPoblacion& w = AfterTheMessages();
    ASSERT_TRUE(w.Panel_Slides->isVisible());
    // the right panel narrowed to one pixel more than the two panels need
    const int need = w.Panel_tiempos->width() + w.Panel_Slides->minimumSizeHint().width();
    Drag(w.Splitter1, w.pDynamic->width() - need - 1);
    ASSERT_EQ(w.pDynamic->width(), need + 1);
    EXPECT_TRUE(w.Panel_Slides->isVisible());
    ExpectWholeInside(w.pDynamic);
    EXPECT_LE(Place(w.Panel_Slides, w).right(), Place(w.Panel_tiempos, w).left());
    // two pixels narrower they no longer fit
    Drag(w.Splitter1, 2);
    EXPECT_FALSE(w.Panel_Slides->isVisible());
    ExpectWholeInside(w.pDynamic);
}

namespace {

// The window system's answer on dimming, decided by a test while it lives.
struct TOpacityAnswer {
    explicit TOpacityAnswer(std::optional<bool> answer) { platform::SetWindowOpacityShows(answer); }
    ~TOpacityAnswer() { platform::SetWindowOpacityShows(std::nullopt); }
};

TFMsge* MessageOverBackdrop(TFPoblacion& w)
{
    for (TFMsge* message : w.MessageWindows())
        if (message->Backdrop())
            return message;
    return nullptr;
}

} // namespace

// Where the window system dims, the study's welcome message stays above its
// backdrop whatever is clicked: a press on the backdrop (as when a resize
// misses the message's border) leaves the message in front.
TEST_F(TFPoblacionScreens, TheMessageStaysAboveItsBackdrop)
{
    TOpacityAnswer dims(true);
    TFPoblacion& w = ShowStudy();
    TFMsge* message = MessageOverBackdrop(w);
    ASSERT_NE(message, nullptr);
    QWidget* backdrop = message->Backdrop();
    ASSERT_TRUE(backdrop->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(message));
    EXPECT_EQ(message->windowHandle()->transientParent(), backdrop->windowHandle());
    QTest::qWait(200);
    const QPoint corner(10, 10);
    ASSERT_FALSE(message->frameGeometry().contains(backdrop->mapToGlobal(corner)));
    for (int press = 0; press < 2; ++press) {
        ClickOnScreen(backdrop, corner);
        QTest::qWait(100);
        EXPECT_TRUE(message->isVisible());
        if (OnX11()) {
            EXPECT_TRUE(ShowsOnScreen(message->pButtons)) << "press " << press;
        }
    }
    if (OnX11())
        ScreenShot(QRect(QPoint(0, 0), QSize(1280, 1024)))
            .save(QCoreApplication::applicationDirPath() + QStringLiteral("/population_backdrop_pressed.png"));
    CloseTheMessages(w);
}

// Where the window system cannot dim (an X11 desktop without a compositor),
// no black backdrop hides the desktop: the program shows around the message.
TEST_F(TFPoblacionScreens, AnUndimmedBackdropHidesNothing)
{
    std::optional<TOpacityAnswer> answer;
    if (!OnX11())
        answer.emplace(false);
    TFPoblacion& w = ShowStudy();
    TFMsge* message = MessageOverBackdrop(w);
    ASSERT_NE(message, nullptr);
    if (platform::WindowOpacityShows())
        GTEST_SKIP() << "the window system dims";
    EXPECT_FALSE(message->Backdrop()->isVisible());
    EXPECT_TRUE(message->isVisible());
    if (OnX11()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(message));
        QTest::qWait(200);
        ScreenShot(QRect(QPoint(0, 0), QSize(1280, 1024)))
            .save(QCoreApplication::applicationDirPath() + QStringLiteral("/population_undimmed_message.png"));
        ASSERT_FALSE(message->frameGeometry().intersects(QRect(w.LabelTitle->mapToGlobal(QPoint(0, 0)), w.LabelTitle->size())));
        EXPECT_TRUE(ShowsOnScreen(w.LabelTitle));
        EXPECT_TRUE(ShowsOnScreen(message->pButtons));
    }
    CloseTheMessages(w);
}

// The "<>" button beside the clocks does what it shows at the first click
// after the charts open: up, the clocks alone; one click, down, with the
// speed controls beside the clocks on the screen.
TEST_F(TFPoblacionScreens, TheTimeControlsButtonWorksAtTheFirstClickAfterTheChartsOpen)
{
    if (!ScreenInputThroughX11())
        GTEST_SKIP() << "needs an X display";
    TFPoblacion& w = ShowStudy();
    CloseTheMessages(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window()));
    QTest::qWait(100);
    // the dynamics open, with the clocks
    if (!w.SB_ShowTimeControls->isVisible()) {
        ClickOnScreen(w.sb_Dynamic, w.sb_Dynamic->rect().center());
        QTest::qWait(100);
    }
    ASSERT_TRUE(w.SB_ShowTimeControls->isVisible());
    ASSERT_EQ(w.PanelMainL->width(), w.sbPanelCharts->width());
    ClickOnScreen(w.sbPanelCharts, w.sbPanelCharts->rect().center());
    QTest::qWait(100);
    ASSERT_TRUE(w.PanelCharts->isVisible());
    // the charts take the room, the clocks stand alone, the button is up
    EXPECT_FALSE(w.Panel_Slides->isVisible());
    EXPECT_FALSE(w.SB_ShowTimeControls->isChecked());
    EXPECT_TRUE(ShowsOnScreen(w.SB_ShowTimeControls));
    const int open = w.PanelMainL->width();

    ClickOnScreen(w.SB_ShowTimeControls, w.SB_ShowTimeControls->rect().center());
    QTest::qWait(100);
    EXPECT_TRUE(w.SB_ShowTimeControls->isChecked());
    EXPECT_LT(w.PanelMainL->width(), open);
    ASSERT_TRUE(w.Panel_Slides->isVisible());
    EXPECT_TRUE(ShowsOnScreen(w.Panel_Slides));
    EXPECT_TRUE(ShowsOnScreen(w.SB_ShowTimeControls));
    ScreenShot(QRect(QPoint(0, 0), QSize(1280, 1024)))
        .save(QCoreApplication::applicationDirPath() + QStringLiteral("/population_time_controls_first_click.png"));
    // and the next click gives the clocks alone again
    ClickOnScreen(w.SB_ShowTimeControls, w.SB_ShowTimeControls->rect().center());
    QTest::qWait(100);
    EXPECT_FALSE(w.SB_ShowTimeControls->isChecked());
    EXPECT_EQ(w.PanelMainL->width(), open);
    EXPECT_FALSE(w.Panel_Slides->isVisible());
}
