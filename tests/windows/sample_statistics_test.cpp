#include "sample_study.h"

#include "windows/sample_statistics.h"

using namespace sample_study;

namespace {

// Records which entry ran with what; checks that the columns it got are still
// those the page holds.
class RecordingEntries : public TStatisticsEntries {
public:
    void InitX(const tNumVarDef& Var, const TVector& Data) override { Log("X " + Var.Name, &Data, nullptr); }
    void InitC(const tCatVar& Var, const TIntVector& Data) override { Log("C " + Var.Name, nullptr, &Data); }
    void InitXY(const tNumVarDef& VarX, const TVector& DataX, const tNumVarDef& VarY, const TVector&) override
    {
        Log("XY " + VarX.Name + " " + VarY.Name, &DataX, nullptr);
    }
    void InitCY(const tCatVar& VarC, const TIntVector& DataC, const tNumVarDef& VarY, const TVector&) override
    {
        Log("CY " + VarC.Name + " " + VarY.Name, nullptr, &DataC);
    }
    void InitCC(const tCatVar& VarA, const TIntVector& DataA, const tCatVar& VarB, const TIntVector&) override
    {
        Log("CC " + VarA.Name + " " + VarB.Name, nullptr, &DataA);
    }
    std::vector<std::string> Calls;
    const TVector* LastNum = nullptr;
    const TIntVector* LastCat = nullptr;

private:
    void Log(std::string call, const TVector* num, const TIntVector* cat)
    {
        Calls.push_back(std::move(call));
        LastNum = num;
        LastCat = cat;
    }
};

class TSampleStatisticsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(StudyXml()));
        Model = std::make_unique<tPopulation>(GetVexa(*Document));
        Sheet = std::make_unique<TNTabEd>(nullptr, "SampleData");
        Sheet->SetTableSize(3, 4);
        const char* names[3] = {"Sexo", "Peso", "Talla"};
        const double values[3][4] = {{1, 2, 2, 1}, {70.5, 58.25, 61, 80}, {172, 160, 165, 181}};
        for (int c = 1; c <= 3; ++c) {
            Sheet->SetColName(c, names[c - 1]);
            for (int r = 1; r <= 4; ++r)
                Sheet->SetElem(c, r, values[c - 1][r - 1]);
        }
    }
    std::shared_ptr<platform::XmlDocument> Document;
    std::unique_ptr<tPopulation> Model;
    std::unique_ptr<TNTabEd> Sheet;
    // the variable of each column, as the sheet was built
    std::vector<std::string> Columns = {"Sexo", "Peso", "Talla"};
    TSampleStatistics Page;
    RecordingEntries Entries;
};

} // namespace

TEST_F(TSampleStatisticsTest, KindsChooseTheEntry)
{
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Peso", "-", Entries), 1);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Sexo", "", Entries), 1);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Peso", "Talla", Entries), 2);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Peso", "Sexo", Entries), 2);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Sexo", "Peso", Entries), 2);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "-", "Talla", Entries), 1);
    // variable 1 is the response Y, variable 2 the explanatory X
    EXPECT_EQ(Entries.Calls, (std::vector<std::string>{"X Peso", "C Sexo", "XY Talla Peso", "CY Sexo Peso",
                                                       "CY Sexo Peso", "X Talla"}));
}

TEST_F(TSampleStatisticsTest, ColumnsAreTheSheetsCellsCategoricalOnesTruncated)
{
    Sheet->SetElem(1, 2, 2.7);
    Page.Run(*Model, *Sheet, Columns, "Sexo", "Peso", Entries);
    const TStatColumn& cat = Page.Column(1);
    ASSERT_TRUE(cat.Cat);
    ASSERT_EQ(cat.Cat->NrOfElem(), 4);
    EXPECT_EQ(cat.Cat->GetElem(2), 2);
    const TStatColumn& num = Page.Column(2);
    ASSERT_TRUE(num.Num);
    EXPECT_EQ(num.Num->GetElem(2), 58.25);
}

