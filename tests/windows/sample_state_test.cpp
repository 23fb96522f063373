#include "sample_study.h"

#include "windows/sample_state.h"

using namespace sample_study;

namespace {

class TSampleStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Document = std::make_shared<platform::XmlDocument>(platform::XmlDocument::LoadFromBytes(StudyXml()));
        Root = GetVexa(*Document);
        Model = std::make_unique<tPopulation>(Root);
        State.SetModel(Model.get());
        SetRandSeed(kSeed);
    }
    std::shared_ptr<platform::XmlDocument> Document;
    IXMLVexaType Root;
    std::unique_ptr<tPopulation> Model;
    TSampleState State;
};

} // namespace

TEST_F(TSampleStateTest, GroupsByTheCumulativeSharesOfTheirWeights)
{
    // weights 0.25 and 0.75
    EXPECT_EQ(State.ChooseGroup(0.0), 0);
    EXPECT_EQ(State.ChooseGroup(0.2499), 0);
    EXPECT_EQ(State.ChooseGroup(0.25), 1);
    EXPECT_EQ(State.ChooseGroup(0.9999), 1);
}

TEST_F(TSampleStateTest, TheSecondGroupComesAboutThreeTimesAsOften)
{
    State.Choose({"Sexo"});
    int second = 0;
    for (int i = 0; i < 4000; ++i) {
        State.DrawIndividual();
        second += State.DrawnGroup() == 1;
    }
    // binomial(4000, 0.75): sd 27.4, four of them
    EXPECT_NEAR(second, 3000, 110);
}

TEST_F(TSampleStateTest, WithinAStratumOnlyItsGroupsAreDrawn)
{
    EXPECT_EQ(State.ChooseGroup(0.1, 0), 0);
    State.SetStratum(0, {3, 2});
    EXPECT_EQ(State.ChooseGroup(0.1, 2), 1);
    EXPECT_EQ(State.ChooseGroup(0.9, 1), 0);
    EXPECT_EQ(State.StratumTarget(), 5);
    State.Choose({"Sexo", "Peso"});
    std::vector<double> levels;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(State.NextStratumLevel(), i < 3 ? 1 : 2) << i;
        State.DrawIndividual();
        levels.push_back(State.TakeRecord()[0]);
    }
    EXPECT_EQ(levels, (std::vector<double>{1, 1, 1, 2, 2}));
    EXPECT_EQ(State.NextStratumLevel(), 0);
}

TEST_F(TSampleStateTest, AStratumNoGroupHasIsLeftOut)
{
    Model->Groups[1]->Levels[0] = 1; // nobody is a woman now
    State.SetStratum(0, {3, 4});
    EXPECT_EQ(State.StratumTarget(), 3);
}

TEST_F(TSampleStateTest, ChosenFlagsFollowTheNamesAndUnknownNamesGetNoVariable)
{
    State.Choose({"Talla", "Sexo", "Nada"});
    EXPECT_EQ(State.VarChosen(), (std::vector<bool>{true, false, false, true, false}));
    ASSERT_EQ(State.Chosen().size(), 3u);
    EXPECT_EQ(State.Chosen()[0].Kind, 0);
    EXPECT_EQ(State.Chosen()[0].Instrument, 2);
    EXPECT_EQ(State.Chosen()[1].Kind, 1);
    EXPECT_EQ(State.Chosen()[2].Index, -1);
    EXPECT_EQ(State.ChosenVarName(2), "??");
    EXPECT_EQ(State.ChosenVarName(7), "??");
    EXPECT_EQ(State.VarFlatIndex("peso"), 2);
    EXPECT_EQ(State.VarFlatIndex("Nada"), -1);
}

TEST_F(TSampleStateTest, ARecordHoldsTheChosenValuesCategoricalFirst)
{
    State.Choose({"Talla", "Sexo"});
    State.Values() = {2, 1, 61.5, 158, 15};
    EXPECT_EQ(State.TakeRecord(), (std::vector<double>{2, 158}));
}

TEST_F(TSampleStateTest, InstrumentErrorIsZeroWithoutInstrumentOrNumber)
{
    EXPECT_EQ(InstrumentRelativeError(Root, 1), 0.02);
    EXPECT_EQ(InstrumentRelativeError(Root, 2), 0.0); // vcpc "x"
    EXPECT_EQ(InstrumentRelativeError(Root, 3), 0.0); // not listed
    EXPECT_EQ(InstrumentRelativeError(Root, 0), 0.0);
    EXPECT_EQ(InstrumentRelativeError(Root, -1), 0.0);
}

TEST_F(TSampleStateTest, SampleSizeLimits)
{
    EXPECT_FALSE(SampleSizeValid(10, true, 10, 100));
    EXPECT_TRUE(SampleSizeValid(11, true, 10, 100));
    EXPECT_TRUE(SampleSizeValid(100, true, 10, 100));
    EXPECT_FALSE(SampleSizeValid(101, true, 10, 100));
    EXPECT_FALSE(SampleSizeValid(50, false, 10, 100));
}
