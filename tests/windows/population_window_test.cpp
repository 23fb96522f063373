#include "../shell/main_window_fixture.h"
#include "population_fixture.h"

#include "core/population_model.h"
#include "windows/population_window.h"
#include "windows/sample_window.h"

#include "widgets/seven_segment.h"
#include "window_base/message_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

namespace {

// The sample study with the share of its first group spoiled: it binds, but
// no population model can be built from it.
QByteArray SpoiledStudy()
{
    QFile f(SourceFile(QStringLiteral("resources/xml/estudio_alturas_pesos.xml")));
    f.open(QIODevice::ReadOnly);
    QByteArray bytes = f.readAll();
    bytes.replace("<nominal value=\"30\"/>", "<nominal value=\"thirty\"/>");
    return bytes;
}

} // namespace

using TFPoblacionStudy = MainWindowFixture;

TEST_F(TFPoblacionStudy, ShowsTheDocumentAsATreeAndBuildsTheModel)
{
    TFMain& main = CreateMain();
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_alturas_pesos.xml").toStdString()));
    auto* window = new TFPoblacion(&main);
    window->SetDataSource(document, QStringLiteral("alturas"));
    EXPECT_EQ(window->DataSource(), document);
    EXPECT_EQ(window->DataName(), "alturas");
    EXPECT_EQ(window->PopulationName(), QStringLiteral("Alumnado de 15 años"));
    ASSERT_NE(window->Poblacion(), nullptr);
    EXPECT_EQ(window->Poblacion()->FindCatVar("zona"), 0);
    ASSERT_EQ(window->DocumentTree()->topLevelItemCount(), 1);
    QTreeWidgetItem* top = window->DocumentTree()->topLevelItem(0);
    EXPECT_EQ(top->text(0), "vexa");
    EXPECT_EQ(top->child(0)->text(0), "[filetype = \"vexa-study\"]");
    EXPECT_EQ(top->child(1)->text(0), "app");
    EXPECT_TRUE(window->GetSampleButton()->isEnabled());
    delete window;
}

TEST_F(TFPoblacionStudy, AStudyThatCannotBeBuiltLeavesTheWindowEmpty)
{
    TFMain& main = CreateMain();
    auto document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(SpoiledStudy().toStdString()));
    auto* window = new TFPoblacion(&main);
    EXPECT_THROW(window->SetDataSource(document, QStringLiteral("spoiled")), platform::XmlConversionError);
    EXPECT_EQ(window->DataSource(), nullptr);
    EXPECT_TRUE(window->Vexa().IsNull());
    EXPECT_EQ(window->Poblacion(), nullptr);
    EXPECT_EQ(window->DocumentTree()->topLevelItemCount(), 0);
    EXPECT_FALSE(window->GetSampleButton()->isEnabled());
    delete window;
}

TEST_F(TFPoblacionStudy, OpeningItGivesOneErrorBoxAndLeavesNothingBehind)
{
    TFMain& main = CreateMain();
    main.FormActivate();
    const QString file = WriteFile("xml/spoiled.xml", SpoiledStudy());
    OpenThroughDialog(file);
    ASSERT_EQ(Dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts()[0].startsWith(file + "\r")) << Dialogs.MessageTexts()[0].toStdString();
    EXPECT_TRUE(Dialogs.MessageTexts()[0].contains("thirty"));
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page"}));
    EXPECT_EQ(OpenChildren().size(), 1);
    EXPECT_EQ(main.StudyCounter(), 0);
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    // the next study is numbered as if the failed one never was
    OpenThroughDialog(XmlFile("estudio_alturas_pesos.xml"));
    EXPECT_EQ(ChildTexts(Root()), QStringList({"Vexa 1.0 Vexa Home Page", "Estudio 1"}));
}

TEST_F(TFPoblacionStudy, GetSampleAsksTheMainWindowForASampleWindow)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    ASSERT_NE(population, nullptr);
    population->GetSampleButton()->click();
    ASSERT_EQ(population->Samples().size(), 1);
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1", "Ensayo 2"}));
}

TEST_F(TFPoblacionStudy, SamplesGoWhenTheirPopulationWindowIsDestroyed)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    main.NewChildForm_Muestra(population);
    QPointer<TFMuestra> sample = population->Samples().value(1);
    delete population;
    EXPECT_TRUE(sample.isNull());
    EXPECT_TRUE(OpenChildren().isEmpty());
}

namespace {

class RefusingParent : public TestParent {
public:
    void NewChildForm_Muestra(TFMDIChild*) override { throw std::runtime_error("no sample today"); }
};

} // namespace

