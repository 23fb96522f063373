#include "windows/combo_items.h"

#include <QComboBox>
#include <gtest/gtest.h>

TEST(ComboTextLess, LettersWithoutCaseThenBytes)
{
    EXPECT_TRUE(ComboTextLess("alfa", "Beta"));
    EXPECT_TRUE(ComboTextLess("Beta", "zeta"));
    EXPECT_FALSE(ComboTextLess("zeta", "Beta"));
    EXPECT_TRUE(ComboTextLess("Edad", "edad"));
    EXPECT_FALSE(ComboTextLess("edad", "edad"));
}

TEST(TComboItems, ASortedListPutsLaterItemsInPlace)
{
    QComboBox combo;
    TComboItems items(&combo);
    items.Add("zeta");
    items.Add("Beta");
    items.SetSorted(true);
    items.Add("alfa");
    items.Add("Gamma");
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Item(0), "alfa");
    EXPECT_EQ(items.Item(1), "Beta");
    EXPECT_EQ(items.Item(2), "Gamma");
    EXPECT_EQ(items.Item(3), "zeta");
    items.SetItemIndex(-1);
    EXPECT_EQ(combo.currentIndex(), -1);
    items.SetItemIndex(2);
    EXPECT_EQ(combo.currentText(), "Gamma");
}

TEST(TComboItems, TwoListsOfTheSameNamesLineUp)
{
    QComboBox first;
    QComboBox second;
    TComboItems a(&first);
    TComboItems b(&second);
    a.SetSorted(true);
    for (const char* name : {"Zona", "deporte", "Área", "edad", "Deporte"})
        a.Add(name);
    for (const char* name : {"edad", "Área", "Deporte", "Zona", "deporte"})
        b.Add(name);
    b.SetSorted(true);
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i)
        EXPECT_EQ(a.Item(i), b.Item(i)) << i;
}

TEST(TComboItems, AnUnsortedListKeepsItsOrder)
{
    QComboBox combo;
    TComboItems items(&combo);
    items.Add("b");
    items.Add("a");
    EXPECT_EQ(items.Item(0), "b");
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
}