TEST_F(TSampleStatisticsTest, AVariableWithoutColumnIsNotAnalysed)
{
    // Edad is a variable of the study but not a column of this sheet
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Edad", "-", Entries), 0);
    EXPECT_TRUE(Entries.Calls.empty());
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Edad", "Peso", Entries), 1);
    EXPECT_EQ(Entries.Calls, (std::vector<std::string>{"X Peso"}));
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Nada", "-", Entries), 0);
}

TEST_F(TSampleStatisticsTest, AVariableKeepsItsColumnWhateverTheHeadings)
{
    // headings swapped and renamed on the sheet
    Sheet->SetColName(1, "Peso");
    Sheet->SetColName(2, "Weight");
    Page.Run(*Model, *Sheet, Columns, "Peso", "Sexo", Entries);
    ASSERT_TRUE(Page.Column(1).Num);
    EXPECT_EQ(Page.Column(1).Num->GetElem(2), 58.25);
    ASSERT_TRUE(Page.Column(2).Cat);
    EXPECT_EQ(Page.Column(2).Cat->GetElem(2), 2);
    // a variable named beyond the sheet's columns has none
    Columns.push_back("Edad");
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Edad", "-", Entries), 0);
}

TEST_F(TSampleStatisticsTest, TheColumnsHandedOverStayWhileTheAnalysisMayReadThem)
{
    Page.Run(*Model, *Sheet, Columns, "Peso", "-", Entries);
    const TVector* handed = Entries.LastNum;
    EXPECT_EQ(handed, Page.Column(1).Num.get());
    // a run that analyses nothing keeps them
    Page.Run(*Model, *Sheet, Columns, "-", "-", Entries);
    EXPECT_EQ(Page.Column(1).Num.get(), handed);
    EXPECT_EQ(handed->GetElem(4), 80.0);
    // the next run hands over new ones and only then lets the old go
    Page.Run(*Model, *Sheet, Columns, "Talla", "-", Entries);
    EXPECT_EQ(Entries.LastNum, Page.Column(1).Num.get());
    EXPECT_EQ(Page.Column(1).Num->GetElem(4), 181.0);
}

TEST_F(TSampleStatisticsTest, EmptyAndNanCellsAreLeftOut)
{
    Sheet->SetMark(2, 1, cmEmpty);        // Peso of record 1
    Sheet->SetMark(3, 3, cmNotANumber);   // Talla of record 3
    Sheet->SetMark(1, 4, cmMarkA);        // a marked cell stays
    // one variable: its valid cells
    Page.Run(*Model, *Sheet, Columns, "Peso", "-", Entries);
    ASSERT_TRUE(Page.Column(1).Num);
    ASSERT_EQ(Page.Column(1).Num->NrOfElem(), 3);
    EXPECT_EQ(Page.Column(1).Num->GetElem(1), 58.25);
    // two variables: the records valid in both, paired
    Page.Run(*Model, *Sheet, Columns, "Peso", "Talla", Entries);
    ASSERT_EQ(Page.Column(1).Num->NrOfElem(), 2);
    ASSERT_EQ(Page.Column(2).Num->NrOfElem(), 2);
    EXPECT_EQ(Page.Column(1).Num->GetElem(2), 80.0);
    EXPECT_EQ(Page.Column(2).Num->GetElem(2), 181.0);
    Page.Run(*Model, *Sheet, Columns, "Sexo", "Peso", Entries);
    ASSERT_EQ(Page.Column(1).Cat->NrOfElem(), 3);
    EXPECT_EQ(Page.Column(1).Cat->GetElem(3), 1);
    // no record valid in both: nothing is analysed
    for (int r = 1; r <= 4; ++r)
        Sheet->SetMark(3, r, cmEmpty);
    Entries.Calls.clear();
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Peso", "Talla", Entries), 0);
    EXPECT_EQ(Page.Run(*Model, *Sheet, Columns, "Talla", "-", Entries), 0);
    EXPECT_TRUE(Entries.Calls.empty());
}
