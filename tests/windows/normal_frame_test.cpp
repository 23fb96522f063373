#include "../support/shell_test_support.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/area_series.h"
#include "chart/series/line_series.h"
#include "widgets/table_editor.h"
#include "windows/normal_frame.h"
#include "windows/normal_window.h"
#include "windows/track_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <QToolButton>

#include <cmath>

// Reference values from R 4:
//   qnorm(0.95)                            = 1.64485362695147
//   pnorm((qnorm(0.95)-3)/1.5)             = 0.183148619173413
//   pnorm((qnorm(0.95)-2)/1.5)             = 0.406419844210583
//   pnorm((qnorm(0.95)-0.75)/1.5)          = 0.724602441544103
//   dnorm(0)                               = 0.398942280401433
//   1.5/sqrt(8)                            = 0.530330085889911
//   qnorm(0.95)/sqrt(8)                    = 0.581543576838337
//   pnorm((qnorm(0.95)/sqrt(8)-3)/(1.5/sqrt(8))) = 2.55421006946751e-06
//   dnorm(0, 0, 1/sqrt(8))                 = 1.12837916709551

namespace {

// InvNormal stops within a relative 1e-8 of p: quantiles agree with R to
// 2e-7, probabilities computed from them to 5e-8; NormalCDF itself to 1e-9.
constexpr double kQuantileTolerance = 2e-7;
constexpr double kProbabilityTolerance = 5e-8;
constexpr double kCdfTolerance = 1e-9;

class NormalFrame : public ShellFixture {
protected:
    TFrameNormales& Open()
    {
        window = new TFNormales(&MainWindow(), QString());
        window->resize(1000, 700);
        window->show();
        return *window->Frame();
    }
    template <typename T>
    T* Find(const char* name) const
    {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
    QString Text(const char* name) const { return Find<QLineEdit>(name)->text(); }

    TFNormales* window = nullptr;
};

} // namespace

TEST_F(NormalFrame, SettingsTableHoldsThePresetRows)
{
    TNTabEd& table = *Open().Settings();
    ASSERT_EQ(table.NrOfColumns(), 4);
    ASSERT_EQ(table.NrOfRows(), 3);
    EXPECT_EQ(table.GetColName(1), "M (1)");
    EXPECT_EQ(table.GetColName(4), "SD(2)");
    EXPECT_EQ(table.GetRowName(2), " <-> ");
    EXPECT_EQ(table.GetRowName(3), " >< ");
    EXPECT_EQ(table.GetElem(3, 1), 2.0);
    EXPECT_EQ(table.GetElem(3, 2), 3.0);
    EXPECT_EQ(table.GetElem(3, 3), 0.75);
    EXPECT_EQ(table.GetElem(4, 3), 1.5);
    EXPECT_EQ(table.GetMark(1, 2) & cmMarkA, cmMarkA);
    EXPECT_EQ(table.GetMark(4, 2) & cmMarkB, cmMarkB);
    // no row-attribute column: the names, then the four parameters
    EXPECT_FALSE(table.AttribRowVisible());
    EXPECT_EQ(table.AttribColShown(), 0);
    EXPECT_FALSE(Find<QSlider>("TrackBar_C0")->isEnabled());
    EXPECT_FALSE(window->Frame()->CurvesPlotted());
}

TEST_F(NormalFrame, ShiftedPresetGivesCriterionBetaAndPercentages)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    ASSERT_TRUE(frame.CurvesPlotted());
    EXPECT_NEAR(frame.Criterion(), 1.64485362695147, kQuantileTolerance);
    EXPECT_NEAR(frame.Beta(), 0.183148619173413, kProbabilityTolerance);
    EXPECT_EQ(frame.Alpha(), 0.05);
    EXPECT_EQ(Text("lbl_a"), "  5%");
    EXPECT_EQ(Text("Lbl_1a"), " 95%");
    EXPECT_EQ(Text("lbl_b"), " 18%");
    EXPECT_EQ(Text("lbl_1b"), " 82%");
    EXPECT_EQ(Find<QSlider>("TrackBar_Alfa_L")->value(), 95);
    EXPECT_EQ(Find<QSlider>("TrackBar_Alfa_R")->value(), 82);
    EXPECT_EQ(Find<QSlider>("TrackBar_C0")->value(), 1645);
    EXPECT_EQ(Find<QSlider>("TrackBar_C0")->minimum(), -5000);
    EXPECT_EQ(Find<QSlider>("TrackBar_C0")->maximum(), 10000);

