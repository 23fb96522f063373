#include "chart/labels_list.h"

#include <gtest/gtest.h>

namespace {

TEST(TLabelsList, SetPadsAndEmptyTextEmptiesOnly)
{
    TLabelsList l;
    l.SetLabel(3, "d");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Label(0), "");
    l.SetLabel(3, "");
    EXPECT_EQ(l.Count(), 4);
    l.SetLabel(9, "");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Label(20), "");
    l.SetLabel(-1, "x");
    EXPECT_EQ(l.Count(), 4);
}

TEST(TLabelsList, InsertIntoEmptyListNeedsText)
{
    TLabelsList l;
    l.InsertLabel(0, "");
    EXPECT_EQ(l.Count(), 0);
    l.InsertLabel(2, "c");
    EXPECT_EQ(l.Count(), 3);
    l.InsertLabel(0, "");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Label(3), "c");
}

TEST(TLabelsList, DeletesCheckTheirIndexes)
{
    TLabelsList l;
    l.SetLabel(1, "b");
    l.DeleteLabel(5);
    l.DeleteLabel(-1);
    EXPECT_EQ(l.Count(), 2);
    l.DeleteRange(0, 9);
    EXPECT_EQ(l.Count(), 0);
}

}  // namespace
