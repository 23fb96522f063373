#include "population_fixture.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "windows/bar_frame.h"
#include "windows/histogram_frame.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QComboBox>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>

namespace {

// Normal density written out: exp(-(x - m)^2 / (2 s^2)) / (s sqrt(2 pi)).
double Density(double x, double m, double s)
{
    return std::exp(-(x - m) * (x - m) / (2 * s * s)) / (s * std::sqrt(2 * M_PI));
}

// Palette of the heights study: 4 clGreen, 5 clWebGold, 6 clPurple (0x00BBGGRR).
constexpr TColor kGreen = 0x008000;
constexpr TColor kGold = 0x00D7FF;
constexpr TColor kPurple = 0x800080;

} // namespace

using TFPoblacionHistograms = PopulationWindowFixture;

TEST_F(TFPoblacionHistograms, StartWithTheFirstVariableForTheWholePopulation)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    EXPECT_FALSE(w.FrameHistogram1->IsExpanded());
    EXPECT_TRUE(frame->IsExpanded());
    EXPECT_TRUE(frame->FSplitMode);
    EXPECT_EQ(frame->CB_Variable->currentText(), "Altura");
    EXPECT_EQ(frame->CB_Split->currentText(), "Zona");
    EXPECT_EQ(frame->CB_filter->currentText(), QStringLiteral("Montaña"));
    ASSERT_EQ(frame->FHistSeries.size(), 1u);
    ASSERT_EQ(frame->FLineSeries.size(), 1u);
    // colour 1 is clRed
    EXPECT_EQ(frame->FHistSeries[0]->SeriesColor(), 0x0000FFu);
    EXPECT_EQ(frame->FHistSeries[0]->Transparency(), 20);
    EXPECT_FALSE(frame->FLineSeries[0]->Active()); // "Show Model" starts off
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Minimum(), 140.0);
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Maximum(), 200.0);
    EXPECT_EQ(frame->ChartPoblacion->Title()->Text().Text(), "Estatura en centímetros, descalzo");
    // mixture at the first class's left edge: weights 0.3, 0.5, 0.2
    const double y0 = 0.3 * Density(140, 166.5, 7.2) + 0.5 * Density(140, 164.0, 7.8) + 0.2 * Density(140, 168.0, 7.0);
    EXPECT_NEAR(frame->FHistSeries[0]->YValues()[0], y0, 1e-15);
}

TEST_F(TFPoblacionHistograms, DensityAxisCarriesDecimalsEnoughForItsSteps)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    // the mixture peaks near 0.052: steps of about 0.002 need four decimals
    const double peak = 0.3 * Density(165.5, 166.5, 7.2) + 0.5 * Density(165.5, 164.0, 7.8) +
                        0.2 * Density(165.5, 168.0, 7.0);
    ASSERT_GT(peak, 0.01);
    ASSERT_LT(peak, 0.1);
    EXPECT_EQ(frame->ChartPoblacion->LeftAxis()->AxisValuesFormat(), "##0.####");
}

TEST_F(TFPoblacionHistograms, ClassesAndModelCurveOfOneGroup)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    frame->sb_togglePanels->click();
    EXPECT_FALSE(frame->FSplitMode);
    frame->CB_GroupOnly->click();
    EXPECT_TRUE(frame->CB_Group->isEnabled());
    ASSERT_EQ(frame->FHistSeries.size(), 1u);
    EXPECT_EQ(frame->FHistSeries[0]->SeriesColor(), kGreen);
    THistogramSeries& classes = *frame->FHistSeries[0];
    TFastLineSeries& curve = *frame->FLineSeries[0];
    ASSERT_EQ(classes.Count(), 25);
    ASSERT_EQ(curve.Count(), 250);
    // group 1: mean 166.5, sd 7.2, weight 0.3; classes of (200 - 140) / 25
    for (int k : {0, 5, 11, 24}) {
        const double x = 140 + 2.4 * k;
        EXPECT_NEAR(classes.XValues()[k], x, 1e-9);
        EXPECT_NEAR(classes.YValues()[k], 0.3 * Density(x, 166.5, 7.2), 1e-12) << k;
    }
    for (int k : {0, 110, 249}) {
        const double x = 140 + 0.24 * k;
        EXPECT_NEAR(curve.XValues()[k], x, 1e-9);
        EXPECT_NEAR(curve.YValues()[k], 0.3 * Density(x, 166.5, 7.2), 1e-12) << k;
    }
    // the next step follows the group's moving mean and share
    AdvanceMinutes(30);
    w.OnTimer();
    const double share = 35 / (35 + 50 + 21.875);
    EXPECT_NEAR(classes.YValues()[11], share * Density(140 + 2.4 * 11, 166.875, 7.2), 1e-12);
}

