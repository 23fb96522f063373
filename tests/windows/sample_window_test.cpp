#include "sample_study.h"
#include "support/event_wait.h"

#include "widgets/analog_meter.h"
#include "widgets/scale_gauge.h"
#include "widgets/seven_segment.h"
#include "windows/sample_data_files.h"
#include "windows/statistics_frame.h"
#include "windows/statistics_string_grid.h"
#include "core/group_comparison.h"
#include "core/quantitative_statistics.h"
#include "core/statistics_grid.h"

#include "widgets/table_editor_texts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTableWidget>

#include <cmath>

using namespace sample_study;

namespace {

QStringList SheetNames(const TFMuestra* w)
{
    QStringList out;
    for (int r = 0; r < w->Sheet()->rowCount(); ++r)
        out.append(w->Sheet()->item(r, 0)->text());
    return out;
}

QString SheetValue(const TFMuestra* w, const QString& name)
{
    for (int r = 0; r < w->Sheet()->rowCount(); ++r)
        if (w->Sheet()->item(r, 0)->text() == name)
            return w->Sheet()->item(r, 1)->text();
    return QStringLiteral("<none>");
}

std::vector<std::string> ColumnNames(const TNTabEd& t)
{
    std::vector<std::string> out;
    for (int c = 1; c <= t.NrOfColumns(); ++c)
        out.push_back(t.GetColName(c));
    return out;
}

void Choose(QListWidget* list, const QString& name)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == name)
            list->setCurrentRow(i);
}

} // namespace

using SampleWindowDesign = SampleWindowFixture;

TEST_F(SampleWindowDesign, StartsOnTheDesignPageWithTheStudyOptions)
{
    TFMuestra* w = NewSample();
    ASSERT_EQ(w->DesignBox()->count(), 3);
    EXPECT_EQ(w->DesignBox()->itemText(0), "Simple random");
    EXPECT_EQ(w->Design(), 0);
    EXPECT_EQ(w->PageControl()->tabText(0), "Design");
    EXPECT_EQ(w->PageControl()->tabText(3), "Statistics");
    EXPECT_TRUE(w->PageControl()->isTabVisible(0));
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(w->PageControl()->isTabVisible(i)) << i;
    EXPECT_EQ(Items(w->VarList()->Variables()), QStringList({"Edad", "Peso", "Sexo", "Talla", "Zona"}));
    EXPECT_FALSE(w->VarList()->ByVar()->isEnabled()); // the simple design groups by nothing
    EXPECT_EQ(w->SampleSizeTable()->NrOfRows(), 1);
    EXPECT_EQ(w->SampleSizeTable()->GetRowName(1), " n = ");
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
}

// The bundled studies caption each tab after its page: data third, statistics fourth.
class BundledStudyPages : public SampleWindowFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        SampleWindowFixture::SetUp();
        Document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromFile(
            std::string(VEXA_SOURCE_DIR "/resources/xml/") + GetParam()));
        Root = GetVexa(*Document);
        Model = std::make_unique<tPopulation>(Root);
    }
};

TEST_P(BundledStudyPages, EachTabIsCaptionedAfterItsPage)
{
    TFMuestra* w = NewSample();
    ASSERT_EQ(w->PageControl()->count(), 4);
    EXPECT_EQ(w->PageControl()->tabText(0), "Diseño");
    EXPECT_EQ(w->PageControl()->tabText(1), "Observación");
    EXPECT_EQ(w->PageControl()->tabText(2), "Datos");
    EXPECT_EQ(w->PageControl()->tabText(3), "Estadística");
}

INSTANTIATE_TEST_SUITE_P(Studies, BundledStudyPages,
                         ::testing::Values("estudio_alturas_pesos.xml", "estudio_presion_arterial.xml"));

