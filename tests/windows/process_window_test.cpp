#include "../support/shell_test_support.h"
#include "chart_drawing_checks.h"
#include "process_window_fixture.h"
#include "window_shot.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/controls/chart_grid.h"
#include "chart/controls/chart_list_box.h"
#include "chart/series/custom_series.h"
#include "chart/series_pointer.h"
#include "core/random_process.h"
#include "testing/settable_clock.h"
#include "widgets/on_off_button.h"
#include "widgets/seven_segment.h"
#include "widgets/table_editor.h"
#include "windows/process_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

// Reference outcomes: python3 with integer arithmetic modulo 2**32 and exact
// fractions, p the double 30/100:
//   s = (s*134775813 + 1) % 2**32; outcome = 1 if Fraction(s, 2**32) <= Fraction(30/100) else 0
// seed 1234, 40 trials: 0001010000 0000110000 0110100010 1000100111
//   successes after 10 trials 2, after 40 trials 13
// seed 5678, 20 trials: 1010100101 1100110010, successes 10
// The generator is seeded from the settable clock's counter when a series'
// process is made, and again by the reset.

namespace {

const char* const kFirst40 = "0001010000000011000001101000101000100111";

// Index of the point with that X value, -1 when none.
int IndexOfX(const TChartSeries& s, double x)
{
    for (int i = 0; i < s.Count(); ++i)
        if (s.XValues().Value(i) == x)
            return i;
    return -1;
}

class ProcessWindow : public ProcessWindowFixture {
protected:
    void Waited(double) override { lampCaptions.push_back(Displays()); }
    // Repeat on, n trials per launch.
    void SetRepetitions(int n)
    {
        auto* repeat = Find<QCheckBox>("cbRepeat");
        if (!repeat->isChecked())
            repeat->click();
        Find<QSpinBox>("SpinRepeticiones")->setValue(n);
        ASSERT_EQ(window->Repetitions(), n);
    }
    QImage Shot(const char* file) { return SaveShot(*window, file); }
    std::string Displays() const
    {
        return window->DisplayAciertos()->Caption() + "|" + window->DisplayPruebas()->Caption();
    }

    std::vector<std::string> lampCaptions;
};

} // namespace

TEST_F(ProcessWindow, ActivationSetsTheSpanishTextsAndTheAxes)
{
    EXPECT_EQ(Find<QLabel>("LblLanzar")->text(), "Nuevo lanzamiento");
    EXPECT_EQ(Find<QLabel>("LblAciertos")->text(), "Aciertos");
    EXPECT_EQ(Find<QLabel>("LblPruebas")->text(), "Pruebas");
    EXPECT_EQ(window->ChartT()->Title()->Text().Lines(), std::vector<std::string>{"Pruebas"});
    EXPECT_EQ(window->ChartP()->Title()->Text().Lines(), std::vector<std::string>{"Proporción de aciertos"});
    EXPECT_EQ(window->ChartT()->LeftAxis()->Minimum(), -0.5);
    EXPECT_EQ(window->ChartT()->LeftAxis()->Maximum(), 1.5);
    EXPECT_EQ(window->ChartP()->LeftAxis()->Minimum(), -0.05);
    EXPECT_EQ(window->ChartP()->LeftAxis()->Maximum(), 1.05);
    EXPECT_EQ(Find<QSpinBox>("SpinEdit1")->value(), 30);
    EXPECT_EQ(window->DisplayPruebas()->Caption(), "0000");
    EXPECT_EQ(window->DisplayPruebas()->NumDigits(), 4);
    EXPECT_FALSE(Find<QToolButton>("sbReset")->isEnabled());
    EXPECT_TRUE(window->LaunchButton()->OnOff());
    EXPECT_EQ(window->CurrentSeries(), 0);
    EXPECT_EQ(window->Repetitions(), 1);
    EXPECT_EQ(window->GridT()->Chart(), window->ChartT());
    for (const char* name : {"ChartGrid_T", "ChartGrid_P"})
        EXPECT_EQ(Find<TChartGrid>(name)->BorderStyle(), platform::bsNone) << name;
    for (const char* name : {"ChartListBox_T", "ChartListBox_P"})
        EXPECT_EQ(Find<TChartListBox>(name)->BorderStyle(), platform::bsNone) << name;
    EXPECT_TRUE(Find<QCheckBox>("cbKeep_T")->isChecked());
    EXPECT_EQ(window->Pages()->tabText(0), "  Process  ");
}

