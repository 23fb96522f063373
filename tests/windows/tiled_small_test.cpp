// Windows tiled small on the main window, as a teacher tiles four of them:
// controls keep apart from one another and from the charts; what does not
// fit scrolls.
#include "sample_study.h"
#include "window_shot.h"

#include "chart/chart.h"
#include "widgets/on_off_button.h"
#include "widgets/seven_segment.h"
#include "windows/normal_window.h"
#include "windows/process_window.h"
#include "windows/statistics_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
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