TEST_F(TFPoblacionStudy, AFailedGetSampleEndsInOneErrorBox)
{
    RefusingParent parent;
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_alturas_pesos.xml").toStdString()));
    auto* window = new TFPoblacion(&parent);
    window->SetDataSource(document, QStringLiteral("alturas"));
    EXPECT_NO_THROW(window->GetSampleButton()->click());
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"no sample today"}));
    delete window;
}

TEST_F(TFPoblacionStudy, ANewStudyInTheWindowTakesTheOldSamplesAlong)
{
    TFMain& main = CreateMain();
    main.OpenDataFile(XmlFile("estudio_alturas_pesos.xml"));
    auto* population = qobject_cast<TFPoblacion*>(NodeData(Root()->child(0)->child(0)));
    main.NewChildForm_Muestra(population);
    QPointer<TFMuestra> sample = population->Samples().value(0);
    ASSERT_FALSE(sample.isNull());
    auto document = std::make_shared<platform::XmlDocument>(
        platform::XmlDocument::LoadFromFile(XmlFile("estudio_presion_arterial.xml").toStdString()));
    population->SetDataSource(document, QStringLiteral("presion"));
    EXPECT_TRUE(sample.isNull());
    EXPECT_TRUE(population->Samples().isEmpty());
    EXPECT_EQ(ChildTexts(Root()->child(0)), QStringList({"Población 1"}));
}

// ---- speed, clock and progress ----


struct SpeedCase {
    int position;
    int lo;
    int hi;
    double percent;
    int interval;  // ms at a base of 100
};

void PrintTo(const SpeedCase& c, std::ostream* os)
{
    *os << "position " << c.position << " of " << c.lo << ".." << c.hi;
}

class SpeedScale : public ::testing::TestWithParam<SpeedCase> {};

// lo + p/50 (100 - lo) up to the middle, 100 + p/100 (hi - 100) above it;
// interval = Round(10000 / s).
INSTANTIATE_TEST_SUITE_P(Positions, SpeedScale,
                         ::testing::Values(SpeedCase{0, 1, 400, 1.0, 10000}, SpeedCase{50, 1, 400, 100.0, 100},
                                           SpeedCase{51, 1, 400, 253.0, 40}, SpeedCase{100, 1, 400, 400.0, 25},
                                           SpeedCase{25, 20, 400, 60.0, 167}, SpeedCase{75, 20, 300, 250.0, 40},
                                           // a low end of 0 still moves the clock: at least 1 %
                                           SpeedCase{0, 0, 400, 1.0, 10000}, SpeedCase{1, 0, 400, 2.0, 5000}));

TEST_P(SpeedScale, PositionGivesPercentAndInterval)
{
    const SpeedCase c = GetParam();
    EXPECT_DOUBLE_EQ(SpeedPercent(c.position, c.lo, c.hi), c.percent);
    EXPECT_EQ(TimerIntervalAt(100, SpeedPercent(c.position, c.lo, c.hi)), c.interval);
}

TEST(ProgressPercent, IsModelTimeOverTheHorizonAndZeroWithoutOne)
{
    EXPECT_DOUBLE_EQ(ProgressPercent(60, 240), 25.0);
    EXPECT_DOUBLE_EQ(ProgressPercent(240, 240), 100.0);
    EXPECT_DOUBLE_EQ(ProgressPercent(30, 0), 0.0);
    EXPECT_DOUBLE_EQ(ProgressPercent(0, 0), 0.0);
}

TEST(AmplitudeBins, PositionsGiveClassCounts)
{
    // factor max(a, 0.12) below a = 1, a^4 up to 1.99, 16 beyond; a = 2 p / 100
    EXPECT_EQ(AmplitudeBins(0, 25), 3);
    EXPECT_EQ(AmplitudeBins(50, 25), 25);
    EXPECT_EQ(AmplitudeBins(99, 25), 384);
    EXPECT_EQ(AmplitudeBins(100, 25), 400);
}

TEST(MessageKindOf, FirstThreeLettersOrThePreviousKind)
{
    EXPECT_EQ(MessageKindOf("Tabla", TMessageKind::Win), TMessageKind::Tab);
    EXPECT_EQ(MessageKindOf("FORMULARIO", TMessageKind::Win), TMessageKind::Form);
    EXPECT_EQ(MessageKindOf("msgbox", TMessageKind::Tab), TMessageKind::Msg);
    EXPECT_EQ(MessageKindOf("other", TMessageKind::Form), TMessageKind::Form);
    EXPECT_EQ(MessageKindOf("", TMessageKind::Win), TMessageKind::Win);
    EXPECT_EQ(MessageKindOf("wi", TMessageKind::Msg), TMessageKind::Msg);
}

