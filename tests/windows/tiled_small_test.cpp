// Windows tiled small on the main window, as a teacher tiles four of them:
// controls keep apart from one another and from the charts; what does not
// fit scrolls.
#include "sample_study.h"
#include "window_shot.h"

#include "chart/chart.h"
#include "widgets/on_off_button.h"
#include "widgets/seven_segment.h"
#include "windows/normal_window.h"
#include "windows/bar_frame.h"
#include "windows/histogram_frame.h"
#include "windows/population_window.h"
#include "window_base/message_window.h"
#include "windows/process_window.h"
#include "windows/statistics_frame.h"
#include "windows/track_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

using namespace sample_study;

constexpr QSize kTile(430, 330);  // a quarter of a small main window

QRect PlaceIn(const QWidget* widget, const QWidget* ancestor)
{
    return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

// The pairs of the shown widgets that cover one another within Ancestor.
std::vector<std::string> Overlaps(const std::vector<QWidget*>& widgets, const QWidget* ancestor)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < widgets.size(); ++i)
        for (std::size_t j = i + 1; j < widgets.size(); ++j) {
            if (!widgets[i]->isVisible() || !widgets[j]->isVisible())
                continue;
            if (PlaceIn(widgets[i], ancestor).intersects(PlaceIn(widgets[j], ancestor)))
                out.push_back(widgets[i]->objectName().toStdString() + " over " + widgets[j]->objectName().toStdString());
        }
    return out;
}

void Click(QWidget* widget)
{
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
}

class TiledSmall : public SampleWindowFixture {
protected:
    void SetUp() override
    {
        SampleWindowFixture::SetUp();
        MainWindow().resize(900, 700);
        MainWindow().show();
    }
    // The window placed as tiling places it.
    static void Tile(QWidget* window)
    {
        window->show();
        window->setGeometry(QRect(QPoint(0, 0), kTile));
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(TiledSmall, TheCriterionSliderStaysUnderTheChart)
{
    auto* w = new TFNormales(&MainWindow(), QString());
    Tile(w);
    Click(w->findChild<QAbstractButton*>(QStringLiteral("sbInit1")));  // "plot"
    auto* chart = w->findChild<TChart*>(QStringLiteral("ChartNormales"));
    auto* slider = w->findChild<QSlider*>(QStringLiteral("TrackBar_C0"));
    ASSERT_TRUE(chart && slider);
    const QImage shot = SaveShot(*w, "tiled_normal.png");
    ASSERT_TRUE(slider->isVisibleTo(w));
    EXPECT_FALSE(PlaceIn(slider, w).intersects(PlaceIn(chart, w)));
    EXPECT_GE(chart->height(), chart->minimumHeight());
    // the chart as painted in the window is the chart's own picture: nothing lies on it
    auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("GraphScroll"));
    ASSERT_NE(scroll, nullptr);
    const QRect place = PlaceIn(chart, w);
    const QRect visible = place.intersected(PlaceIn(scroll->viewport(), w));
    ASSERT_GT(visible.width() * visible.height(), 100 * 80);
    const QImage own = chart->grab().toImage().copy(visible.translated(-place.topLeft()));
    EXPECT_EQ(shot.copy(visible).convertToFormat(own.format()), own);
    delete w;
}

TEST_F(TiledSmall, TheLaunchRowKeepsItsLabelApart)
{
    auto* w = new TFProceso(&MainWindow(), QString());
    Tile(w);
    w->FormActivate();
    QApplication::processEvents();
    SaveShot(*w, "tiled_process.png");
    auto* label = w->findChild<QLabel*>(QStringLiteral("LblLanzar"));
    auto* reset = w->findChild<QToolButton*>(QStringLiteral("sbReset"));
    ASSERT_TRUE(label && reset);
    EXPECT_EQ(label->text(), QStringLiteral("Nuevo lanzamiento"));
    EXPECT_GE(label->width(), label->sizeHint().width());
    std::vector<QWidget*> left{label, reset, w->LaunchButton(), w->DisplayAciertos(), w->DisplayPruebas(),
                               w->findChild<QLabel*>(QStringLiteral("LblAciertos")),
                               w->findChild<QLabel*>(QStringLiteral("LblPruebas")), w->ChartT(), w->ChartP()};
    EXPECT_EQ(Overlaps(left, w), std::vector<std::string>{});
    // the launch still works from the button
    Click(w->LaunchButton());
    EXPECT_EQ(w->DisplayPruebas()->Caption(), "0001");
    delete w;
}

TEST_F(TiledSmall, TheStatisticsHeaderKeepsItsSelectorsApart)
{
    TFMuestra* w = NewSample();
    w->show();
    w->resize(1100, 760);
    Observe(w, {"Peso", "Talla"});
    SetSize(w, 1, 12);
    Click(w->GetSampleButton());
    w->PageControl()->setCurrentIndex(3);
    QApplication::processEvents();
    w->StatVars1()->setCurrentIndex(w->StatVars1()->findText(QStringLiteral("Peso")));
    Click(w->findChild<QPushButton*>(QStringLiteral("SpeedButton1")));  // "Statistics"
    Tile(w);
    SaveShot(*w, "tiled_sample_statistics.png");
    QWidget* page = w->StatVars1()->parentWidget();
    std::vector<QWidget*> header;
    for (const char* name : {"Label7", "cbSVars1", "lblVar1", "Label8", "cbSVars2", "lblVar2", "SpeedButton1"})
        header.push_back(page->findChild<QWidget*>(QString::fromLatin1(name)));
    for (QWidget* widget : header)
        ASSERT_NE(widget, nullptr);
    EXPECT_EQ(Overlaps(header, page), std::vector<std::string>{});
    for (QWidget* widget : header)
        EXPECT_TRUE(page->rect().contains(PlaceIn(widget, page))) << widget->objectName().toStdString();
}

namespace {

// The widget lies whole inside each of its ancestors up to Top: nothing of
// it is cut off (a scrolling page is the top: scrolling shows all of it).
bool WholeUpTo(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* a = widget->parentWidget(); a; a = a->parentWidget()) {
        if (!a->rect().contains(QRect(widget->mapTo(a, QPoint(0, 0)), widget->size())))
            return false;
        if (a == top)
            return true;
    }
    return false;
}

// The window area of the main window maximised on a 1280 x 1024 screen
// (under a window manager's title bar, below the menu and tool bars).
constexpr QSize kMaximisedArea(1280, 936);

// The sizes the Window menu's tiles give two, three and four windows side by
// side and one above the other.
std::vector<QSize> TileSizes(const QSize& area)
{
    std::vector<QSize> sizes;
    for (int n : {2, 3, 4})
        sizes.insert(sizes.end(), {QSize(area.width() / n, area.height()), QSize(area.width(), area.height() / n)});
    return sizes;
}

} // namespace