    // the vertical scale from the narrower curve, the criterion line up to it
    const double top = 1.1 * 0.398942280401433;
    EXPECT_NEAR(frame.ChartNormales()->LeftAxis()->Maximum(), top, 1e-15);
    TLineSeries& line = *frame.CriterionLine();
    EXPECT_TRUE(line.Active());
    ASSERT_EQ(line.Count(), 2);
    EXPECT_EQ(line.XValues().Value(0), frame.Criterion());
    EXPECT_EQ(line.YValues().Value(0), 0.0);
    EXPECT_EQ(line.YValues().Value(1), frame.ChartNormales()->LeftAxis()->Maximum());

    // both population curves drawn, no tails yet
    ASSERT_NE(frame.PopL(), nullptr);
    EXPECT_EQ(frame.PopL()->Mean, 0.0);
    EXPECT_EQ(frame.PopR()->Mean, 3.0);
    EXPECT_EQ(frame.PopL()->CurveSeries->Count(), 156);
    EXPECT_EQ(frame.PopR()->CurveSeries->Count(), 156);
    EXPECT_TRUE(frame.PopL()->CurveSeries->Active());
    EXPECT_FALSE(frame.PopL()->TailSeries->Active());
    EXPECT_EQ(frame.PopL()->TailSeries->Count(), 0);
    EXPECT_EQ(frame.SampL()->CurveSeries->Count(), 0);
    EXPECT_FALSE(frame.SampL()->CurveSeries->Active());
}

TEST_F(NormalFrame, PlotRowShowsFortyOnePercentBeta)
{
    TFrameNormales& frame = Open();
    Click("sbInit1");
    EXPECT_NEAR(frame.Beta(), 0.406419844210583, kProbabilityTolerance);
    EXPECT_EQ(Text("lbl_b"), " 41%");
    EXPECT_EQ(Text("lbl_1b"), " 59%");
    Click("sbInit3");
    EXPECT_NEAR(frame.Beta(), 0.724602441544103, kProbabilityTolerance);
    EXPECT_EQ(Text("lbl_b"), " 72%");
}

TEST_F(NormalFrame, AlphaAndBetaBarsSelectFromTheirPositionToTheTop)
{
    MainWindow().resize(1280, 1024);
    MainWindow().show();
    Open();
    QApplication::processEvents();
    auto* alpha = Find<TTrackBar>("TrackBar_Alfa_L");
    auto* beta = Find<TTrackBar>("TrackBar_Alfa_R");
    EXPECT_TRUE(alpha->SelectionRect().isEmpty());
    QTest::mouseClick(Find<QAbstractButton>("sbInit1"), Qt::LeftButton);
    // alpha 5 %: position 95, selected 95..100; beta 41 %: position 59
    EXPECT_EQ(alpha->value(), 95);
    EXPECT_EQ(alpha->SelStart(), 95);
    EXPECT_EQ(alpha->SelEnd(), 100);
    EXPECT_EQ(beta->SelStart(), 59);
    EXPECT_EQ(beta->SelEnd(), 100);
    // a vertical bar: 100 at the top, so the band runs from the top down to the handle
    const QRect band = beta->SelectionRect();
    const QRect top = alpha->SelectionRect();
    ASSERT_FALSE(band.isEmpty());
    EXPECT_EQ(band.top(), top.top());
    EXPECT_GT(band.height(), top.height() * 5);
    EXPECT_TRUE(beta->rect().contains(band));
    // moving alpha moves its selection
    alpha->setValue(90);
    EXPECT_EQ(alpha->SelStart(), 90);
    EXPECT_EQ(alpha->SelEnd(), 100);
    QApplication::processEvents();
    window->widget()->grab().save(QCoreApplication::applicationDirPath() + "/normal_curves_selections.png");
}