TEST_F(TFPoblacionHistograms, SplitByZoneGivesOneSeriesPerLevelInItsColour)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    frame->CB_splitted->click();
    EXPECT_TRUE(frame->CB_Split->isEnabled());
    EXPECT_FALSE(frame->CB_filter->isEnabled());
    ASSERT_EQ(frame->FHistSeries.size(), 3u);
    ASSERT_EQ(frame->FLineSeries.size(), 3u);
    EXPECT_EQ(frame->FHistSeries[0]->SeriesColor(), kGreen);
    EXPECT_EQ(frame->FHistSeries[1]->SeriesColor(), kGold);
    EXPECT_EQ(frame->FHistSeries[2]->SeriesColor(), kPurple);
    EXPECT_EQ(frame->FLineSeries[2]->SeriesColor(), kPurple);
    // each level sums its own group only
    EXPECT_NEAR(frame->FHistSeries[1]->YValues()[10], 0.5 * Density(164, 164.0, 7.8), 1e-12);
    // one level only
    frame->CB_filtered->click();
    EXPECT_TRUE(frame->CB_filter->isEnabled());
    frame->CB_filter->setCurrentIndex(frame->CB_filter->findText(QStringLiteral("Área urbana")));
    emit frame->CB_filter->activated(frame->CB_filter->currentIndex());
    ASSERT_EQ(frame->FHistSeries.size(), 1u);
    EXPECT_EQ(frame->FHistSeries[0]->SeriesColor(), kPurple);
    EXPECT_NEAR(frame->FHistSeries[0]->YValues()[10], 0.2 * Density(164, 168.0, 7.0), 1e-12);
}

TEST_F(TFPoblacionHistograms, ChangingTheVariableRedrawsForIt)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    frame->sb_togglePanels->click();
    frame->CB_Variable->setCurrentIndex(frame->CB_Variable->findText("Peso"));
    emit frame->CB_Variable->activated(frame->CB_Variable->currentIndex());
    EXPECT_EQ(frame->FNumVar, 1);
    EXPECT_EQ(frame->ChartPoblacion->Title()->Text().Text(), "Peso corporal en kilogramos");
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Minimum(), 35.0);
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Maximum(), 110.0);
    EXPECT_EQ(frame->FHistSeries[0]->SeriesColor(), 0x008CFFu); // clWebDarkOrange
}

TEST_F(TFPoblacionHistograms, AStudyWithoutGroupsDrawsEmptySeries)
{
    std::string xml =
        "<vexa><system name=\"s\"><Population name=\"p\"><simulation><time>10</time></simulation>"
        "<variables><vardef id=\"1\" name=\"X\" min=\"0\" max=\"10\">x</vardef></variables>"
        "</Population></system></vexa>";
    TFPoblacion& w = OpenDocument(StudyFromText(xml), QStringLiteral("empty"));
    TFrameHistogram* frame = w.FrameHistogram2;
    EXPECT_EQ(frame->CB_Group->count(), 0);
    frame->sb_togglePanels->click();
    frame->CB_GroupOnly->click(); // no group chosen: nothing is marked
    ASSERT_EQ(frame->FHistSeries.size(), 1u);
    ASSERT_EQ(frame->FMask.size(), 1u);
    EXPECT_TRUE(frame->FMask[0].empty());
    EXPECT_EQ(frame->FHistSeries[0]->Count(), 25);
    EXPECT_EQ(frame->FHistSeries[0]->YValues().MaxValue(), 0.0);
    w.OnTimer();
    EXPECT_EQ(w.FrameBarras1->Series_Bar1->Count(), 0);
}