TEST_F(SampleWindowDesign, SampleSizeMustLieAboveTheMinimumAndUpToTheMaximum)
{
    TFMuestra* w = NewSample();
    Observe(w, {"Peso"});
    for (const auto& [size, ok] : std::vector<std::pair<double, bool>>{{10, false}, {11, true}, {100, true}, {101, false}}) {
        SetSize(w, 1, size);
        EXPECT_EQ(w->GetSampleButton()->isEnabled(), ok) << size;
    }
    w->SampleSizeTable()->SetEditText(1, 1, "");
    w->NTab_SampleSizeChange();
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
}

TEST_F(SampleWindowDesign, ClusterDesignNeverAllowsASample)
{
    TFMuestra* w = NewSample();
    Observe(w, {"Peso"});
    SetSize(w, 1, 20);
    ASSERT_TRUE(w->GetSampleButton()->isEnabled());
    w->DesignBox()->setCurrentIndex(2);
    w->c_DesignBoxChange();
    EXPECT_EQ(w->Design(), 3);
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
}

TEST_F(SampleWindowDesign, AStudyWithoutOptionsLeavesGetSampleDisabled)
{
    Load(StudyXml(""));
    TFMuestra* w = NewSample();
    EXPECT_EQ(w->DesignBox()->count(), 0);
    Observe(w, {"Peso"});
    SetSize(w, 1, 20);
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
}

TEST_F(SampleWindowDesign, StratifiedDesignWantsACategoricalGroupingVariable)
{
    TFMuestra* w = NewSample();
    w->DesignBox()->setCurrentIndex(1);
    w->c_DesignBoxChange();
    EXPECT_TRUE(w->VarList()->ByVar()->isEnabled());
    Observe(w, {"Peso"});
    SetSize(w, 1, 20);
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
    GroupBy(w, "Sexo");
    EXPECT_EQ(w->VarList()->ByVar()->text(), "Sexo");
    // one size row per level of the grouping variable
    ASSERT_EQ(w->SampleSizeTable()->NrOfRows(), 2);
    EXPECT_EQ(w->SampleSizeTable()->GetColName(1), "              n");
    EXPECT_EQ(w->SampleSizeTable()->GetRowName(2), " Mujer");
    SetSize(w, 1, 12);
    EXPECT_FALSE(w->GetSampleButton()->isEnabled());
    SetSize(w, 2, 15);
    EXPECT_TRUE(w->GetSampleButton()->isEnabled());
}

using SampleWindowDrawing = SampleWindowFixture;

TEST_F(SampleWindowDrawing, GetSampleBuildsTheSheetFromTheGroupingVariableAndTheListItself)
{
    TFMuestra* w = NewSample();
    w->DesignBox()->setCurrentIndex(1);
    w->c_DesignBoxChange();
    GroupBy(w, "Sexo");
    Observe(w, {"Talla", "Peso"});
    SetSize(w, 1, 12);
    SetSize(w, 2, 15);
    EXPECT_EQ(w->VarList()->SelectedCount(), 3);
    w->GetSampleButton()->click();
    // every name once, no entry without variable
    EXPECT_EQ(SheetNames(w), QStringList({"Sexo", "Peso", "Talla"}));
    EXPECT_EQ(Items(w->ObservableVars()), QStringList({"Sexo"}));
    EXPECT_EQ(Items(w->MeasureList()), QStringList({"Peso", "Talla"}));
    EXPECT_EQ(ColumnNames(*w->SampleData()), (std::vector<std::string>{"Sexo", "Peso", "Talla"}));
    EXPECT_EQ(w->SampleData()->GetDecPlaces(2), 1);
    EXPECT_EQ(w->SampleData()->NrOfRows(), 0);
    EXPECT_TRUE(w->PageControl()->isTabVisible(1));
    EXPECT_EQ(w->PageControl()->currentIndex(), 1);
}

