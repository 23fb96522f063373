// Proportion interval by hand: x = 20, n = 40: p = 0.5,
// 1.96 * sqrt(0.25 / 40) + 1 / 80 = 0.1674516, limits 0.3325484 and 0.6674516.
#include "core/categorical_statistics.h"

#include "statistics_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ProportionInterval, ContinuityCorrectedByHand)
{
    const TProportionEstimate e = ProportionCI(20, 40, 1.96);
    EXPECT_DOUBLE_EQ(e.p, 0.5);
    EXPECT_NEAR(e.precision, 0.1674516, 1e-7);
    EXPECT_NEAR(e.lower, 0.3325484, 1e-7);
    EXPECT_NEAR(e.upper, 0.6674516, 1e-7);
}

TEST(ProportionInterval, UndefinedUnlessBothCountsExceedFive)
{
    EXPECT_TRUE(std::isnan(ProportionCI(5, 20, 1.96).precision));
    EXPECT_TRUE(std::isnan(ProportionCI(15, 20, 1.96).lower));
    EXPECT_FALSE(std::isnan(ProportionCI(6, 12, 1.96).upper));
    EXPECT_TRUE(std::isnan(ProportionCI(0, 0, 1.96).p));
}

TEST(FrequencyTableCodes, DistinctCodesAscendingWithCounts)
{
    const auto d = MakeCodes({3, 1, 3});
    const TFrequencies f = FrequencyTable(*d);
    EXPECT_EQ(f.values, (std::vector<int>{1, 3}));
    EXPECT_EQ(f.counts, (std::vector<int>{1, 2}));
}

TEST(CategorySlotsByCode, GapsInsideTheLevelsAreEmptyCategories)
{
    const auto d = MakeCodes({1, 3, 3});
    const auto slots = CategorySlots(*d, CatVar("c", {"A", "B", "C"}));
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(slots[1].code, 2);
    EXPECT_EQ(slots[1].count, 0);
    EXPECT_EQ(slots[2].count, 2);
}

TEST(CategorySlotsByCode, LabelsFollowTheCodeNotTheRank)
{
    // codes 2 and 3 only: their labels are B and C, not A and B
    const auto d = MakeCodes({2, 2, 3});
    const tCatVar def = CatVar("Colour", {"red", "green", "blue"});
    const auto slots = CategorySlots(*d, def);
    ASSERT_EQ(slots.size(), 2u);
    TStatTextTable g;
    WriteCategoricalGrid(g, def, slots, 3);
    EXPECT_EQ(g.Cell(2, 3), "2");
    EXPECT_EQ(g.Cell(3, 3), "GREEN");
    EXPECT_EQ(g.Cell(2, 6), "3");
    EXPECT_EQ(g.Cell(3, 6), "BLUE");
}

TEST(CategorySlotsByCode, FarCodeAddsOneCategoryListedByNumber)
{
    const auto d = MakeCodes({1, 2, 100000, -4});
    const tCatVar def = CatVar("c", {"A", "B"});
    const auto slots = CategorySlots(*d, def);
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_EQ(slots[0].code, -4);
    EXPECT_FALSE(slots[0].known);
    EXPECT_EQ(slots[3].code, 100000);
    TStatTextTable g;
    WriteCategoricalGrid(g, def, slots, 4);
    EXPECT_LT(g.RowCount(), 30);
    EXPECT_EQ(g.Cell(2, 12), "100000");
    EXPECT_EQ(g.Cell(3, 12), "100000");
    ExpectCleanTexts(g);
}

TEST(CategoricalGridTexts, ThreeOnesAndATwo)
{
    const auto d = MakeCodes({1, 1, 1, 2});
    const tCatVar def = CatVar("Sex", {"A", "B"});
    TStatTextTable g;
    WriteCategoricalGrid(g, def, CategorySlots(*d, def), 4);
    EXPECT_EQ(g.Cell(1, 2), "SEX");
    // each row on the next one, from the row under the name
    EXPECT_EQ(g.Cell(1, 3), "# Category:");
    EXPECT_EQ(g.Cell(2, 3), "1");
    EXPECT_EQ(g.Cell(3, 3), "A");
    EXPECT_EQ(g.Cell(1, 4), "Count");
    EXPECT_EQ(g.Cell(2, 4), "x=3");
    EXPECT_EQ(g.Cell(3, 4), "n=4");
    EXPECT_EQ(g.Cell(1, 5), "Proportions:");
    EXPECT_EQ(g.Cell(2, 5), "p= 0.750");
    EXPECT_EQ(g.Cell(3, 5), "q= 0.250");
    // both counts below 5: no interval rows, and no empty row between categories
    EXPECT_EQ(g.Cell(1, 6), "# Category:");
    EXPECT_EQ(g.Cell(3, 6), "B");
    EXPECT_EQ(g.Cell(2, 7), "x=1");
    EXPECT_EQ(g.Cell(2, 8), "p= 0.250");
    for (int r = 3; r <= 8; ++r)
        EXPECT_NE(g.Cell(1, r), "") << r;
    // sized to the rows written
    EXPECT_EQ(g.RowCount(), 9);
    EXPECT_EQ(g.LastRow(), 8);
    EXPECT_EQ(g.ColCount(), 5);
    ExpectCleanTexts(g);
}

TEST(CategoricalGridTexts, OneCategoryFitsItsGrid)
{
    std::vector<int> codes(40, 1);
    const auto d = MakeCodes(codes);
    const tCatVar def = CatVar("c", {"Only"});
    TStatTextTable g;
    WriteCategoricalGrid(g, def, CategorySlots(*d, def), 40);
    // 40 of 40: n - x = 0 < 5 but x >= 5, so the interval rows are written, undefined
    EXPECT_EQ(g.Cell(2, 6), "(     -;");
    EXPECT_EQ(g.Cell(3, 6), "     -)");
    EXPECT_EQ(g.Cell(2, 7), "     -");
    EXPECT_EQ(g.RowCount(), g.LastRow() + 1);
    ExpectCleanTexts(g);
}

TEST(CategoricalGridTexts, IntervalRowsOfTwentyInForty)
{
    std::vector<int> codes(20, 1);
    codes.insert(codes.end(), 20, 2);
    const auto d = MakeCodes(codes);
    const tCatVar def = CatVar("c", {"A", "B"});
    TStatTextTable g;
    WriteCategoricalGrid(g, def, CategorySlots(*d, def), 40);
    EXPECT_EQ(g.Cell(1, 6), "95%-CI(p):");
    EXPECT_EQ(g.Cell(2, 6), "( 0.333;");
    EXPECT_EQ(g.Cell(3, 6), " 0.667)");
    EXPECT_EQ(g.Cell(1, 7), "Precision:");
    EXPECT_EQ(g.Cell(2, 7), " 0.167");
    EXPECT_EQ(g.Cell(1, 8), "# Category:");
    EXPECT_EQ(g.RowCount(), 13);
}