TEST_F(TFPoblacionHistograms, AmplitudeThicknessAndTransparencyReachEverySeries)
{
    TFPoblacion& w = Open();
    TFrameHistogram* frame = w.FrameHistogram2;
    w.TrackBar_Amplitud->setValue(100);
    EXPECT_EQ(w.Bins(), 400);
    EXPECT_FALSE(w.cbShowHistogram->isChecked());
    EXPECT_TRUE(w.cbShowModel->isChecked());
    EXPECT_FALSE(frame->FHistSeries[0]->Active());
    EXPECT_TRUE(frame->FLineSeries[0]->Active());
    w.OnTimer();
    EXPECT_EQ(frame->FHistSeries[0]->Count(), 400);
    w.TrackBar_Amplitud->setValue(0);
    EXPECT_EQ(w.Bins(), 3);
    EXPECT_TRUE(w.cbShowHistogram->isChecked());
    w.TrackBar_Thickness->setValue(100);
    EXPECT_EQ(frame->FLineSeries[0]->LinePen().Width(), 6);
    w.Label5Click();
    EXPECT_EQ(frame->FLineSeries[0]->LinePen().Width(), 0);
    w.TrackBar_Transparency->setValue(70);
    EXPECT_EQ(frame->FHistSeries[0]->Transparency(), 70);
    w.Label1Click();
    EXPECT_EQ(frame->FHistSeries[0]->Transparency(), 20);
}

TEST_F(TFPoblacionHistograms, OnlyExpandedFramesFollowTheSteps)
{
    TFPoblacion& w = Open();
    TFrameHistogram* collapsed = w.FrameHistogram1;
    const double before = collapsed->FHistSeries[0]->YValues()[10];
    AdvanceMinutes(30);
    w.OnTimer();
    EXPECT_EQ(collapsed->FHistSeries[0]->YValues()[10], before);
    EXPECT_NE(w.FrameHistogram2->FHistSeries[0]->YValues()[10], before);
}

using TFPoblacionBars = PopulationWindowFixture;

TEST_F(TFPoblacionBars, BarsShowTheLevelSharesWithPercentMarks)
{
    TFPoblacion& w = Open();
    TFrameBarras* frame = w.FrameBarras1;
    EXPECT_TRUE(frame->IsExpanded());
    EXPECT_EQ(frame->CB_Variable->count(), 2);
    EXPECT_EQ(frame->CB_Variable->itemText(0), "Deporte");
    frame->CB_Variable->setCurrentIndex(1);
    emit frame->CB_Variable->activated(1);
    TBarSeries& bars = *frame->Series_Bar1;
    ASSERT_EQ(bars.Count(), 3);
    EXPECT_EQ(frame->ChartPoblacion->Title()->Text().Text(), "Zona de residencia");
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Minimum(), 0.5);
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Maximum(), 3.5);
    EXPECT_EQ(frame->ChartPoblacion->LeftAxis()->Maximum(), 1.0);
    const double shares[] = {0.3, 0.5, 0.2};
    const char* marks[] = {"30 %", "50 %", "20 %"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(bars.XValues()[k], k + 1.0);
        EXPECT_NEAR(bars.YValues()[k], shares[k], 1e-15);
        EXPECT_EQ(bars.GetMarkText(k), marks[k]);
    }
    // shares 30 -> 40 over 60 min, 50, 20 -> 35 over 240 min: 40 / 50 / 23.75 at 60
    AdvanceMinutes(60);
    w.OnTimer();
    const double total = 40 + 50 + 23.75;
    EXPECT_NEAR(bars.YValues()[0], 40 / total, 1e-12);
    EXPECT_EQ(bars.GetMarkText(0), "35.16 %");
}

TEST_F(TFPoblacionBars, OpeningTheStudyFillsTheBars)
{
    TFPoblacion& w = Open();
    const TBarSeries& bars = *w.FrameBarras1->Series_Bar1;
    ASSERT_EQ(bars.Count(), 2);
    EXPECT_EQ(bars.GetMarkText(0), "30 %");
    EXPECT_EQ(bars.GetMarkText(1), "70 %");
    EXPECT_EQ(w.FrameBarras1->ChartPoblacion->BottomAxis()->Minimum(), 0.5);
    EXPECT_EQ(w.FrameBarras1->ChartPoblacion->BottomAxis()->Maximum(), 2.5);
    EXPECT_EQ(w.FrameBarras1->ChartPoblacion->LeftAxis()->Minimum(), 0.0);
    EXPECT_EQ(w.FrameBarras1->ChartPoblacion->LeftAxis()->Maximum(), 1.0);
}