TEST_F(SampleWindowDrawing, AddAllDrawsTheIndividualsIntoRecords)
{
    TFMuestra* w = DrawnSample({"Peso", "Sexo", "Talla"}, 20);
    ASSERT_EQ(ColumnNames(*w->SampleData()), (std::vector<std::string>{"Sexo", "Peso", "Talla"}));
    // the same draws, made on a second model of the same study
    tPopulation reference(Root);
    SetRandSeed(kSeed);
    std::vector<TReferenceIndividual> expected;
    for (int i = 0; i < 20; ++i)
        expected.push_back(ReferenceDraw(reference));
    SetRandSeed(kSeed);
    w->tbAddAllRecordsClick();
    ASSERT_EQ(w->SampleData()->NrOfRows(), 20);
    EXPECT_EQ(w->RecordCount(), 20);
    for (int r = 1; r <= 20; ++r) {
        const TReferenceIndividual& e = expected[static_cast<std::size_t>(r - 1)];
        EXPECT_EQ(w->SampleData()->GetRowName(r), std::to_string(r));
        EXPECT_EQ(w->SampleData()->GetElem(1, r), e.Values[0]) << r;
        EXPECT_EQ(w->SampleData()->GetElem(2, r), e.Values[2]) << r;  // Peso
        EXPECT_EQ(w->SampleData()->GetElem(3, r), e.Values[3]) << r;  // Talla
    }
    EXPECT_TRUE(w->PageControl()->isTabVisible(2));
    EXPECT_TRUE(w->PageControl()->isTabVisible(3));
    EXPECT_EQ(w->PageControl()->currentIndex(), 2);
    EXPECT_EQ(w->StatVars1()->count(), 4);
    EXPECT_EQ(w->StatVars1()->itemText(0), "-");
}

TEST_F(SampleWindowDrawing, StratifiedAddAllFillsEachLevelToItsSize)
{
    TFMuestra* w = NewSample();
    w->DesignBox()->setCurrentIndex(1);
    w->c_DesignBoxChange();
    GroupBy(w, "Sexo");
    Observe(w, {"Peso"});
    SetSize(w, 1, 12);
    SetSize(w, 2, 15);
    w->GetSampleButton()->click();
    w->tbAddAllRecordsClick();
    ASSERT_EQ(w->SampleData()->NrOfRows(), 27);
    int men = 0;
    int women = 0;
    for (int r = 1; r <= 27; ++r) {
        const double sexo = w->SampleData()->GetElem(1, r);
        men += sexo == 1;
        women += sexo == 2;
    }
    EXPECT_EQ(men, 12);
    EXPECT_EQ(women, 15);
}

TEST_F(SampleWindowDrawing, AddAllAfterFiveRecordsAddsTheRest)
{
    TFMuestra* w = DrawnSample({"Peso"}, 20);
    w->sb_NewRecordClick();
    for (int i = 0; i < 5; ++i)
        w->tbAddRecordClick();
    EXPECT_EQ(w->SampleData()->NrOfRows(), 5);
    w->tbAddAllRecordsClick();
    EXPECT_EQ(w->SampleData()->NrOfRows(), 20);
    w->tbAddAllRecordsClick();
    EXPECT_EQ(w->SampleData()->NrOfRows(), 20);
}

TEST_F(SampleWindowDrawing, CaseNumberFollowsTheRecords)
{
    TFMuestra* w = DrawnSample({"Peso"}, 20);
    w->sb_NewRecordClick();
    for (int i = 0; i < 3; ++i)
        w->tbAddRecordClick();
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lbl_Casenum"))->text(), "- 3 -    ");
    EXPECT_EQ(w->SampleData()->GetRowName(3), "3");
}