TEST_F(NormalFrame, TheSmallerMeanIsTheLeftDistribution)
{
    TFrameNormales& frame = Open();
    ASSERT_TRUE(frame.Plot(3, 1, 0, 1.5, 1, 1, 8));
    EXPECT_EQ(frame.PopL()->Mean, 0.0);
    EXPECT_EQ(frame.PopL()->SD, 1.5);
    EXPECT_EQ(frame.PopL()->CurveSeries->objectName(), "Serie_normal2");
    // criterion from the left curve: 0 + 1.5 z
    EXPECT_NEAR(frame.Criterion(), 1.5 * 1.64485362695147, 1.5 * kQuantileTolerance);
}

TEST_F(NormalFrame, AlphaZeroPutsTheCriterionFiveDeviationsRight)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Find<QSlider>("TrackBar_Alfa_L")->setValue(100);
    EXPECT_EQ(frame.Alpha(), 0.0);
    EXPECT_DOUBLE_EQ(frame.Criterion(), 5.0);
    EXPECT_EQ(Find<QSlider>("TrackBar_C0")->value(), 5000);
    EXPECT_EQ(Text("lbl_a"), "  0%");
}

TEST_F(NormalFrame, CriterionTrackBarSetsAlphaAndBeta)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Find<QSlider>("TrackBar_C0")->setValue(1000);
    // R: 1 - pnorm(1); pnorm((1-3)/1.5)
    EXPECT_NEAR(frame.Alpha(), 0.158655253931457, kCdfTolerance);
    EXPECT_NEAR(frame.Beta(), 0.0912112197258678, kCdfTolerance);
    EXPECT_EQ(Find<QSlider>("TrackBar_Alfa_L")->value(), 84);
    EXPECT_EQ(Find<QSlider>("TrackBar_Alfa_R")->value(), 91);
    EXPECT_EQ(Text("lbl_a"), " 16%");

    // beta moved: R: 3 + 1.5*qnorm(0.2) = 1.73756814964063
    Find<QSlider>("TrackBar_Alfa_R")->setValue(80);
    EXPECT_NEAR(frame.Criterion(), 1.73756814964063, kQuantileTolerance);
    EXPECT_NEAR(frame.Alpha(), 0.0411434680300296, kProbabilityTolerance);
}

TEST_F(NormalFrame, BothTailsOnTheLeftHalveTheCaption)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Click("RadioButtonLBoth");
    EXPECT_EQ(Find<QLabel>("LBLa")->text(), "a/2");
    EXPECT_EQ(Find<QLabel>("Lblb")->text(), "b");
    EXPECT_EQ(Text("lbl_a"), " 10%");
    EXPECT_EQ(Text("Lbl_1a"), " 90%");
    EXPECT_FALSE(Find<QCheckBox>("CheckBox_ShowDiv")->isChecked());
    EXPECT_FALSE(frame.CriterionLine()->Active());
    EXPECT_EQ(frame.PopL()->Tails, 3);
    EXPECT_TRUE(frame.PopL()->TailSeries->Active());
    EXPECT_EQ(frame.PopL()->TailSeries->Transparency(), 45);
    EXPECT_NEAR(frame.PopL()->LowBound, -1.64485362695147, kQuantileTolerance);
    EXPECT_NEAR(frame.PopL()->HighBound, 1.64485362695147, kQuantileTolerance);
}

