// Pictures of the sample window's pages, written to build/tests/sample_window_*.png:
// the design with a grouping variable and two variables to observe, the
// observation sheet with the meter stopped on a value and the repeats, the
// data after "add all", and the statistics of one variable by groups.
#include "sample_study.h"
#include "window_shot.h"

#include "widgets/analog_meter.h"
#include "windows/statistics_frame.h"

#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace sample_study;

namespace {

QImage Shot(TFMuestra* w, const char* name)
{
    QApplication::processEvents();
    // the window's parent area is never shown: lay out what changed since
    for (QLayout* layout : w->widget()->findChildren<QLayout*>())
        layout->activate();
    const QImage image = w->widget()->grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + "/sample_window_" + name + ".png");
    return image;
}

void Pick(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

class SampleWindowScreens : public SampleWindowFixture {
protected:
    TFMuestra* ShownSample()
    {
        TFMuestra* w = NewSample();
        w->show();
        w->resize(1100, 760);
        w->DesignBox()->setCurrentIndex(1);
        w->c_DesignBoxChange();
        GroupBy(w, "Sexo");
        Observe(w, {"Peso", "Talla"});
        SetSize(w, 1, 12);
        SetSize(w, 2, 18);
        return w;
    }
};

} // namespace

TEST_F(SampleWindowScreens, DesignObservationDataAndStatisticsPages)
{
    TFMuestra* w = ShownSample();
    ASSERT_TRUE(w->GetSampleButton()->isEnabled());
    EXPECT_GT(ColourCount(Shot(w, "design")), 8);

    w->GetSampleButton()->click();
    w->sb_NewRecordClick();
    SelectIn(w->ObservableVars(), {"Sexo"});
    w->sb_AnnotateClick();
    for (int i = 0; i < w->MeasureList()->count(); ++i)
        if (w->MeasureList()->item(i)->text() == "Peso")
            w->MeasureList()->setCurrentRow(i);
    w->sb_selectToMeasureClick();
    for (int i = 0; i < 3; ++i)
        w->sb_MeasureClick();
    EXPECT_NE(w->Meter()->Value(), 0.0);
    EXPECT_FALSE(w->RepeatTable()->isHidden());
    EXPECT_GT(ColourCount(Shot(w, "observation")), 8);

    w->tbAddAllRecordsClick();
    EXPECT_EQ(w->PageControl()->currentIndex(), 2);
    EXPECT_GT(ColourCount(Shot(w, "data")), 8);

    w->PageControl()->setCurrentIndex(3);
    Pick(w->StatVars1(), QStringLiteral("Peso"));
    Pick(w->StatVars2(), QStringLiteral("Sexo"));
    w->ExecuteStatistics();
    EXPECT_FALSE(w->StatisticsFrame()->isHidden());
    EXPECT_EQ(w->StatisticsFrame()->Mode(), TFramStat::ModeCY);
    if (auto* pages = w->StatisticsFrame()->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(2); // the comparison by groups
    EXPECT_GT(ColourCount(Shot(w, "statistics")), 4);
}

namespace {

// A widget's rectangle in the window's client.
QRect Place(const QWidget* widget, const TFMuestra* w)
{
    return QRect(widget->mapTo(w->widget(), QPoint(0, 0)), widget->size());
}

void ClickOn(QWidget* widget)
{
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
}

} // namespace

TEST_F(SampleWindowScreens, ButtonsStayAtTheTopAndMeasureOutStaysPut)
{
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    TFMuestra* w = ShownSample();
    QApplication::processEvents();
    ClickOn(w->GetSampleButton());
    ASSERT_EQ(w->PageControl()->currentIndex(), 1);
    auto* newRecord = w->findChild<QPushButton*>(QStringLiteral("sb_NewRecord"));
    auto* page = w->PageControl()->currentWidget();
    ASSERT_NE(newRecord, nullptr);
    QApplication::processEvents();
    // before "New record" the page is empty under its top row
    EXPECT_LT(newRecord->mapTo(page, QPoint(0, 0)).y(), 20);
    EXPECT_GT(page->height(), 400);
    Shot(w, "observation_empty");

    ClickOn(newRecord);
    for (int i = 0; i < w->MeasureList()->count(); ++i)
        if (w->MeasureList()->item(i)->text() == "Peso")
            w->MeasureList()->setCurrentRow(i);
    ClickOn(w->findChild<QPushButton*>(QStringLiteral("sb_selectToMeasure")));
    auto* measure = w->findChild<QPushButton*>(QStringLiteral("sb_Measure"));
    ASSERT_NE(measure, nullptr);
    ClickOn(measure);
    EXPECT_TRUE(w->RepeatTable()->isHidden());
    const QRect first = Place(measure, w);
    // the second measurement brings the repeats: the button stays under the pointer
    ClickOn(measure);
    ASSERT_FALSE(w->RepeatTable()->isHidden());
    EXPECT_EQ(Place(measure, w), first);
    EXPECT_TRUE(Place(w->RepeatTable(), w).top() >= first.bottom());
    ClickOn(measure);
    EXPECT_EQ(Place(measure, w), first);

    // the statistics page: the selectors at the top before "Statistics"
    w->PageControl()->setCurrentIndex(3);
    QApplication::processEvents();
    auto* run = w->findChild<QPushButton*>(QStringLiteral("SpeedButton1"));
    ASSERT_TRUE(w->StatisticsFrame()->isHidden());
    EXPECT_LT(run->mapTo(w->PageControl()->currentWidget(), QPoint(0, 0)).y(), 20);
    EXPECT_LT(w->StatVars1()->mapTo(w->PageControl()->currentWidget(), QPoint(0, 0)).y(), 20);
    Shot(w, "statistics_empty");
}