TEST_F(SampleWindowDrawing, ANewSampleStartsWithoutRowsAndRecords)
{
    TFMuestra* w = DrawnSample({"Peso", "Sexo"}, 20);
    w->tbAddAllRecordsClick();
    ASSERT_EQ(w->SampleData()->NrOfRows(), 20);
    w->PageControl()->setCurrentIndex(0);
    {
        // the records not saved are discarded
        platform::ScopedModalAnswer<TFSaveDlg> discard([](TFSaveDlg&) { return TFSaveDlg::mrDiscard; });
        w->GetSampleButton()->click();
    }
    EXPECT_EQ(w->SampleData()->NrOfRows(), 0);
    EXPECT_EQ(w->RecordCount(), 0);
    w->tbAddAllRecordsClick();
    EXPECT_EQ(w->SampleData()->NrOfRows(), 20);
    EXPECT_EQ(w->SampleData()->GetRowName(1), "1");
}

TEST_F(SampleWindowDrawing, TwoSampleWindowsOfOnePopulationKeepTheirOwnSelection)
{
    TFMuestra* first = DrawnSample({"Peso"}, 15);
    first->tbAddAllRecordsClick();
    const std::string before = SpssSyntaxText(TSampleSheetView(*first->SampleData()), first->FileVariables());
    TFMuestra* second = DrawnSample({"Sexo", "Talla"}, 12);
    second->tbAddAllRecordsClick();
    EXPECT_EQ(SpssSyntaxText(TSampleSheetView(*first->SampleData()), first->FileVariables()), before);
    ASSERT_EQ(first->FileVariables().size(), 1u);
    EXPECT_EQ(first->FileVariables()[0].Name, "Peso");
    ASSERT_EQ(second->FileVariables().size(), 2u);
    EXPECT_EQ(second->FileVariables()[0].Name, "Sexo");
    first->InitStatVars();
    EXPECT_EQ(first->StatVars1()->count(), 2);
    // the shared model is not written
    for (const tCatVar& v : Model->CatVars)
        EXPECT_FALSE(v.Selected);
    for (const tNumVarDef& v : Model->NumVarDefs)
        EXPECT_FALSE(v.Selected);
}

using SampleWindowObservation = SampleWindowFixture;

TEST_F(SampleWindowObservation, AnnotatingWritesLabelsAndValuesInTwentyCharacters)
{
    TFMuestra* w = DrawnSample({"Sexo", "Peso"}, 20);
    w->sb_NewRecordClick();
    w->State().Values() = {2, 1, 72.46, 170, 15};
    SelectIn(w->ObservableVars(), {"Sexo"});
    w->sb_AnnotateClick();
    EXPECT_EQ(SheetValue(w, "Sexo"), "               Mujer");
    EXPECT_FALSE(w->findChild<QLabel*>(QStringLiteral("Image_Female"))->isHidden());
    EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("Image_male"))->isHidden());
    w->AnnotateValue("Peso");
    EXPECT_EQ(SheetValue(w, "Peso"), "                72.5");
}

TEST_F(SampleWindowObservation, AnnotateWithoutSelectionGivesTheHint)
{
    TFMuestra* w = DrawnSample({"Sexo"}, 20);
    w->sb_NewRecordClick();
    w->sb_AnnotateClick();
    auto* annotate = w->findChild<QPushButton*>(QStringLiteral("sb_Annotate"));
    EXPECT_EQ(annotate->toolTip(), "Select a variable from the list before clicking here");
    w->LB_ObservableVarsClick();
    EXPECT_TRUE(annotate->toolTip().isEmpty());
}

TEST_F(SampleWindowObservation, SexPictureByNameAndLabel)
{
    EXPECT_EQ(SexValueCode("Sexo", "Mujer"), 0);
    EXPECT_EQ(SexValueCode("Gender", "male"), 1);
    EXPECT_EQ(SexValueCode("Sex", "Unknown"), -1);
    EXPECT_EQ(SexValueCode("Genero", "Hombre"), 1);
    EXPECT_EQ(SexValueCode("Zona", "Mujer"), -1);
    EXPECT_EQ(SexValueCode("Se", "Mujer"), -1);
}

using SampleWindowMeasurement = SampleWindowFixture;