TEST_F(NormalFrame, ShadedTailsFollowTheBounds)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Click("RadioButtonLRight");  // alpha: right tail of the left curve
    Click("RadioButtonRLeft");   // beta: left tail of the right curve
    const TNormalCurve& l = *frame.PopL();
    const TNormalCurve& r = *frame.PopR();
    EXPECT_EQ(l.Tails, 2);
    EXPECT_EQ(r.Tails, 1);
    EXPECT_EQ(l.HighBound, frame.Criterion());
    EXPECT_EQ(r.LowBound, frame.Criterion());
    EXPECT_EQ(l.TailSeries->Count(), 154);
    EXPECT_EQ(r.TailSeries->Count(), 154);
    EXPECT_TRUE(l.TailSeries->Active());
    EXPECT_EQ(l.TailSeries->Transparency(), 40);
    EXPECT_EQ(r.TailSeries->Transparency(), 60);
    // every tail point right of the criterion on the left curve follows it, none left of it
    const TAreaSeries& tail = *l.TailSeries;
    for (int i = 0; i < tail.Count(); ++i) {
        const double x = tail.XValues().Value(i);
        const double y = tail.YValues().Value(i);
        if (std::fabs(x - frame.Criterion()) <= 0.0001)
            continue;  // the vertical edge
        if (x < frame.Criterion())
            EXPECT_EQ(y, 0.0) << x;
        else
            EXPECT_NEAR(y, std::exp(-x * x / 2) / std::sqrt(2 * M_PI), 1e-15) << x;
    }
    EXPECT_TRUE(Find<QCheckBox>("CheckBox_ShowDiv")->isChecked());
}

TEST_F(NormalFrame, LeftBothTailsAboveOneHalfShadeOnlyTheOuterParts)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Click("RadioButtonLBoth");
    Find<QSlider>("TrackBar_Alfa_L")->setValue(30);  // alpha 0.7
    ASSERT_NEAR(frame.Alpha(), 0.7, 1e-12);
    const TNormalCurve& l = *frame.PopL();
    ASSERT_LT(frame.Criterion(), 0.0);
    EXPECT_LT(l.LowBound, l.HighBound);
    // the mean lies between the bounds: unshaded
    const TAreaSeries& tail = *l.TailSeries;
    // R: qnorm(0.3) = -0.524400512708041: the bounds are -0.5244 and 0.5244
    int middle = 0;
    int outer = 0;
    for (int i = 0; i < tail.Count(); ++i) {
        const double x = tail.XValues().Value(i);
        if (std::fabs(x) < 0.5) {
            ++middle;
            EXPECT_EQ(tail.YValues().Value(i), 0.0) << x;
        } else if (std::fabs(x) > 0.53) {
            ++outer;
            EXPECT_GT(tail.YValues().Value(i), 0.0) << x;
        }
    }
    EXPECT_GT(middle, 5);
    EXPECT_GT(outer, 100);
}

TEST_F(NormalFrame, SampleViewUsesTheStandardError)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Find<QSlider>("TrackBar_n1")->setValue(100);
    EXPECT_EQ(Find<QSlider>("TrackBar_n2")->value(), 100);  // synchronized
    EXPECT_DOUBLE_EQ(frame.SampL()->N, 8.0);
    EXPECT_NEAR(frame.SampL()->SD, 1 / std::sqrt(8.0), 1e-15);
    EXPECT_NEAR(frame.SampR()->SD, 0.530330085889911, 1e-15);

    Click("RadioShowSample");
    EXPECT_TRUE(frame.ShowSamp());
    EXPECT_FALSE(frame.ShowPop());
    EXPECT_NEAR(frame.Criterion(), 0.581543576838337, kQuantileTolerance);
    EXPECT_NEAR(frame.Beta(), 2.55421006946751e-06, 1e-9);
    EXPECT_TRUE(frame.SampL()->CurveSeries->Active());
    EXPECT_FALSE(frame.PopL()->CurveSeries->Active());
    EXPECT_EQ(frame.SampL()->CurveSeries->Count(), 156);
    EXPECT_EQ(frame.SampL()->CurveSeries->LinePen().Width(), 2);
    // fixed scale: 1.1 times the taller sampling peak
    EXPECT_NEAR(frame.ChartNormales()->LeftAxis()->Maximum(), 1.1 * 1.12837916709551, 1e-13);

    // n2 alone (not synchronized), alpha not fixed: the criterion stays
    Find<QCheckBox>("CheckBox_Synchronize")->setChecked(false);
    Find<QCheckBox>("CheckBox_FixedA")->setChecked(false);
    const double criterion = frame.Criterion();
    Find<QSlider>("TrackBar_n2")->setValue(1);
    EXPECT_EQ(frame.Criterion(), criterion);
    EXPECT_EQ(frame.SampR()->SD, 1.5);
    EXPECT_EQ(frame.SampL()->N, 8.0);
}

