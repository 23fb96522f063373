#include "windows/variable_selection_frame.h"

#include "list_items.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

void Select(QListWidget* list, const QStringList& names)
{
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSelected(names.contains(list->item(i)->text()));
}

class TFrame1Moves : public ::testing::Test {
protected:
    void SetUp() override
    {
        Frame = std::make_unique<TFrame1>();
        Frame->Init({"Sexo", " Zona "}, {"Peso", "altura"}, true);
        Frame->lb_VariablesEnter();
    }
    std::unique_ptr<TFrame1> Frame;
};

} // namespace

TEST_F(TFrame1Moves, InitListsEveryNameTrimmedAndSorted)
{
    EXPECT_EQ(Items(Frame->Variables()), QStringList({"altura", "Peso", "Sexo", "Zona"}));
    EXPECT_EQ(Frame->GroupingTag(), 1);
    EXPECT_EQ(Frame->SelecVarTag(), 1);
    EXPECT_EQ(Frame->SelectedCount(), 0);
    EXPECT_EQ(Frame->objectName(), "TFVarList");
}

TEST_F(TFrame1Moves, SelectedNamesMoveToTheEndOfTheSelectionInListOrder)
{
    Select(Frame->Variables(), {"Sexo"});
    Frame->sb_SelecVarClick();
    Frame->lb_VariablesEnter();
    Select(Frame->Variables(), {"Peso", "altura"});
    Frame->sb_SelecVarClick();
    EXPECT_EQ(Frame->SelectionNames(), QStringList({"Sexo", "altura", "Peso"}));
    EXPECT_EQ(Items(Frame->Variables()), QStringList({"Zona"}));
    EXPECT_EQ(Frame->SelectedCount(), 3);
}

TEST_F(TFrame1Moves, TheArrowPointsBackWhenTheSelectionHasTheFocus)
{
    Select(Frame->Variables(), {"Peso", "Sexo"});
    Frame->sb_SelecVarClick();
    // the selection took the focus: the arrow now points left
    EXPECT_EQ(Frame->SelecVarTag(), -1);
    EXPECT_EQ(Frame->SelecVarButton()->text(), "<");
    Select(Frame->Selection(), {"Sexo"});
    Frame->sb_SelecVarClick();
    EXPECT_EQ(Frame->SelectionNames(), QStringList({"Peso"}));
    EXPECT_EQ(Items(Frame->Variables()), QStringList({"altura", "Sexo", "Zona"}));
    EXPECT_EQ(Frame->SelecVarTag(), 1);
}

TEST_F(TFrame1Moves, OnlyOneGroupingCandidateBecomesTheGroupingVariable)
{
    Select(Frame->Variables(), {"Sexo", "Zona"});
    Frame->sb_groupingClick();
    EXPECT_TRUE(Frame->ByVar()->text().isEmpty()); // two names: nothing moves
    Select(Frame->Variables(), {"Peso"});
    Frame->sb_groupingClick();
    EXPECT_TRUE(Frame->ByVar()->text().isEmpty()); // not a candidate
    Select(Frame->Variables(), {"Sexo"});
    Frame->sb_groupingClick();
    EXPECT_EQ(Frame->ByVar()->text(), "Sexo");
    EXPECT_EQ(Items(Frame->Variables()), QStringList({"altura", "Peso", "Zona"}));
    EXPECT_EQ(Frame->GroupingTag(), -1);
    EXPECT_EQ(Frame->GroupingButton()->text(), "<");
    EXPECT_EQ(Frame->SelectedCount(), 1);
}

TEST_F(TFrame1Moves, ATrimmedNameThatDiffersFromItsCandidateCannotGroup)
{
    Select(Frame->Variables(), {"Zona"});
    Frame->sb_groupingClick();
    EXPECT_TRUE(Frame->ByVar()->text().isEmpty());
    EXPECT_FALSE(Frame->IsGroupingCandidate("Zona"));
    EXPECT_TRUE(Frame->IsGroupingCandidate(" Zona "));
    EXPECT_FALSE(Frame->IsGroupingCandidate("sexo"));
}

TEST_F(TFrame1Moves, TurningGroupingOffReturnsTheGroupingVariable)
{
    Select(Frame->Variables(), {"Sexo"});
    Frame->sb_groupingClick();
    ASSERT_EQ(Frame->ByVar()->text(), "Sexo");
    Frame->SetGrouping(false);
    EXPECT_TRUE(Frame->ByVar()->text().isEmpty());
    EXPECT_EQ(Items(Frame->Variables()), QStringList({"altura", "Peso", "Sexo", "Zona"}));
    EXPECT_FALSE(Frame->ByVar()->isEnabled());
    EXPECT_FALSE(Frame->GroupingButton()->isEnabled());
    EXPECT_FALSE(Frame->Grouping());
}

TEST_F(TFrame1Moves, ClickingTheArrowsRunsTheHostsHandlers)
{
    int grouping = 0;
    int selecting = 0;
    Frame->OnGroupingClick = [&] { ++grouping; };
    Frame->OnSelecVarClick = [&] { ++selecting; };
    Select(Frame->Variables(), {"Peso"});
    Frame->SelecVarButton()->click();
    Frame->GroupingButton()->click();
    EXPECT_EQ(selecting, 1);
    EXPECT_EQ(grouping, 1);
    EXPECT_EQ(Frame->SelectionNames(), QStringList({"Peso"}));
}