using TFPoblacionClock = PopulationWindowFixture;

TEST_F(TFPoblacionClock, StartShowsNowEndRunAndNothingElapsed)
{
    TFPoblacion& w = Open();
    // 240 model minutes at 100 %: the run ends four hours after noon
    EXPECT_EQ(w.ssH_Actual->Caption(), "12:00:00");
    EXPECT_EQ(w.ssH_Final->Caption(), "16:00:00");
    EXPECT_EQ(w.ssM_Total->Caption(), "4:00:00");
    EXPECT_EQ(w.ssM_Actual->Caption(), "0:00:00");
    EXPECT_EQ(w.TrackBar_Progress->value(), 0);
    EXPECT_EQ(w.LabelTitle->text(), QStringLiteral("Estudiantes de la comarca"));
}

TEST_F(TFPoblacionClock, SpeedTrackBarSetsLabelIntervalAndRunLength)
{
    TFPoblacion& w = Open();
    w.TrackBar_Speed->setValue(100);
    EXPECT_EQ(w.Label_Speedpc->text(), "400%");
    EXPECT_EQ(w.Timer1Interval(), 25);
    EXPECT_DOUBLE_EQ(w.Poblacion()->RunMinutes, 60.0);
    EXPECT_EQ(w.ssM_Total->Caption(), "1:00:00");
    w.TrackBar_Speed->setValue(0);
    EXPECT_EQ(w.Label_Speedpc->text(), "1%");
    EXPECT_EQ(w.Timer1Interval(), 10000);
    w.TrackBar_Speed->setValue(51);
    EXPECT_EQ(w.Label_Speedpc->text(), "253%");
    EXPECT_EQ(w.Timer1Interval(), 40);
    w.Label_SpeedClick();
    EXPECT_EQ(w.Label_Speedpc->text(), "100%");
    EXPECT_EQ(w.Timer1Interval(), 100);
}

struct ClockCase {
    int speedPosition;
    double realMinutes;
    const char* elapsed;  // ssM_Actual
    int progress;
};

void PrintTo(const ClockCase& c, std::ostream* os)
{
    *os << "position " << c.speedPosition << " after " << c.realMinutes << " min";
}

class TFPoblacionRun : public PopulationWindowFixture, public ::testing::WithParamInterface<ClockCase> {};

// E = real seconds / 60 x speed; progress = Round(E / 240 model minutes),
// halves to even (78 / 240 = 32.5 % shows 32).
INSTANTIATE_TEST_SUITE_P(Speeds, TFPoblacionRun,
                         ::testing::Values(ClockCase{50, 60, "1:00:00", 25}, ClockCase{50, 240, "4:00:00", 100},
                                           // at 400 % a quarter of the real run is a quarter of the model's
                                           ClockCase{100, 15, "1:00:00", 25}, ClockCase{100, 30, "2:00:00", 50},
                                           ClockCase{0, 100, "0:01:00", 0}, ClockCase{75, 24, "1:18:00", 32}));

TEST_P(TFPoblacionRun, ModelTimeAndProgressAfterClockSteps)
{
    const ClockCase c = GetParam();
    TFPoblacion& w = Open();
    w.TrackBar_Speed->setValue(c.speedPosition);
    AdvanceMinutes(c.realMinutes);
    w.OnTimer();
    EXPECT_EQ(w.ssM_Actual->Caption(), c.elapsed);
    EXPECT_EQ(w.TrackBar_Progress->value(), c.progress);
    EXPECT_EQ(w.Label2->text(), QString::number(c.progress) + "%");
}

TEST_F(TFPoblacionClock, ProgressStopsAtTheEndOfTheBar)
{
    TFPoblacion& w = Open();
    AdvanceMinutes(500);
    w.OnTimer();
    EXPECT_EQ(w.TrackBar_Progress->value(), 100);
    EXPECT_EQ(w.ssM_Actual->Caption(), "8:20:00");
}

TEST_F(TFPoblacionClock, MovingTheProgressBarToHalfMovesTheStartBack)
{
    TFPoblacion& w = Open();
    w.TrackBar_Progress->setValue(50);
    // start = now - Round(0.5 x 240) minutes, end = now + 120 minutes
    EXPECT_NEAR(w.Poblacion()->StartTime, kNoon - 120.0 / 1440.0, 1e-9);
    EXPECT_NEAR(w.Poblacion()->EndTime, kNoon + 120.0 / 1440.0, 1e-9);
    EXPECT_EQ(w.ssM_Actual->Caption(), "2:00:00");
    EXPECT_EQ(w.TrackBar_Progress->value(), 50);
    EXPECT_EQ(w.Label2->text(), "50%");
    w.Label2Click();
    EXPECT_EQ(w.ssM_Actual->Caption(), "0:00:00");
}