TEST_F(SampleWindowMeasurement, FirstMeasureShowsTheTrueValueOnTheMeter)
{
    TFMuestra* w = DrawnSample({"Peso"}, 20);
    w->sb_NewRecordClick();
    w->State().TrueValues()[2] = 72.46;
    w->State().Values()[2] = 72.46;
    Choose(w->MeasureList(), "Peso");
    w->sb_selectToMeasureClick();
    EXPECT_FALSE(w->Meter()->isHidden());
    EXPECT_EQ(w->Meter()->MeterMaxValue(), 110.0);
    Waits.clear();
    w->sb_MeasureClick();
    EXPECT_EQ(w->Meter()->Value(), 72.0);
    EXPECT_EQ(w->Meter()->LimWatchActColor(), 0x8000u);
    EXPECT_EQ(Waits, std::vector<double>(101, 0.001));
    EXPECT_TRUE(w->RepeatTable()->isHidden());
    EXPECT_EQ(w->State().Values()[2], 72.46);
    w->sb_registerClick();
    EXPECT_EQ(SheetValue(w, "Peso"), "                72.5");
    EXPECT_EQ(w->Meter()->Value(), 0.0);
}

TEST_F(SampleWindowMeasurement, RepeatsCarryTheInstrumentError)
{
    TFMuestra* w = DrawnSample({"Peso"}, 20);
    w->sb_NewRecordClick();
    const double truth = w->State().TrueValues()[2];
    Choose(w->MeasureList(), "Peso");
    w->sb_selectToMeasureClick();
    const std::uint32_t seed = RandSeed();
    w->sb_MeasureClick();
    w->sb_MeasureClick();
    w->sb_MeasureClick();
    // the instrument's 2 %: truth + N(0, 1) x 0.02 x truth, one deviate a repeat
    SetRandSeed(seed);
    const double second = truth + RandomNormal() * 0.02 * truth;
    const double third = truth + RandomNormal() * 0.02 * truth;
    EXPECT_EQ(w->RepeatError(), 0.02);
    const TNTabEd& rep = *w->RepeatTable();
    EXPECT_FALSE(rep.isHidden());
    ASSERT_EQ(rep.NrOfRows(), 3);
    EXPECT_EQ(rep.GetColName(1), "Peso");
    EXPECT_EQ(rep.GetElem(1, 1), truth);
    EXPECT_EQ(rep.GetRowName(2), "R-2");
    EXPECT_EQ(rep.GetElem(1, 2), second);
    EXPECT_EQ(rep.GetRowName(3), "R-3");
    EXPECT_EQ(rep.GetElem(1, 3), third);
    EXPECT_EQ(rep.GetMark(1, 2), 0);
    EXPECT_EQ(rep.GetMark(1, 3), cmMarkB);
    EXPECT_EQ(w->Meter()->Value(), std::nearbyint(third));
    // the record takes the last measurement
    w->sb_registerClick();
    w->tbAddRecordClick();
    EXPECT_EQ(w->SampleData()->GetElem(1, 1), third);
}

TEST_F(SampleWindowMeasurement, AnInstrumentWhoseErrorIsNoNumberMeasuresWithoutError)
{
    TFMuestra* w = DrawnSample({"Talla"}, 20);
    w->sb_NewRecordClick();
    const double truth = w->State().TrueValues()[3];
    Choose(w->MeasureList(), "Talla");
    w->sb_selectToMeasureClick();
    EXPECT_FALSE(w->Scale()->isHidden());
    w->sb_MeasureClick();
    w->sb_MeasureClick();
    EXPECT_EQ(w->RepeatError(), 0.0);
    EXPECT_EQ(w->RepeatTable()->GetElem(1, 2), truth);
    EXPECT_EQ(w->Scale()->Value(), std::nearbyint(truth));
}

