#include "chart/series/darvas_series.h"

#include <gtest/gtest.h>

namespace {

// Reference: python3 tests/chart/series/stat_functions_reference.py (darvas)
TEST(DarvasBoxes, TwoBoxesTheLastEndingAtTheLastPoint)
{
    const double high[] = {10, 12, 11, 10, 10, 11, 13, 12, 11, 11, 10, 11};
    const double low[] = {8, 9, 9, 8, 9, 9, 10, 10, 9, 10, 9, 10};
    EXPECT_EQ(FindDarvasBoxes(high, low, 12), (std::vector<TDarvasBox>{{0, 1, 6, 3}, {6, 6, 11, 10}}));
}

TEST(DarvasBoxes, NoPointsNoBoxes)
{
    EXPECT_TRUE(FindDarvasBoxes(nullptr, nullptr, 0).empty());
    TDarvasSeries s;
    EXPECT_TRUE(s.Boxes().empty());
}

TEST(DarvasBoxes, OnePointOneBox)
{
    const double high[] = {5};
    const double low[] = {4};
    EXPECT_EQ(FindDarvasBoxes(high, low, 1), (std::vector<TDarvasBox>{{0, 0, 0, 0}}));
}

TEST(DarvasSeries, Defaults)
{
    TDarvasSeries s;
    EXPECT_EQ(s.Transparency(), 70);
    EXPECT_EQ(s.BoxBrush().BackColor(), clDefault);
    s.AddOHLC(0, 9, 10, 8, 9);
    s.AddOHLC(1, 9, 12, 9, 10);
    EXPECT_EQ(s.Boxes(), (std::vector<TDarvasBox>{{0, 1, 1, 1}}));
}

}  // namespace