TEST_F(ProcessWindow, SeededLaunchesResetAndANewSeries)
{
    SetRepetitions(10);
    window->LaunchButton()->OnClick(window->LaunchButton());
    ASSERT_EQ(window->CurrentSeries(), 1);
    tBernoulli* first = window->Process(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Probability(), 0.3);
    EXPECT_EQ(first->TrialCount(), 10);
    EXPECT_EQ(first->Sum(), 2);
    EXPECT_EQ(Displays(), "0002|0010");
    EXPECT_TRUE(Find<QToolButton>("sbReset")->isEnabled());
    EXPECT_TRUE(window->LaunchButton()->OnOff());

    TChart& chartT = *window->ChartT();
    TChart& chartP = *window->ChartP();
    ASSERT_EQ(chartT.SeriesCount(), 1);
    ASSERT_EQ(chartP.SeriesCount(), 1);
    TChartSeries& t = *chartT.Series(0);
    TChartSeries& p = *chartP.Series(0);
    EXPECT_EQ(t.Title(), "Serie 1");
    EXPECT_EQ(p.Title(), "Serie 1");
    EXPECT_EQ(t.SeriesColor(), clRed);
    EXPECT_EQ(static_cast<TCustomSeries&>(t).Pointer().HorizSize(), 2);
    EXPECT_TRUE(t.Marks().Visible());  // ten trials: the marks stay
    ASSERT_EQ(t.Count(), 10);
    ASSERT_EQ(p.Count(), 10);
    // points in trial order
    for (int i = 0; i < 10; ++i) {
        const bool success = kFirst40[i] == '1';
        EXPECT_EQ(t.XValues().Value(i), i + 1) << i;
        EXPECT_EQ(t.YValues().Value(i), success ? 1.0 : 0.0) << i;
        EXPECT_EQ(t.Labels().Label(i), success ? "Acierto" : "Fallo") << i;
    }
    // the proportion after trial 10 is 2/10
    ASSERT_GE(IndexOfX(p, 10), 0);
    EXPECT_EQ(p.YValues().Value(IndexOfX(p, 10)), 0.2);
    // the grids show the bound series (two header rows, then the points):
    // with their X values: the trials and the outcomes or proportions
    TChartGrid& gridT = *window->GridT();
    TChartGrid& gridP = *window->GridP();
    EXPECT_EQ(gridT.Series(), &t);
    EXPECT_EQ(gridP.Series(), &p);
    EXPECT_EQ(gridT.RowCount(), 2 + 10);
    EXPECT_EQ(gridT.ColCount(), 3);
    EXPECT_EQ(gridT.CellText(2, 1), "Y");
    EXPECT_EQ(gridP.ColCount(), 3);
    EXPECT_EQ(gridP.CellText(1, 1), "X");
    EXPECT_EQ(gridP.CellText(2, 1), "Y");
    EXPECT_EQ(gridP.CellText(1, TChartGrid::FirstDataRow + 9), "10");
    EXPECT_EQ(gridP.CellText(2, TChartGrid::FirstDataRow + 9), "0.2");
    EXPECT_EQ(window->ListBoxT()->Count(), 1);
    EXPECT_EQ(window->ListBoxT()->ItemText(0), "Serie 1");

    // 30 more in the same series
    SetRepetitions(30);
    window->Execute();
    EXPECT_EQ(first->TrialCount(), 40);
    EXPECT_EQ(first->Sum(), 13);
    EXPECT_EQ(Displays(), "0013|0040");
    EXPECT_TRUE(chartT.BottomAxis()->Visible());
    EXPECT_TRUE(chartT.BottomAxis()->Labels());
    EXPECT_EQ(t.Count(), 40);
    EXPECT_FALSE(t.Marks().Visible());
    EXPECT_FALSE(p.Marks().Visible());
    EXPECT_EQ(window->GridP()->RowCount(), 2 + 40);
    EXPECT_EQ(window->GridT()->RowCount(), 2 + 40);
    int successes = 0;
    for (int i = 0; i < 40; ++i)
        successes += t.YValues().Value(i) == 1.0;
    EXPECT_EQ(successes, 13);
    for (int trial = 1; trial <= 40; ++trial) {
        const int index = IndexOfX(t, trial);
        ASSERT_GE(index, 0) << trial;
        EXPECT_EQ(t.YValues().Value(index), kFirst40[trial - 1] - '0') << trial;
    }

    // reset: the lamp test, grey series, the repetitions held to the closed count
    clock.SetCounter(5678);
    Find<QToolButton>("sbReset")->click();
    EXPECT_EQ(waits, (std::vector<double>{0.5, 0.3}));
    EXPECT_EQ(lampCaptions, (std::vector<std::string>{"8888|8888", "    |    "}));
    EXPECT_EQ(Displays(), "0000|0000");
    EXPECT_EQ(window->CurrentSeries(), 2);
    EXPECT_FALSE(Find<QToolButton>("sbReset")->isEnabled());
    EXPECT_TRUE(window->LaunchButton()->Enabled());
    auto* spin = Find<QSpinBox>("SpinRepeticiones");
    EXPECT_EQ(spin->value(), 40);
    EXPECT_EQ(spin->maximum(), 40);
    EXPECT_EQ(t.SeriesColor(), clSilver);
    EXPECT_TRUE(t.Active());  // the last one stays active
    // closed, greyed and still in sight
    EXPECT_EQ(p.SeriesColor(), 0x808080u);

    // 20 trials of the second series
    SetRepetitions(20);
    window->Execute();
    tBernoulli* second = window->Process(2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->TrialCount(), 20);
    EXPECT_EQ(second->Sum(), 10);
    EXPECT_EQ(Displays(), "0010|0020");
    ASSERT_EQ(chartT.SeriesCount(), 2);
    EXPECT_EQ(chartT.Series(1)->Title(), "Serie 2");
    EXPECT_EQ(chartT.Series(1)->SeriesColor(), clRed);
    EXPECT_EQ(chartT.Series(1)->Count(), 20);
    EXPECT_EQ(first->TrialCount(), 40);
    EXPECT_EQ(window->ListBoxP()->Count(), 2);
    EXPECT_EQ(window->ListBoxP()->ItemText(1), "Serie 2");
    EXPECT_EQ(window->GridT()->Series(), chartT.Series(1));
    EXPECT_EQ(window->GridT()->RowCount(), 2 + 20);

    // the summary
    Find<QToolButton>("SpeedButton1")->click();
    EXPECT_EQ(window->Pages()->currentIndex(), 1);
    TNTabEd& summary = *window->Summary();
    ASSERT_EQ(summary.NrOfColumns(), 3);
    ASSERT_EQ(summary.NrOfRows(), 2);
    EXPECT_EQ(summary.GetColName(1), "Pruebas");
    EXPECT_EQ(summary.GetColName(2), "Aciertos");
    EXPECT_EQ(summary.GetColName(3), "porcentaje");
    EXPECT_EQ(summary.GetRowName(1), "Proceso 1");
    EXPECT_EQ(summary.GetRowName(2), "Proceso 2");
    EXPECT_EQ(summary.GetElem(1, 1), 40.0);
    EXPECT_EQ(summary.GetElem(2, 1), 13.0);
    EXPECT_EQ(summary.GetElem(3, 1), 13.0 / 40.0);
    EXPECT_EQ(summary.GetElem(3, 2), 0.5);
    EXPECT_EQ(summary.GetDecPlaces(3), 3);
    EXPECT_EQ(summary.GetDecPlaces(1), 0);
    EXPECT_EQ(summary.GetColWidth(2), 70);
}