TEST_F(SampleWindowMeasurement, AnInstrumentTheStudyDoesNotListMeasuresWithoutError)
{
    TFMuestra* w = DrawnSample({"Edad"}, 20);
    w->sb_NewRecordClick();
    const double truth = w->State().TrueValues()[4];
    Choose(w->MeasureList(), "Edad");
    w->sb_selectToMeasureClick();
    EXPECT_FALSE(w->SevenSeg()->isHidden());
    w->sb_MeasureClick();
    w->sb_MeasureClick();
    EXPECT_EQ(w->RepeatError(), 0.0);
    EXPECT_EQ(w->RepeatTable()->GetElem(1, 2), truth);
    EXPECT_EQ(w->SevenSeg()->Caption(), FormatNumber(8, 0, truth));
}

TEST_F(SampleWindowMeasurement, ACategoricalVariableShowsItsLevelNumber)
{
    TFMuestra* w = DrawnSample({"Zona"}, 20);
    w->sb_NewRecordClick();
    Choose(w->MeasureList(), "Zona");
    w->sb_selectToMeasureClick();
    EXPECT_EQ(w->Meter()->MeterMaxValue(), 2.0);
    w->sb_MeasureClick();
    EXPECT_EQ(w->Meter()->Value(), w->State().Values()[1]);
    EXPECT_EQ(w->RepeatCount(), 0);
}

TEST_F(SampleWindowMeasurement, ChoosingAnotherVariableOrIndividualRestartsTheRepeats)
{
    TFMuestra* w = DrawnSample({"Peso", "Talla"}, 20);
    w->sb_NewRecordClick();
    Choose(w->MeasureList(), "Peso");
    w->sb_selectToMeasureClick();
    w->sb_MeasureClick();
    w->sb_MeasureClick();
    EXPECT_EQ(w->RepeatCount(), 2);
    Choose(w->MeasureList(), "Talla");
    w->sb_selectToMeasureClick();
    EXPECT_EQ(w->RepeatCount(), 0);
    EXPECT_TRUE(w->RepeatTable()->isHidden());
    w->sb_MeasureClick();
    w->sb_NewRecordClick();
    EXPECT_EQ(w->RepeatCount(), 0);
}

using SampleWindowStatistics = SampleWindowFixture;

namespace {

void Pick(QComboBox* combo, const QString& text) { combo->setCurrentIndex(combo->findText(text)); }

// A column of the data sheet read cell by cell, as the sheet shows it.
std::unique_ptr<TVector> NumColumn(const TNTabEd& t, int c)
{
    auto v = std::make_unique<TVector>();
    v->SetNrOfElem(t.NrOfRows());
    for (int r = 1; r <= t.NrOfRows(); ++r)
        v->SetElem(r, std::stod(t.CellText(c, r)));
    return v;
}

std::unique_ptr<TIntVector> CatColumn(const TNTabEd& t, int c)
{
    auto v = std::make_unique<TIntVector>();
    v->SetNrOfElem(t.NrOfRows());
    for (int r = 1; r <= t.NrOfRows(); ++r)
        v->SetElem(r, static_cast<std::int32_t>(t.GetElem(c, r)));
    return v;
}

void ExpectGrid(const TStatStringGrid& grid, const TStatTextTable& expected)
{
    ASSERT_FALSE(expected.Cells().empty());
    EXPECT_EQ(grid.WrittenCellCount(), static_cast<int>(expected.Cells().size()));
    for (const auto& [cell, text] : expected.Cells())
        EXPECT_EQ(grid.Cells(cell.first, cell.second), text) << cell.first << "," << cell.second;
}

} // namespace