TEST_F(TFPoblacionClock, ARunOfLengthZeroShowsProgressZero)
{
    // no time and no dynamics: a horizon of 0 minutes
    std::string xml =
        "<vexa><system name=\"s\"><Population name=\"p\"><simulation><time>0</time>"
        "<speedscale min=\"0\" max=\"400\"/></simulation>"
        "<variables><vardef id=\"1\" name=\"X\" min=\"0\" max=\"10\">x</vardef></variables>"
        "<group id=\"1\"><percent><nominal value=\"100\"/></percent><variables><var id=\"1\">"
        "<nominal m=\"5\" sd=\"1\"/></var></variables></group></Population></system></vexa>";
    TFPoblacion& w = OpenDocument(StudyFromText(xml), QStringLiteral("zero"));
    w.TrackBar_Speed->setValue(0);
    EXPECT_EQ(w.Label_Speedpc->text(), "1%");
    EXPECT_EQ(w.Timer1Interval(), 10000);
    AdvanceMinutes(30);
    w.OnTimer();
    EXPECT_EQ(w.TrackBar_Progress->value(), 0);
    EXPECT_EQ(w.Label2->text(), "0%");
}

TEST_F(TFPoblacionClock, DynamicsMoveSharesAndMeansAsTheModelSays)
{
    TFPoblacion& w = Open();
    AdvanceMinutes(30);
    w.OnTimer();
    tPopulation reference(w.Vexa());
    reference.UpdateGroupWeights(30);
    reference.UpdateMeans(30);
    ASSERT_EQ(w.Poblacion()->GroupCount, 3);
    for (int g = 0; g < 3; ++g) {
        EXPECT_DOUBLE_EQ(w.Poblacion()->Groups[g]->Weight, reference.Groups[g]->Weight) << g;
        EXPECT_DOUBLE_EQ(w.Poblacion()->Groups[g]->Variables[0].CurrentMean, reference.Groups[g]->Variables[0].CurrentMean);
    }
    // by hand: shares 30 -> 40 over 60 min and 20 -> 35 over 240 min, linear,
    // give 35, 50, 21.875 at 30 min; height mean 166.5 -> 168 over 120 min
    const double total = 35 + 50 + 21.875;
    EXPECT_NEAR(w.Poblacion()->Groups[0]->Weight, 35 / total, 1e-12);
    EXPECT_NEAR(w.Poblacion()->Groups[2]->Weight, 21.875 / total, 1e-12);
    EXPECT_NEAR(w.Poblacion()->Groups[0]->Variables[0].CurrentMean, 166.875, 1e-12);
}

TEST_F(TFPoblacionClock, ActivationStartsTheTimerAndDeactivationStopsIt)
{
    TFPoblacion& w = Open();
    w.TrackBar_Speed->setValue(80);
    w.TrackBar_Progress->setValue(30);
    w.FormDeactivate();
    EXPECT_FALSE(w.Timer1Enabled());
    EXPECT_TRUE(w.SB_PlayStop->isChecked());
    EXPECT_TRUE(w.sb_Dynamic->isChecked()); // the dynamics panel opens
    w.FormActivate();
    EXPECT_TRUE(w.Timer1Enabled());
    // the first activation sets speed and progress up; a later one keeps the run
    EXPECT_EQ(w.Timer1Interval(), 100);
    EXPECT_EQ(w.TrackBar_Speed->value(), 50);
    EXPECT_EQ(w.Label_Speedpc->text(), "100%");
    EXPECT_EQ(w.TrackBar_Progress->value(), 0);
    w.TrackBar_Speed->setValue(80);
    w.TrackBar_Progress->setValue(30);
    const int moved = w.Timer1Interval();
    w.FormDeactivate();
    EXPECT_FALSE(w.Timer1Enabled());
    w.FormActivate();
    EXPECT_TRUE(w.Timer1Enabled());
    EXPECT_EQ(w.Timer1Interval(), moved);
    EXPECT_NE(moved, 100);
    EXPECT_EQ(w.TrackBar_Speed->value(), 80);
    EXPECT_NE(w.Label_Speedpc->text(), "100%");
    EXPECT_EQ(w.TrackBar_Progress->value(), 30);
    // the play button follows the timer at the next step
    w.OnTimer();
    EXPECT_FALSE(w.SB_PlayStop->isChecked());
    w.SB_PlayStop->click();
    EXPECT_FALSE(w.Timer1Enabled());
    w.SB_PlayStop->click();
    EXPECT_TRUE(w.Timer1Enabled());
}

