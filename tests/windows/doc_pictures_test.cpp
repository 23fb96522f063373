// The four pictures of the program's front page, written to
// build/tests/doc_images/ (scripts/make_doc_images.sh copies them to
// docs/images/): the heights study after the clock has run, a sample of it
// measured on the scale and the meter, the regression on that sample, and
// the binomial trials after three launches. Every step is the user's click or key.
#include "population_fixture.h"
#include "process_window_fixture.h"
#include "sample_study.h"
#include "window_shot.h"

#include "chart/series/bar_series.h"
#include "core/random_process.h"
#include "widgets/analog_meter.h"
#include "widgets/on_off_button.h"
#include "windows/statistics_frame.h"

#include <QApplication>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>

namespace {

QString PictureFile(const char* name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/doc_images");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(name);
}

// Lays out what changed, grabs the widget and writes it.
QImage Write(QWidget* widget, const char* name)
{
    QApplication::processEvents();
    for (QLayout* layout : widget->findChildren<QLayout*>())
        layout->activate();
    const QImage image = widget->grab().toImage();
    EXPECT_TRUE(image.save(PictureFile(name))) << name;
    return image;
}

// A check box takes a click on its box, not anywhere on its row.
void ClickBox(QCheckBox* box)
{
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isVisible()) << box->objectName().toStdString();
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    QApplication::processEvents();
}

void Click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
}

void ClickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    QApplication::processEvents();
}

// Moves a combo box to the item with the text by its arrow keys.
void ChooseByKeys(QComboBox* combo, const QString& text)
{
    const int target = combo->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    combo->setFocus();
    while (combo->currentIndex() != target)
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    QApplication::processEvents();
}