TEST_F(ProcessWindow, TrialCountsShowModuloTenThousand)
{
    SetRepetitions(2469);
    for (int i = 0; i < 5; ++i)
        window->Execute();
    EXPECT_EQ(window->Process(1)->TrialCount(), 12345);
    EXPECT_EQ(window->DisplayPruebas()->Caption(), "2345");
}

TEST_F(ProcessWindow, ThreeThousandTrialsWithTheirRedrawTakeUnderASecond)
{
    Find<QCheckBox>("cbViewData")->click();
    SetRepetitions(3000);
    QElapsedTimer timer;
    timer.start();
    window->Execute();
    Shot("process_3000_trials.png");
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(window->Process(1)->TrialCount(), 3000);
    EXPECT_EQ(window->GridT()->RowCount(), 2 + 3000);
    // past a hundred trials too the T chart numbers its trials
    EXPECT_TRUE(window->ChartT()->BottomAxis()->Visible());
    EXPECT_TRUE(window->ChartP()->BottomAxis()->Visible());
    EXPECT_LT(elapsed, 1000);
}

TEST_F(ProcessWindow, TheCurrentSeriesStaysWithinTheSlots)
{
    for (int series = 1; series <= kLastProcessSlot; ++series) {
        window->Execute();
        ASSERT_EQ(window->CurrentSeries(), series);
        window->sbResetClick();
    }
    // the 102nd series reuses the last slot
    EXPECT_EQ(window->CurrentSeries(), kLastProcessSlot);
    EXPECT_EQ(window->Process(kLastProcessSlot), nullptr);
    EXPECT_EQ(window->Process(kProcessSlotCount), nullptr);
    window->Execute();
    ASSERT_NE(window->Process(kLastProcessSlot), nullptr);
    EXPECT_EQ(window->Process(kLastProcessSlot)->TrialCount(), 1);
    EXPECT_EQ(window->ChartT()->SeriesCount(), 102);
    window->sbResetClick();
    EXPECT_EQ(window->CurrentSeries(), kLastProcessSlot);
}