TEST_F(TFPoblacionClock, ATickProcessesNoPendingEvents)
{
    TFPoblacion& w = Open();
    bool ran = false;
    QMetaObject::invokeMethod(&w, [&ran] { ran = true; }, Qt::QueuedConnection);
    AdvanceMinutes(1);
    w.OnTimer();
    w.TrackBar_Progress->setValue(40);
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST_F(TFPoblacionClock, PanelsStartCollapsedAndOpenToTheirLimits)
{
    TFPoblacion& w = Open();
    EXPECT_EQ(w.pDynamic->height(), 18);
    EXPECT_EQ(w.Panel_Sampling->height(), 15);
    EXPECT_EQ(w.PanelGraphicOptions->height(), 18);
    EXPECT_FALSE(w.sb_Dynamic->isChecked());
    w.sb_Dynamic->click();
    EXPECT_EQ(w.pDynamic->height(), 125);
    EXPECT_TRUE(w.sb_Dynamic->isChecked());
    w.sb_Sampling->click();
    EXPECT_EQ(w.Panel_Sampling->height(), 37);
    w.SB_GraphicOptions->click();
    EXPECT_EQ(w.PanelGraphicOptions->height(), 80);
    w.SB_GraphicOptions->click();
    EXPECT_EQ(w.PanelGraphicOptions->height(), 18);
}

TEST_F(TFPoblacionClock, EveryControlCarriesItsName)
{
    TFPoblacion& w = Open();
    for (const char* name :
         {"PageControl1", "TabSheet_Pixels", "PanelTitle", "LabelTitle", "PanelMainL", "sbPanelCharts", "PanelCharts",
          "PanelChartMid", "FrameBarras1", "Panel_Bottom", "FrameHistogram1", "FrameHistogram2", "PanelGraphicOptions",
          "SB_GraphicOptions", "cbShowHistogram", "TrackBar_Amplitud", "Label1", "TrackBar_Transparency", "cbShowModel",
          "Label5", "TrackBar_Thickness", "PanelMainR", "Panel_Sampling", "sb_Sampling", "Lbl_Get_sample", "PaintPanel",
          "PaintBox1", "Splitter1", "Splitter2", "Splitter3", "Splitter6", "pDynamic", "sb_Dynamic", "Panel_Slides", "SB_PlayStop", "LblPDynamics", "Label_Speed",
          "TrackBar_Speed", "Label_Speedpc", "Label2", "TrackBar_Progress", "Panel_tiempos", "Label3", "Label4",
          "ssH_Actual", "ssH_Final", "ssM_Actual", "ssM_Total", "SB_ShowTimeControls", "TabSheet_Parametros",
          "ProgBar1", "pageParameters", "XMLBrowser", "XMLTreeView", "PopupMenu1", "Timer1"})
        EXPECT_NE(w.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"It1", "It2", "it3", "it4"})
        EXPECT_NE(w.PopupMenu1->findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(TFPoblacionClock, StartUpMessagesGoWhereTheirPlaceSays)
{
    // win, then an unknown place after a form (a page window), Tabla, msg
    std::string xml =
        "<vexa><system name=\"s\"><Population name=\"p\"><simulation><time>10</time></simulation>"
        "<group id=\"1\"><percent><nominal value=\"100\"/></percent></group></Population>"
        "<msges><msginit loc=\"elsewhere\" lbl=\"Hola\" href=\"a.htm\"/>"
        "<msginit loc=\"form\" lbl=\"F\" href=\"f.htm\"/><msginit loc=\"other\" lbl=\"G\" href=\"g.htm\"/>"
        "<msginit loc=\"Tabla\" lbl=\"Guía\" href=\"t.htm\"/><msginit loc=\"msg\" lbl=\"Nota\" href=\"m.htm\"/>"
        "</msges></system></vexa>";
    TFPoblacion& w = OpenDocument(StudyFromText(xml), QStringLiteral("messages"));
    EXPECT_EQ(MainWindow().WebPages, QStringList({"f.htm", "g.htm"}));
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Guía"));
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    ASSERT_EQ(w.MessageWindows().size(), 2);
    EXPECT_EQ(w.MessageWindows()[0]->windowTitle(), "Hola");
    EXPECT_NE(w.MessageWindows()[0]->Backdrop(), nullptr);
    EXPECT_EQ(w.MessageWindows()[1]->windowTitle(), "Nota");
    EXPECT_EQ(w.MessageWindows()[1]->Backdrop(), nullptr);
}