TEST_F(TFPoblacionBars, TwoLevelsGiveTwoBars)
{
    TFPoblacion& w = Open();
    w.DrawBars(); // Deporte: Sí (group 1, 0.3), No (groups 2 and 3, 0.7)
    TBarSeries& bars = *w.FrameBarras1->Series_Bar1;
    ASSERT_EQ(bars.Count(), 2);
    EXPECT_EQ(w.FrameBarras1->ChartPoblacion->BottomAxis()->Maximum(), 2.5);
    EXPECT_EQ(bars.GetMarkText(0), "30 %");
    EXPECT_EQ(bars.GetMarkText(1), "70 %");
}

TEST_F(TFPoblacionBars, ChoosingAVariableSplitsBothHistogramsByIt)
{
    // names whose order depends on case: both lists must sort them alike
    std::string xml =
        "<vexa><system name=\"s\"><Population name=\"p\"><simulation><time>10</time></simulation>"
        "<categories><catvar id=\"1\" name=\"zeta\"><lbl>Z</lbl><cat id=\"1\">z1</cat></catvar>"
        "<catvar id=\"2\" name=\"Beta\"><lbl>B</lbl><cat id=\"1\">b2</cat><cat id=\"2\">b1</cat></catvar>"
        "<catvar id=\"3\" name=\"alfa\"><lbl>A</lbl><cat id=\"1\">a1</cat></catvar></categories>"
        "<variables><vardef id=\"1\" name=\"X\" min=\"0\" max=\"10\">x</vardef></variables>"
        "<group id=\"1\"><percent><nominal value=\"100\"/></percent><variables><category varid=\"1\" catid=\"1\"/>"
        "<category varid=\"2\" catid=\"2\"/><category varid=\"3\" catid=\"1\"/><var id=\"1\"><nominal m=\"5\" sd=\"1\"/></var>"
        "</variables></group></Population></system></vexa>";
    TFPoblacion& w = OpenDocument(StudyFromText(xml), QStringLiteral("names"));
    QComboBox* bar = w.FrameBarras1->CB_Variable;
    ASSERT_EQ(bar->count(), 3);
    EXPECT_EQ(bar->itemText(0), "alfa");
    EXPECT_EQ(bar->itemText(1), "Beta");
    EXPECT_EQ(bar->itemText(2), "zeta");
    bar->setCurrentIndex(1);
    emit bar->activated(1);
    for (TFrameHistogram* frame : {w.FrameHistogram1, w.FrameHistogram2}) {
        EXPECT_EQ(frame->CB_Split->currentText(), "Beta");
        ASSERT_EQ(frame->CB_filter->count(), 2);
        EXPECT_EQ(frame->CB_filter->itemText(0), "b1");
        EXPECT_EQ(frame->CB_filter->currentText(), "b2"); // the variable's first level
    }
}

TEST_F(TFPoblacionBars, CollapsingTheFrameStopsItsRedraws)
{
    TFPoblacion& w = Open();
    TFrameBarras* frame = w.FrameBarras1;
    w.OnTimer();
    const double before = frame->Series_Bar1->YValues()[0];
    frame->SpeedButton3->click();
    EXPECT_FALSE(frame->IsExpanded());
    AdvanceMinutes(60);
    w.OnTimer();
    EXPECT_EQ(frame->Series_Bar1->YValues()[0], before);
    frame->SpeedButton3->click();
    w.OnTimer();
    EXPECT_NE(frame->Series_Bar1->YValues()[0], before);
}

// ---- on screen ----