TEST_F(NormalFrame, NonPositiveDeviationIsRefusedAndTheChartKept)
{
    TFrameNormales& frame = Open();
    frame.Settings()->SetElem(2, 1, 0);
    Click("sbInit1");
    EXPECT_FALSE(frame.CurvesPlotted());
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(Dialogs.MessageTexts().front(), "The standard deviations must be greater than 0.");

    Click("sbInit2");
    const double criterion = frame.Criterion();
    frame.Settings()->SetElem(4, 3, -1.5);
    Click("sbInit3");
    EXPECT_EQ(Dialogs.MessageTexts().size(), 2);
    EXPECT_EQ(frame.Criterion(), criterion);
    EXPECT_EQ(frame.PopR()->Mean, 3.0);
    EXPECT_EQ(frame.PopR()->CurveSeries->Count(), 156);
}

TEST_F(NormalFrame, FloatingLabelsBelongToTheirOwnFrame)
{
    TFrameNormales& first = Open();
    TFNormales* firstWindow = window;
    auto* second = new TFNormales(&MainWindow(), QString());
    second->show();
    Click("sbInit2");
    ASSERT_TRUE(first.CurvesPlotted());
    EXPECT_FALSE(second->Frame()->CurvesPlotted());

    // the second frame has plotted nothing: its labels stay put
    QLabel* caption = second->findChild<QLabel*>(QStringLiteral("LabelTag2"));
    ASSERT_NE(caption, nullptr);
    second->Frame()->Labels_Click(caption);
    EXPECT_TRUE(second->Frame()->FloatingLabel(2)->isHidden());
    EXPECT_EQ(second->Frame()->CurrentLabel(), 0);

    QLabel* own = firstWindow->findChild<QLabel*>(QStringLiteral("LabelTag2"));
    first.Labels_Click(own);
    EXPECT_FALSE(first.FloatingLabel(2)->isHidden());
    EXPECT_EQ(first.FloatingLabel(2)->text(), "a");
    first.ChartNormalesMouseMove(120, 80);
    first.Showlbl();
    EXPECT_EQ(first.FloatingLabel(2)->pos(), QPoint(120, 80));
    first.Labels_Click(own);
    EXPECT_TRUE(first.FloatingLabel(2)->isHidden());
    delete second;
}

TEST_F(NormalFrame, CustomLabelsTakeTheEditTexts)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    frame.Labels_Click(Find<QLabel>("LabelTag5"));
    EXPECT_EQ(frame.FloatingLabel(5)->text(), " H0");
    Find<QLineEdit>("EditTag5")->setText("Null");
    EXPECT_EQ(frame.FloatingLabel(5)->text(), "Null");
    frame.Labels_Click(Find<QLabel>("LabelTag6"));
    EXPECT_EQ(frame.FloatingLabel(6)->text(), " H1");
    EXPECT_EQ(frame.CurrentLabel(), 6);
}