std::string StudyText(const char* name)
{
    QFile file(QStringLiteral(VEXA_SOURCE_DIR "/resources/xml/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

class DocPicturesPopulation : public PopulationWindowFixture {};
class DocPicturesSample : public sample_study::SampleWindowFixture {};
class DocPicturesTrials : public ProcessWindowFixture {};

} // namespace

TEST_F(DocPicturesPopulation, HeightsStudyAfterTheClockHasRun)
{
    TFPoblacion& w = ShowStudy();
    Click(w.sbPanelCharts);
    Click(w.sb_Dynamic);
    Click(w.SB_ShowTimeControls);
    if (!w.cbShowModel->isVisible())
        Click(w.SB_GraphicOptions);
    ClickBox(w.cbShowModel);
    ChooseByKeys(w.FrameBarras1->CB_Variable, QStringLiteral("Zona"));
    w.TrackBar_Speed->setFocus();
    QTest::keyClick(w.TrackBar_Speed, Qt::Key_End);
    EXPECT_EQ(w.TrackBar_Speed->value(), w.TrackBar_Speed->maximum());
    Run(w, 50);
    // 300 real seconds at 400 %: 20 model minutes
    EXPECT_EQ(w.Poblacion()->ModelMinutes(), 20.0);
    EXPECT_EQ(w.FrameBarras1->Series_Bar1->Count(), 3);
    EXPECT_GT(ColourCount(Write(w.widget(), "population_window.png")), 20);
}

TEST_F(DocPicturesSample, ObservationSheetAndStatisticsOfTheHeightsStudy)
{
    Load(StudyText("estudio_alturas_pesos.xml"));
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    // the clicks move the focus from list to list, as in an active window
    MainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&MainWindow()));
    TFMuestra* w = NewSample();
    w->show();
    w->resize(1100, 760);
    QApplication::processEvents();

    TFrame1* variables = w->VarList();
    for (const char* name : {"Altura", "Peso"}) {
        ClickItem(variables->Variables(), QString::fromLatin1(name));
        Click(variables->SelecVarButton());
    }
    // the sample size typed into its cell
    TNTabEd* size = w->SampleSizeTable();
    const platform::Rect cell = size->CellRect(1, 1);
    QTest::mouseClick(size, Qt::LeftButton, {}, QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    // the first key opens the cell's editor, which takes the focus
    auto editor = [size] { return size->focusWidget() ? size->focusWidget() : size; };
    for (const char key : {'4', '0'})
        QTest::keyClicks(editor(), QString(QLatin1Char(key)));
    QTest::keyClick(editor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(size->GetElem(1, 1), 40.0);
    Click(w->GetSampleButton());
    ASSERT_EQ(w->PageControl()->currentIndex(), 1);

    // three individuals: the weight measured on the scale and registered, the height measured on the meter (three times
    // for the last one, which stays on the sheet)
    auto measure = [&](const char* name, int repeats) {
        ClickItem(w->MeasureList(), QString::fromLatin1(name));
        Click(w->findChild<QPushButton*>(QStringLiteral("sb_selectToMeasure")));
        for (int repeat = 0; repeat < repeats; ++repeat)
            Click(w->findChild<QPushButton*>(QStringLiteral("sb_Measure")));
    };
    for (int record = 0; record < 3; ++record) {
        Click(w->findChild<QPushButton*>(QStringLiteral("sb_NewRecord")));
        measure("Peso", 1);
        Click(w->findChild<QPushButton*>(QStringLiteral("sb_register")));
        measure("Altura", record < 2 ? 1 : 3);
        if (record < 2) {
            Click(w->findChild<QPushButton*>(QStringLiteral("sb_register")));
            Click(w->findChild<QToolButton*>(QStringLiteral("tbAddRecord")));
        }
    }
    EXPECT_NE(w->Meter()->Value(), 0.0);
    EXPECT_FALSE(w->RepeatTable()->isHidden());
    EXPECT_GT(ColourCount(Write(w->widget(), "sample_window_observation.png")), 20);

    Click(w->findChild<QToolButton*>(QStringLiteral("tbAddAllRecords")));
    ASSERT_EQ(w->PageControl()->currentIndex(), 2);
    QTabBar* tabs = w->PageControl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    QApplication::processEvents();
    ASSERT_EQ(w->PageControl()->currentIndex(), 3);
    ChooseByKeys(w->StatVars1(), QStringLiteral("Peso"));
    ChooseByKeys(w->StatVars2(), QStringLiteral("Altura"));
    Click(w->findChild<QPushButton*>(QStringLiteral("SpeedButton1")));
    ASSERT_FALSE(w->StatisticsFrame()->isHidden());
    // the regression of weight on height
    auto* analysis = w->StatisticsFrame()->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(analysis, nullptr);
    const int last = analysis->count() - 1;
    QTest::mouseClick(analysis->tabBar(), Qt::LeftButton, {}, analysis->tabBar()->tabRect(last).center());
    QApplication::processEvents();
    ASSERT_EQ(analysis->currentIndex(), last);
    EXPECT_GT(ColourCount(Write(w->widget(), "statistics_page.png")), 20);
}

TEST_F(DocPicturesTrials, ThreeRepeatedLaunchesWithTheirData)
{
    if (!Find<QWidget>("cbViewData")->isVisible())
        Click(Find<QWidget>("sbOptions"));
    ClickBox(Find<QCheckBox>("cbViewData"));
    ClickBox(Find<QCheckBox>("cbRepeat"));
    auto* repetitions = Find<QSpinBox>("SpinRepeticiones");
    // three repeated launches, the Up arrow taking the trials to 2, 10 and 50
    for (int launch = 0; launch < 3; ++launch) {
        repetitions->setFocus();
        QTest::keyClick(repetitions, Qt::Key_Up);
        Click(window->LaunchButton());
    }
    // one series of 2 + 10 + 50 trials
    ASSERT_NE(window->Process(1), nullptr);
    EXPECT_EQ(window->Process(1)->TrialCount(), 62);
    EXPECT_GT(ColourCount(Write(window->widget(), "binomial_trials.png")), 10);
}