TEST_F(SampleWindowStatistics, OneVariableByGroupsIsTheFramesComparisonOfTheSheetsColumns)
{
    TFMuestra* w = DrawnSample({"Sexo", "Peso", "Talla"}, 30);
    w->tbAddAllRecordsClick();
    Pick(w->StatVars1(), QStringLiteral("Peso"));
    w->cbSVars2Change(w->StatVars1());
    Pick(w->StatVars2(), QStringLiteral("Sexo"));
    w->cbSVars2Change(w->StatVars2());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblVar1"))->text(), "Quantitative Variable");
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblVar2"))->text(), "Categorical Variable");
    TFramStat* frame = w->StatisticsFrame();
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(frame->Mode(), TFramStat::ModeCY);
    const TNTabEd& sheet = *w->SampleData();
    TStatTextTable expected;
    WriteGroupComparisonGrid(expected, Model->NumVarDefs[0], Model->CatVars[0],
                             CompareGroups(*NumColumn(sheet, 2), *CatColumn(sheet, 1)));
    ExpectGrid(*frame->Grid(3), expected);
}

TEST_F(SampleWindowStatistics, TheSameVariableTwiceIsAnalysedOnce)
{
    TFMuestra* w = DrawnSample({"Peso", "Talla"}, 30);
    w->tbAddAllRecordsClick();
    Pick(w->StatVars1(), QStringLiteral("Talla"));
    Pick(w->StatVars2(), QStringLiteral("Talla"));
    w->cbSVars2Change(w->StatVars2());
    EXPECT_EQ(w->StatVars2()->currentText(), "-");
    TFramStat* frame = w->StatisticsFrame();
    EXPECT_EQ(frame->Mode(), TFramStat::ModeX);
    TStatTextTable expected;
    WriteQuantitativeGrid(expected, Model->NumVarDefs[1], QuantitativeSummary(*NumColumn(*w->SampleData(), 2)));
    ExpectGrid(*frame->Grid(1), expected);
}

TEST_F(SampleWindowObservation, SpeedButtonsAreBlueOnlyWhileTheMouseIsOverThem)
{
    MainWindow().resize(1200, 900);
    MainWindow().show();
    const QPalette application = QApplication::palette();
    TFMuestra* w = NewSample();
    w->show();
    w->resize(1100, 760);
    QApplication::processEvents();
    QPushButton* getSample = w->GetSampleButton();
    QWidget* page = getSample->parentWidget();
    ASSERT_TRUE(getSample->isVisible());
    ASSERT_FALSE(getSample->isEnabled());  // the design is not complete yet
    const QColor grey = page->palette().color(QPalette::Disabled, QPalette::ButtonText);
    // on a real display the enter and leave come back from the X server
    auto away = [&] {
        QTest::mouseMove(page, QPoint(page->width() - 3, page->height() - 3));
        EXPECT_TRUE(WaitFor([&] { return !getSample->underMouse(); }, 2000));
    };
    auto over = [&] {
        QTest::mouseMove(getSample, getSample->rect().center());
        EXPECT_TRUE(WaitFor([&] { return getSample->underMouse(); }, 2000));
    };

    // a disabled button keeps its grey under the mouse and after it
    over();
    EXPECT_EQ(getSample->palette().color(QPalette::Disabled, QPalette::ButtonText), grey);
    away();
    EXPECT_EQ(getSample->palette(), page->palette());

    Observe(w, {"Peso"});
    SetSize(w, 1, 20);
    ASSERT_TRUE(getSample->isEnabled());
    over();
    EXPECT_TRUE(getSample->underMouse());
    EXPECT_EQ(getSample->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_EQ(getSample->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(getSample->palette().color(QPalette::Disabled, QPalette::ButtonText), grey);
    away();
    EXPECT_FALSE(getSample->underMouse());
    EXPECT_EQ(getSample->palette(), page->palette());
    getSample->setEnabled(false);
    EXPECT_EQ(getSample->palette().color(QPalette::Disabled, QPalette::ButtonText), grey);
    // nothing else took the colour
    EXPECT_EQ(QApplication::palette(), application);
    EXPECT_TRUE(MainWindow().styleSheet().isEmpty());
    EXPECT_TRUE(w->styleSheet().isEmpty());
    EXPECT_TRUE(getSample->styleSheet().isEmpty());
}