namespace {

int CountPixels(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += (row[x] & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return n;
}

QString ShotFile(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

class TFPoblacionOnScreen : public PopulationWindowFixture {};

TEST_F(TFPoblacionOnScreen, TheCloudTakesItsAreaAtTheFirstLayout)
{
    TFPoblacion& w = ShowStudy();
    // the reference is a laid-out paint box (the window's design size or
    // larger), not the 100 x 30 of a widget never laid out
    ASSERT_TRUE(w.Cloud().HasInitialArea());
    EXPECT_GE(w.Cloud().InitialArea(), 400.0 * 300.0);
    const double area = static_cast<double>(w.PaintPanel->width()) * w.PaintPanel->height();
    const double factor = area / w.Cloud().InitialArea();
    EXPECT_GE(factor, 1.0);
    EXPECT_LT(factor, 10.0);
    w.OnTimer();
    EXPECT_DOUBLE_EQ(w.Cloud().ScaleFactor(), factor);
    // opening the charts leaves the cloud a narrower box and fewer dots
    w.sbPanelCharts->click();
    QCoreApplication::processEvents();
    const double narrow = static_cast<double>(w.PaintPanel->width()) * w.PaintPanel->height();
    EXPECT_LT(narrow, area);
    EXPECT_EQ(w.Cloud().PointCount(), static_cast<int>(std::nearbyint(1000 * narrow / w.Cloud().InitialArea())));
}

TEST_F(TFPoblacionOnScreen, ZonesBarsHistogramCloudAndClocksAfterFiftyTicks)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    w.TrackBar_Speed->setValue(100);
    Run(w, 50);
    const QImage shot = w.grab().toImage();
    ASSERT_TRUE(shot.save(ShotFile("population_window.png")));

    EXPECT_EQ(w.LabelTitle->text(), QStringLiteral("Estudiantes de la comarca"));
    ASSERT_EQ(w.FrameBarras1->Series_Bar1->Count(), 3);
    EXPECT_EQ(w.FrameBarras1->Series_Bar1->Labels().Label(2), QStringLiteral("Área urbana").toStdString());
    // 300 real seconds at 400 %: 20 model minutes of 240
    EXPECT_EQ(w.Poblacion()->ModelMinutes(), 20.0);
    EXPECT_EQ(w.TrackBar_Progress->value(), 8);
    TFrameHistogram* histogram = w.FrameHistogram2;
    ASSERT_EQ(histogram->FLineSeries.size(), 1u);
    EXPECT_TRUE(histogram->FLineSeries[0]->Active());
    EXPECT_EQ(histogram->FLineSeries[0]->Count(), 250);
    // the model curve in the variable's colour (clRed) and black dots in the cloud
    EXPECT_GT(CountPixels(histogram->grab().toImage(), qRgb(255, 0, 0)), 100);
    EXPECT_GT(CountPixels(w.PaintBox1->grab().toImage(), qRgb(0, 0, 0)), 500);
}

TEST_F(TFPoblacionOnScreen, SplitByZoneInThreeColours)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    TFrameHistogram* histogram = w.FrameHistogram2;
    histogram->CB_splitted->click();
    w.TrackBar_Speed->setValue(100);
    Run(w, 50);
    const QImage shot = w.grab().toImage();
    ASSERT_TRUE(shot.save(ShotFile("population_window_split.png")));
    ASSERT_EQ(histogram->FHistSeries.size(), 3u);
    const QImage chart = histogram->grab().toImage();
    // the three curves: clGreen, clWebGold, clPurple
    EXPECT_GT(CountPixels(chart, qRgb(0, 128, 0)), 50);
    EXPECT_GT(CountPixels(chart, qRgb(255, 215, 0)), 50);
    EXPECT_GT(CountPixels(chart, qRgb(128, 0, 128)), 50);
}
TEST_F(TFPoblacionOnScreen, EachVariablesTextIsAHistogramFramesTitleButton)
{
    TFPoblacion& w = ShowChartsOfTheZones();
    // the first frame starts collapsed to its title button (up), the second expanded (down)
    QList<QWidget*> showing;
    for (QWidget* child : w.findChildren<QWidget*>()) {
        if (!child->isVisible())
            continue;
        const auto* label = qobject_cast<QLabel*>(child);
        const auto* button = qobject_cast<QAbstractButton*>(child);
        if ((label && label->text().trimmed() == "Variables") || (button && button->text().trimmed() == "Variables"))
            showing.append(child);
    }
    ASSERT_EQ(showing.size(), 2);
    EXPECT_TRUE(showing.contains(w.FrameHistogram1->SpeedButton3));
    EXPECT_TRUE(showing.contains(w.FrameHistogram2->SpeedButton3));
    EXPECT_FALSE(w.FrameHistogram1->SpeedButton3->isChecked());
    EXPECT_EQ(w.FrameHistogram1->height(), 15);
    EXPECT_TRUE(w.FrameHistogram2->SpeedButton3->isChecked());
    EXPECT_GT(w.FrameHistogram2->height(), 15);
}

namespace {

// Counts the clears and added points of a series.
struct TBarEdits {
    explicit TBarEdits(TBarSeries& Bars)
    {
        Bars.OnClearValues = [this](TChartSeries&) { ++clears; };
        Bars.OnAfterAdd = [this](TChartSeries&, int) { ++adds; };
    }
    int clears = 0;
    int adds = 0;
};

// One categorical variable of Levels levels; two groups at levels 1 and 2,
// the first growing from 30 to 40 % over 60 minutes.
std::string StudyOfLevels(int Levels)
{
    std::string cats;
    for (int i = 1; i <= Levels; ++i)
        cats += "<cat id=\"" + std::to_string(i) + "\">level " + std::to_string(i) + "</cat>";
    return "<vexa><system name=\"s\"><Population name=\"p\"><simulation><time>240</time></simulation>"
           "<categories><catvar id=\"1\" name=\"Many\"><lbl>M</lbl>" + cats + "</catvar></categories>"
           "<variables><vardef id=\"1\" name=\"X\" min=\"0\" max=\"10\">x</vardef></variables>"
           "<group id=\"1\"><percent><nominal value=\"30\"/><dynamics indx=\"1\" type=\"1\" time=\"60\" tol=\"0\" "
           "final=\"40\"/></percent><variables><category varid=\"1\" catid=\"1\"/>"
           "<var id=\"1\"><nominal m=\"5\" sd=\"1\"/></var></variables></group>"
           "<group id=\"2\"><percent><nominal value=\"70\"/></percent><variables><category varid=\"1\" catid=\"2\"/>"
           "<var id=\"1\"><nominal m=\"5\" sd=\"1\"/></var></variables></group>"
           "</Population></system></vexa>";
}

} // namespace

TEST_F(TFPoblacionBars, ClockStepsChangeOnlyTheHeightsOfTheBars)
{
    TFPoblacion& w = Open();
    TFrameBarras* frame = w.FrameBarras1;
    TBarSeries& bars = *frame->Series_Bar1;
    w.OnTimer();
    ASSERT_EQ(bars.Count(), 2); // Deporte: Sí, No
    TBarEdits edits(bars);
    w.OnTimer(); // the same model time: nothing moved
    w.OnTimer();
    EXPECT_EQ(edits.clears, 0);
    EXPECT_EQ(edits.adds, 0);
    EXPECT_NEAR(bars.YValues()[0], 0.3, 1e-15);
    // 60 minutes on: Sí is group 1 at 40 of 40 + 50 + 23.75
    AdvanceMinutes(60);
    w.OnTimer();
    EXPECT_EQ(edits.clears, 0);
    EXPECT_EQ(edits.adds, 0);
    ASSERT_EQ(bars.Count(), 2);
    EXPECT_NEAR(bars.YValues()[0], 40 / 113.75, 1e-12);
    EXPECT_NEAR(bars.YValues()[1], 73.75 / 113.75, 1e-12);
    EXPECT_EQ(bars.GetMarkText(0), "35.16 %");
    EXPECT_EQ(bars.Labels().Label(0), QStringLiteral("Sí").toStdString());
    // another variable chosen: its own bars
    frame->CB_Variable->setCurrentIndex(1);
    emit frame->CB_Variable->activated(1);
    EXPECT_EQ(edits.clears, 1);
    ASSERT_EQ(bars.Count(), 3);
    EXPECT_EQ(bars.Labels().Label(2), QStringLiteral("Área urbana").toStdString());
}

TEST_F(TFPoblacionBars, AThousandLevelsFollowTheClockWithoutRebuildingTheirBars)
{
    TFPoblacion& w = OpenDocument(StudyFromText(StudyOfLevels(kMaxLevels)), QStringLiteral("levels"));
    TFrameBarras* frame = w.FrameBarras1;
    TBarSeries& bars = *frame->Series_Bar1;
    w.OnTimer();
    ASSERT_EQ(bars.Count(), 1000);
    EXPECT_EQ(frame->ChartPoblacion->BottomAxis()->Maximum(), 1000.5);
    EXPECT_EQ(bars.Labels().Label(999), "level 1000");
    TBarEdits edits(bars);
    for (int step = 1; step <= 6; ++step) {
        AdvanceMinutes(10);
        w.OnTimer();
    }
    EXPECT_EQ(edits.clears, 0);
    EXPECT_EQ(edits.adds, 0);
    EXPECT_NEAR(bars.YValues()[0], 0.4 / 1.1, 1e-12);
    EXPECT_NEAR(bars.YValues()[1], 0.7 / 1.1, 1e-12);
    EXPECT_EQ(bars.YValues()[999], 0.0);
}