TEST_F(NormalFrame, ReferenceLineIsCapturedAgainOnlyWhenBothBoxesWereOff)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Click("CheckBox_RefLine");
    TLineSeries& ref = *frame.ReferenceLine();
    EXPECT_TRUE(ref.Active());
    ASSERT_EQ(ref.Count(), 2);
    const double first = frame.Criterion();
    EXPECT_EQ(ref.XValues().Value(0), first);
    EXPECT_EQ(ref.SeriesColor(), 0x008080u);
    EXPECT_FALSE(frame.RefCapture());

    Click("CheckBox_RefTail");
    TAreaSeries& tail = *frame.ReferenceTail();
    EXPECT_TRUE(tail.Active());
    ASSERT_EQ(tail.Count(), 104);
    // 101 steps end two thirds of the way to the right end
    EXPECT_NEAR(tail.MaxXValue(), first + 100.0 / 150 * (frame.XMax() - first), 1e-12);

    Find<QSlider>("TrackBar_Alfa_L")->setValue(90);
    Click("CheckBox_RefLine");  // off, the tail still on: the reference stays
    Click("CheckBox_RefLine");
    EXPECT_EQ(ref.XValues().Value(0), first);
    Click("CheckBox_RefTail");
    Click("CheckBox_RefLine");  // both off: capture on the next
    EXPECT_TRUE(frame.RefCapture());
    EXPECT_FALSE(tail.Active());
    Click("CheckBox_RefLine");
    EXPECT_NE(frame.Criterion(), first);
    EXPECT_EQ(ref.XValues().Value(0), frame.Criterion());
}

TEST_F(NormalFrame, LeftCurveOffClearsItsTails)
{
    TFrameNormales& frame = Open();
    Click("sbInit2");
    Click("RadioButtonLRight");
    ASSERT_GT(frame.PopL()->TailSeries->Count(), 0);
    Click("CheckBox_LD");
    EXPECT_FALSE(frame.PopL()->CurveSeries->Active());
    EXPECT_TRUE(Find<QRadioButton>("RadioButtonLNone")->isChecked());
    EXPECT_EQ(frame.PopL()->TailSeries->Count(), 0);
    // a tail chosen again turns the side back on
    Click("RadioButtonLLeft");
    EXPECT_TRUE(Find<QCheckBox>("CheckBox_LD")->isChecked());
    EXPECT_TRUE(frame.PopL()->CurveSeries->Active());
    EXPECT_EQ(frame.PopL()->Tails, 1);
}

TEST_F(NormalFrame, OkReturnsToTheGraph)
{
    TFrameNormales& frame = Open();
    frame.Pages()->setCurrentIndex(1);
    Click("Button1");
    EXPECT_EQ(frame.Pages()->currentIndex(), 0);
    EXPECT_EQ(frame.Pages()->tabText(1), "Settings");
}

TEST_F(NormalFrame, AClickOnTheChartPutsTheCurrentLabelWhereTheMouseIs)
{
    MainWindow().resize(1300, 900);
    MainWindow().show();
    TFrameNormales& frame = Open();
    Click("sbInit2");
    frame.Labels_Click(Find<QLabel>("LabelTag2"));
    ASSERT_FALSE(frame.FloatingLabel(2)->isHidden());
    TChart* chart = frame.ChartNormales();
    QWidget* top = chart->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    QWindow* input = top->windowHandle();
    const QPoint p(chart->width() / 2 + 10, chart->height() * 3 / 4);
    QTest::mouseMove(input, chart->mapTo(top, p));
    // the move alone leaves the label where it is
    EXPECT_NE(frame.FloatingLabel(2)->pos(), p);
    QTest::mouseClick(input, Qt::LeftButton, {}, chart->mapTo(top, p));
    EXPECT_EQ(frame.FloatingLabel(2)->pos(), p);
    // a right click is no click
    const QPoint q(p.x() - 60, p.y() - 40);
    QTest::mouseMove(input, chart->mapTo(top, q));
    QTest::mouseClick(input, Qt::RightButton, {}, chart->mapTo(top, q));
    EXPECT_EQ(frame.FloatingLabel(2)->pos(), p);
}