TEST_F(ProcessWindow, RepetitionsArrowsLandOnRoundNumbers)
{
    auto* spin = Find<QSpinBox>("SpinRepeticiones");
    const std::pair<int, int> steps[] = {{3, 7}, {7, 3}, {10, 40}, {49, 1}, {50, 50}, {99, 1}, {100, 100}, {300, 100}};
    for (auto [value, step] : steps) {
        spin->setValue(value);
        EXPECT_EQ(spin->singleStep(), step) << value;
    }
    EXPECT_EQ(window->Repetitions(), 1);  // Repeat off
    Find<QCheckBox>("cbRepeat")->click();
    EXPECT_EQ(window->Repetitions(), 300);
    Find<QToolButton>("sbResetRepeat")->click();
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(spin->maximum(), 2000);
    EXPECT_EQ(window->Repetitions(), 1);
    Find<QCheckBox>("cbRepeat")->click();
    spin->setValue(20);
    EXPECT_EQ(window->Repetitions(), 1);
}

// The first activation folds the options; later ones leave them as the
// user set them.
TEST_F(ProcessWindow, OptionsFoldAtTheFirstActivationOnly)
{
    auto* fresh = new TFProceso(&MainWindow(), QString());
    auto* freshOptions = fresh->findChild<QToolButton*>(QStringLiteral("sbOptions"));
    ASSERT_NE(freshOptions, nullptr);
    fresh->FormActivate();
    EXPECT_FALSE(freshOptions->isChecked());
    fresh->FormActivate();
    EXPECT_FALSE(freshOptions->isChecked());
    fresh->close();

    auto* options = Find<QToolButton>("sbOptions");
    for (int click = 0; click < 2; ++click) {
        options->click();
        const bool set = options->isChecked();
        EXPECT_EQ(set, click == 0) << "click " << click;
        window->FormActivate();
        EXPECT_EQ(options->isChecked(), set) << "click " << click;
    }
}

// The success probability the user set stays when the window comes back
// to the front, and the next launch uses it.
TEST_F(ProcessWindow, TheProbabilityStaysAsSetWhenTheWindowComesBack)
{
    auto* probability = Find<QSpinBox>("SpinEdit1");
    ASSERT_EQ(probability->value(), 30);
    probability->setFocus();
    QTest::keyClick(probability, Qt::Key_Up);
    QTest::keyClick(probability, Qt::Key_Up);
    ASSERT_EQ(probability->value(), 40);
    auto* other = new TFProceso(&MainWindow(), QString());
    other->show();
    MainWindow().MDIArea()->setActiveSubWindow(other);
    QApplication::processEvents();
    ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), other);
    MainWindow().MDIArea()->setActiveSubWindow(window);
    QApplication::processEvents();
    ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), window);
    EXPECT_EQ(probability->value(), 40);
    QTest::mouseClick(window->LaunchButton(), Qt::LeftButton, {}, window->LaunchButton()->rect().center());
    QApplication::processEvents();
    ASSERT_NE(window->Process(1), nullptr);
    EXPECT_DOUBLE_EQ(window->Process(1)->Probability(), 0.4);
}