// A population window tiled with others on a 1280 x 1024 screen: every
// control stays whole and apart, on the page or scrolled to.
TEST_F(TiledSmall, APopulationWindowTiledKeepsEveryControlUsable)
{
    MainWindow().resize(1280, 1000);
    QApplication::processEvents();
    auto* w = new TFPoblacion(&MainWindow());
    w->SetDataSource(Document, QStringLiteral("study"));
    for (TFMsge* m : w->MessageWindows())
        m->close();
    w->show();
    w->FormActivate();
    QApplication::processEvents();
    // the dynamics open, as a teacher opens them
    if (!w->sb_Dynamic->isChecked())
        Click(w->sb_Dynamic);
    auto* page = w->findChild<QWidget*>(QStringLiteral("PixelsPage"));
    ASSERT_NE(page, nullptr);
    int k = 0;
    for (const QSize& size : TileSizes(kMaximisedArea))
      for (bool speed : {false, true}) {
        w->showNormal();
        w->setGeometry(QRect(QPoint(0, 0), size));
        QApplication::processEvents();
        // the charts beside the clocks; collapsed, they leave room for the speed controls too
        if (w->sbPanelCharts->isChecked() == speed)
            Click(w->sbPanelCharts);
        ASSERT_NE(w->sbPanelCharts->isChecked(), speed);
        const std::string when = std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                                 (speed ? " with the charts collapsed" : " with the charts open");
        SaveShot(*w, ("tiled_population_" + std::to_string(k++) + ".png").c_str());
        std::vector<QWidget*> controls{w->sbPanelCharts, w->Lbl_Get_sample, w->ssH_Actual, w->ssM_Actual, w->ssH_Final,
                                       w->ssM_Total, w->SB_ShowTimeControls, w->sb_Dynamic, w->sb_Sampling};
        if (speed)
            controls.insert(controls.end(), {w->SB_PlayStop, w->TrackBar_Speed, w->TrackBar_Progress});
        else
            controls.insert(controls.end(), {w->FrameBarras1->SpeedButton1, w->FrameBarras1->SpeedButton3,
                                             w->FrameHistogram1->SpeedButton3, w->FrameHistogram2->SpeedButton1,
                                             w->FrameHistogram2->SpeedButton3, w->SB_GraphicOptions});
        for (QWidget* control : controls) {
            ASSERT_NE(control, nullptr);
            EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString() << ", " << when;
            EXPECT_TRUE(WholeUpTo(control, page)) << control->objectName().toStdString() << ", " << when;
        }
        EXPECT_EQ(Overlaps(controls, page), std::vector<std::string>{}) << when;
        if (speed)
            continue;
        // the charts keep room to show their bars and classes
        for (TChart* chart : {w->FrameBarras1->ChartPoblacion, w->FrameHistogram2->ChartPoblacion}) {
            EXPECT_GE(chart->height(), 90) << chart->parentWidget()->objectName().toStdString() << ", " << when;
            EXPECT_GE(chart->width(), 150) << when;
            EXPECT_TRUE(WholeUpTo(chart, page)) << when;
        }
    }
    delete w;
}

// The normal-curves window about 660 pixels wide: the chart and the alpha
// and beta values show whole, without scrolling sideways.
TEST_F(TiledSmall, TheNormalCurvesShowWholeInAHalfWidthTile)
{
    MainWindow().resize(1280, 1000);
    auto* w = new TFNormales(&MainWindow(), QString());
    w->show();
    for (int width : {660, 640}) {
        w->setGeometry(0, 0, width, 960);
        QApplication::processEvents();
        Click(w->findChild<QAbstractButton*>(QStringLiteral("sbInit1")));  // "plot"
        SaveShot(*w, width == 660 ? "tiled_normal_660.png" : "tiled_normal_640.png");
        auto* scroll = w->findChild<QScrollArea*>(QStringLiteral("GraphScroll"));
        ASSERT_NE(scroll, nullptr);
        const QWidget* view = scroll->viewport();
        auto shownWhole = [view](const QWidget* x) {
            return x->isVisible() && view->rect().contains(QRect(x->mapTo(view, QPoint(0, 0)), x->size()));
        };
        EXPECT_TRUE(shownWhole(w->findChild<TChart*>(QStringLiteral("ChartNormales")))) << width;
        for (const char* name : {"Lbl_1a", "lbl_a", "lbl_b", "lbl_1b", "Caption_Lbl_1a", "Caption_lbl_1b"}) {
            auto* value = w->findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(value, nullptr) << name;
            EXPECT_TRUE(shownWhole(value)) << name << ", " << width;
        }
        EXPECT_LE(scroll->widget()->width(), view->width()) << width;
    }
    delete w;
}