namespace {

// The user types the parameters on the "Settings" page and plots from the graph.
class NormalFrameTyped : public NormalFrame {
protected:
    void ShowPage(int index)
    {
        QTabBar* bar = window->Frame()->Pages()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QApplication::processEvents();
        ASSERT_EQ(window->Frame()->Pages()->currentIndex(), index);
    }
    void TypeCell(int col, int row, const QString& text)
    {
        TNTabEd& table = *window->Frame()->Settings();
        const platform::Rect r = table.CellRect(col, row);
        QTest::mouseClick(&table, Qt::LeftButton, {}, QPoint(r.left + r.Width() / 2 + 2, r.top + r.Height() / 2 + 2));
        ASSERT_EQ(table.Col(), col);
        ASSERT_EQ(table.Row(), row);
        QTest::keyClick(&table, text.at(0).toLatin1());
        ASSERT_NE(table.InplaceEditor(), nullptr);
        QTest::keyClicks(table.InplaceEditor(), text.mid(1));
        QTest::keyClick(table.InplaceEditor(), Qt::Key_Return);
    }
    // Means far from 0 with SD 1 on the left and 1.5 on the right.
    void PlotTyped(const char* m1, const char* m2)
    {
        MainWindow().resize(1280, 1024);
        MainWindow().show();
        Open();
        QApplication::processEvents();
        ShowPage(1);
        TypeCell(1, 1, QString::fromLatin1(m1));
        TypeCell(3, 1, QString::fromLatin1(m2));
        ShowPage(0);
        QTest::mouseClick(Find<QAbstractButton>("sbInit1"), Qt::LeftButton);
    }
};

}  // namespace

// Reference values from R 4 (criterion c, left mean m1 SD 1, right mean m1 + 2 SD 1.5):
//   1 - pnorm(1.646)            = 0.0498818795073512
//   pnorm((1.646 - 2) / 1.5)    = 0.406716335087269
//   1 - pnorm(1.647)            = 0.0497790229169266
//   pnorm((1.647 - 2) / 1.5)    = 0.406975012618105
TEST_F(NormalFrameTyped, TheCriterionSliderFarFromZeroGivesAlphaAndBeta)
{
    PlotTyped("2000000", "2000002");
    TFrameNormales& frame = *window->Frame();
    ASSERT_TRUE(frame.CurvesPlotted());
    EXPECT_EQ(frame.Settings()->GetElem(1, 1), 2000000.0);
    auto* slider = Find<QSlider>("TrackBar_C0");
    EXPECT_EQ(slider->minimum(), 1999995000);
    EXPECT_EQ(slider->maximum(), 2000009000);
    EXPECT_EQ(slider->value(), 2000001645);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 2000001646);
    EXPECT_NEAR(frame.Alpha(), 0.0498818795073512, 1e-6);
    EXPECT_NEAR(frame.Beta(), 0.406716335087269, 1e-6);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_NEAR(frame.Alpha(), 0.0497790229169266, 1e-6);
    EXPECT_NEAR(frame.Beta(), 0.406975012618105, 1e-6);
    EXPECT_EQ(Text("lbl_a"), "  5%");
    EXPECT_EQ(Text("lbl_b"), " 41%");
}

// Thousandths of the curves' reach past the slider's range: the row is refused.
TEST_F(NormalFrameTyped, MeansBeyondTheSlidersRangeAreRefused)
{
    PlotTyped("5000000", "5000002");
    TFrameNormales& frame = *window->Frame();
    EXPECT_EQ(frame.Settings()->GetElem(3, 1), 5000002.0);
    EXPECT_FALSE(frame.CurvesPlotted());
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1u);
    EXPECT_EQ(Dialogs.MessageTexts().front(), "The means and standard deviations are too large to plot.");
    EXPECT_FALSE(Find<QSlider>("TrackBar_C0")->isEnabled());
}