// With "Repeat" off each launch runs one trial, also after a reset has put
// the closed series' count in the spin and the window has come back to the
// front.
TEST_F(ProcessWindow, OneTrialALaunchWithoutRepeatAfterTheWindowComesBack)
{
    ASSERT_FALSE(Find<QCheckBox>("cbRepeat")->isChecked());
    const auto launch = [this] {
        QTest::mouseClick(window->LaunchButton(), Qt::LeftButton, {}, window->LaunchButton()->rect().center());
        QApplication::processEvents();
    };
    for (int i = 0; i < 3; ++i)
        launch();
    ASSERT_EQ(window->Process(1)->TrialCount(), 3);
    Find<QToolButton>("sbReset")->click();
    ASSERT_EQ(Find<QSpinBox>("SpinRepeticiones")->value(), 3);
    auto* other = new TFProceso(&MainWindow(), QString());
    other->show();
    MainWindow().MDIArea()->setActiveSubWindow(other);
    QApplication::processEvents();
    MainWindow().MDIArea()->setActiveSubWindow(window);
    QApplication::processEvents();
    ASSERT_EQ(MainWindow().MDIArea()->activeSubWindow(), window);
    EXPECT_EQ(window->Repetitions(), 1);
    launch();
    ASSERT_NE(window->Process(2), nullptr);
    EXPECT_EQ(window->Process(2)->TrialCount(), 1);
}

TEST_F(ProcessWindow, LogarithmicProportionsAndHiddenPChart)
{
    Find<QCheckBox>("cbLog_P")->click();
    EXPECT_TRUE(window->ChartP()->BottomAxis()->Logarithmic());
    Find<QCheckBox>("cbPChart")->click();
    EXPECT_TRUE(Find<QWidget>("PanelChart_P")->isHidden());
    Find<QCheckBox>("cbPChart")->click();
    EXPECT_FALSE(Find<QWidget>("PanelChart_P")->isHidden());
}

TEST_F(ProcessWindow, ClosingFreesTheProcesses)
{
    window->Execute();
    ASSERT_NE(window->Process(1), nullptr);
    TCloseAction action = caFree;
    window->FormClose(action);
    EXPECT_EQ(window->Process(1), nullptr);
    EXPECT_EQ(window->CurrentSeries(), 0);
}

TEST_F(ProcessWindow, LaunchesOnScreen)
{
    Find<QCheckBox>("cbViewData")->click();
    SetRepetitions(10);
    window->Execute();
    SetRepetitions(30);
    window->Execute();
    window->sbResetClick();
    SetRepetitions(20);
    window->Execute();
    const QImage shot = Shot("process_window_launches.png");
    // red points and lines of the current series
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            red += shot.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 100);
    window->SpeedButton1Click();
    Shot("process_window_summary.png");
}

// Both charts after a few launches: the labels of each axis keep clear of
// one another and stay inside the chart; the proportion axis shows its
// tenths and the trial axes whole trial numbers.
TEST_F(ProcessWindow, AxesStayReadableAsTrialsGrow)
{
    for (int trials : {2, 10, 3000 - 12}) {
        SetRepetitions(trials);
        window->Execute();
        const std::string when = std::to_string(window->Process(1)->TrialCount()) + " trials";
        for (TChart* chart : {window->ChartT(), window->ChartP()}) {
            EXPECT_CHART_READABLE(*chart, chart->objectName().toStdString() + " after " + when);
            EXPECT_EQ(PointersOutsideTheRect(*chart), std::vector<std::string>{}) << when;
        }
        const TChartDrawing p = DrawChartOn<platform::RecordingDevice>(*window->ChartP());
        const int left = window->ChartP()->Axes().IndexOf(window->ChartP()->LeftAxis());
        const int bottom = window->ChartP()->Axes().IndexOf(window->ChartP()->BottomAxis());
        EXPECT_EQ(AxisLabelTexts(p, left), (std::vector<std::string>{"1", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4",
                                                                      "0.3", "0.2", "0.1", "0"}))
            << when;
        for (const std::string& label : AxisLabelTexts(p, bottom))
            EXPECT_EQ(label.find('.'), std::string::npos) << label << " after " << when;
        EXPECT_FALSE(AxisLabelTexts(p, bottom).empty()) << when;
        if (window->Process(1)->TrialCount() == 12)
            Shot("process_window_12_trials.png");
    }
}
