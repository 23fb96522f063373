// Reference figures from R 4.2:
//   t.test(c(1,2,3), c(4,5,6), var.equal = TRUE) -> t -3.674235, p 0.02131164, CI (-5.2669579, -0.7330421)
//   a <- c(10.1,12.3,11.8,9.7,13.2,12.0); b <- c(8.2,9.9,7.5,10.4,8.8,9.1,7.9,11.0)
//   mean/sd: 11.516667 1.346724 / 9.100000 1.244416
//   t.test(a, b, var.equal = TRUE) -> t 3.474134, p 0.004596, CI (0.901047, 3.932286)
//   var.test(a, b)$statistic 1.171187, $p.value 0.817630 (two-sided)
//   var.test(c(1,2,3), c(4,5,6)) -> F 1, p 1
//   Welch df nu = 10.406070, t 3.431958; with f0 = floor(nu) the interpolated
//   P = P(f0) + (P(f0+1) - P(f0)) * (nu - f0), P(f) = 2 * pt(t, f, lower.tail = FALSE) -> 0.006087,
//   q likewise from qt(.975, f) -> limits 0.855452 and 3.977881, half-width 1.561214
//   Cohen's d = 2.416667 / sqrt((5 var(a) + 7 var(b)) / 12) = 1.876247
//   95 % intervals of the means: a (10.103366, 12.929967) 1.413301; b (8.059642, 10.140358) 1.040358
#include "core/group_comparison.h"

#include "statistics_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TwoGroups : ::testing::Test {
    std::unique_ptr<TVector> Y = MakeColumn({10.1, 8.2, 12.3, 9.9, 11.8, 7.5, 9.7, 10.4, 13.2, 8.8, 12.0, 9.1, 7.9, 11.0});
    std::unique_ptr<TIntVector> G = MakeCodes({1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 2, 2});
    tCatVar def = CatVar("Diet", {"fat", "lean"});
};

} // namespace

TEST_F(TwoGroups, FiguresAgainstR)
{
    const TGroupComparison c = CompareGroups(*Y, *G);
    EXPECT_EQ(c.groupCount, 2);
    EXPECT_EQ(c.group1.n, 6);
    EXPECT_EQ(c.group2.n, 8);
    EXPECT_NEAR(c.group1.mean, 11.516667, 1e-6);
    EXPECT_NEAR(c.group2.sd, 1.244416, 1e-6);
    EXPECT_NEAR(c.group1.ci95.lower, 10.103366, 1e-6);
    EXPECT_NEAR(c.group2.ci95.precision, 1.040358, 1e-6);
    ASSERT_TRUE(c.tested);
    EXPECT_NEAR(c.test.t, 3.474134, 1e-6);
    EXPECT_NEAR(c.test.p, 0.004596, 1e-6);
    EXPECT_NEAR(c.test.LowerLimit, 0.901047, 1e-6);
    EXPECT_NEAR(c.test.F, 1.171187, 1e-6);
    EXPECT_NEAR(c.test.FP, 0.817630, 1e-6);
    EXPECT_NEAR(c.test.WelchDF, 10.406070, 1e-6);
    EXPECT_NEAR(c.test.WelchP, 0.006087, 1e-6);
    EXPECT_NEAR(c.test.WelchUpperLimit, 3.977881, 1e-6);
    EXPECT_NEAR(c.test.StandardisedDifference, 1.876247, 1e-6);
}

TEST_F(TwoGroups, GridTextsRowByRow)
{
    TStatTextTable g;
    WriteGroupComparisonGrid(g, NumVar("Weight gain"), def, CompareGroups(*Y, *G));
    EXPECT_EQ(g.ColCount(), 7);
    EXPECT_EQ(g.RowCount(), 25);
    EXPECT_EQ(g.ColWidth(1), 125);
    EXPECT_EQ(g.Cell(1, 2), "WEIGHT GAIN");
    EXPECT_EQ(g.Cell(2, 2), "         BY         ");
    EXPECT_EQ(g.Cell(3, 2), "DIET");
    EXPECT_EQ(g.Cell(1, 4), "GROUPS");
    EXPECT_EQ(g.Cell(2, 4), "1");
    EXPECT_EQ(g.Cell(3, 4), "2");
    EXPECT_EQ(g.Cell(1, 5), "Diet:");
    EXPECT_EQ(g.Cell(2, 5), "FAT");
    EXPECT_EQ(g.Cell(3, 5), "LEAN");
    EXPECT_EQ(g.Cell(1, 6), "   n:");
    EXPECT_EQ(g.Cell(2, 6), "6");
    EXPECT_EQ(g.Cell(3, 6), "8");
    EXPECT_EQ(g.Cell(1, 7), "   min:");
    EXPECT_EQ(g.Cell(2, 7), " 9.700");
    EXPECT_EQ(g.Cell(3, 7), " 7.500");
    EXPECT_EQ(g.Cell(1, 8), "   max:");
    EXPECT_EQ(g.Cell(2, 8), "13.200");
    EXPECT_EQ(g.Cell(3, 8), "11.000");
    EXPECT_EQ(g.Cell(1, 9), "   mean:");
    EXPECT_EQ(g.Cell(2, 9), "11.517");
    EXPECT_EQ(g.Cell(3, 9), " 9.100");
    EXPECT_EQ(g.Cell(1, 10), "   s.d.:");
    EXPECT_EQ(g.Cell(2, 10), " 1.347");
    EXPECT_EQ(g.Cell(3, 10), " 1.244");
    EXPECT_EQ(g.Cell(1, 11), "   s.e.m.:");
    EXPECT_EQ(g.Cell(2, 11), " 0.550");  // 1.346724 / sqrt(6)
    EXPECT_EQ(g.Cell(3, 11), " 0.440");
    EXPECT_EQ(g.Cell(1, 13), "INFERENCE");
    EXPECT_EQ(g.Cell(1, 14), "# 95%-CI");
    EXPECT_EQ(g.Cell(4, 14), "precision");
    EXPECT_EQ(g.Cell(1, 15), "Diet=fat");
    EXPECT_EQ(g.Cell(2, 15), "10.103");
    EXPECT_EQ(g.Cell(3, 15), "12.930");
    EXPECT_EQ(g.Cell(4, 15), " 1.413");
    EXPECT_EQ(g.Cell(1, 16), "Diet=lean");
    EXPECT_EQ(g.Cell(2, 16), " 8.060");
    EXPECT_EQ(g.Cell(3, 16), "10.140");
    EXPECT_EQ(g.Cell(1, 17), "# HOMOGENEITY");
    EXPECT_EQ(g.Cell(1, 18), "- F Test:");
    EXPECT_EQ(g.Cell(2, 18), "Fexp= 1.171");
    EXPECT_EQ(g.Cell(3, 18), "P= 0.818");
    EXPECT_EQ(g.Cell(1, 19), "- Student test:");
    EXPECT_EQ(g.Cell(2, 19), "texp= 3.474");
    EXPECT_EQ(g.Cell(3, 19), "d.f.=12");
    EXPECT_EQ(g.Cell(4, 19), "P= 0.005");
    EXPECT_EQ(g.Cell(1, 20), "Effect size:");
    EXPECT_EQ(g.Cell(2, 20), "m1-m2= 2.417");
    EXPECT_EQ(g.Cell(3, 20), "d-Cohen= 1.876");
    EXPECT_EQ(g.Cell(1, 21), "95%-CI(m1-m2):");
    EXPECT_EQ(g.Cell(2, 21), " 0.901");
    EXPECT_EQ(g.Cell(3, 21), " 3.932");
    EXPECT_EQ(g.Cell(4, 21), "(prec= 1.516)");  // (3.932286 - 0.901047) / 2
    EXPECT_EQ(g.Cell(1, 22), "- Welch test:");
    EXPECT_EQ(g.Cell(2, 22), "texp= 3.432");
    EXPECT_EQ(g.Cell(3, 22), "d.f.=10.406");
    EXPECT_EQ(g.Cell(4, 22), "P= 0.006");
    EXPECT_EQ(g.Cell(2, 23), " 0.855");
    EXPECT_EQ(g.Cell(3, 23), " 3.978");
    EXPECT_EQ(g.Cell(4, 23), "(prec= 1.561)");
    ExpectCleanTexts(g);
}

TEST(GroupComparisonCases, OneTwoThreeAgainstFourFiveSix)
{
    const auto Y = MakeColumn({1, 2, 3, 4, 5, 6});
    const auto G = MakeCodes({1, 1, 1, 2, 2, 2});
    const TGroupComparison c = CompareGroups(*Y, *G);
    EXPECT_DOUBLE_EQ(c.test.F, 1);
    EXPECT_NEAR(c.test.FP, 1.0, 1e-9);
    EXPECT_NEAR(c.test.t, 3.674235, 1e-6);
    EXPECT_EQ(c.test.df, 4);
    EXPECT_NEAR(c.test.p, 0.02131164, 1e-7);
    EXPECT_NEAR(c.test.StandardisedDifference, 3, 1e-12);
    EXPECT_NEAR(c.test.WelchDF, 4, 1e-12);
    EXPECT_NEAR(c.test.WelchP, c.test.p, 1e-12);
    EXPECT_NEAR(c.test.WelchHalfWidth, c.test.HalfWidth, 1e-9);
    EXPECT_NEAR(c.test.LowerLimit, 0.7330421, 1e-6);
}

TEST(GroupComparisonCases, CodesNameTheGroupsByTheirLevels)
{
    const auto Y = MakeColumn({1, 2, 3, 4, 5, 6});
    const auto G = MakeCodes({2, 2, 2, 5, 5, 5});
    TStatTextTable g;
    WriteGroupComparisonGrid(g, NumVar("y"), CatVar("g", {"a", "b", "c", "d", "e"}), CompareGroups(*Y, *G));
    EXPECT_EQ(g.Cell(2, 4), "2");
    EXPECT_EQ(g.Cell(3, 4), "5");
    EXPECT_EQ(g.Cell(2, 5), "B");
    EXPECT_EQ(g.Cell(3, 5), "E");
    EXPECT_EQ(g.Cell(1, 16), "g=e");
}

TEST(GroupComparisonCases, OneGroupWritesItAndATextInsteadOfTests)
{
    const auto Y = MakeColumn({1, 2, 3});
    const auto G = MakeCodes({1, 1, 1});
    TStatTextTable g;
    const TGroupComparison c = CompareGroups(*Y, *G);
    EXPECT_EQ(c.groupCount, 1);
    WriteGroupComparisonGrid(g, NumVar("y"), CatVar("g", {"a", "b"}), c);
    EXPECT_EQ(g.Cell(2, 6), "3");
    EXPECT_EQ(g.Cell(2, 9), " 2.000");
    EXPECT_EQ(g.Cell(3, 6), "");
    EXPECT_EQ(g.Cell(1, 17), kOneGroupText);
    EXPECT_EQ(g.Cell(1, 18), "");
    EXPECT_EQ(g.LastRow(), 17);
    ExpectCleanTexts(g);
    EXPECT_FALSE(GroupHistograms(*Y, *G, c, 18).valid);
}

TEST(GroupComparisonCases, GroupOfOneValueGetsDashesAndNoCurve)
{
    const auto Y = MakeColumn({1, 2, 3, 9});
    const auto G = MakeCodes({1, 1, 1, 2});
    const TGroupComparison c = CompareGroups(*Y, *G);
    EXPECT_FALSE(c.tested);
    EXPECT_FALSE(c.group2.HasCurve());
    EXPECT_TRUE(c.group1.HasCurve());
    TStatTextTable g;
    WriteGroupComparisonGrid(g, NumVar("y"), CatVar("g", {"a", "b"}), c);
    EXPECT_EQ(g.Cell(3, 9), " 9.000");
    EXPECT_EQ(g.Cell(3, 10), "     -");
    EXPECT_EQ(g.Cell(3, 11), "     -");
    EXPECT_EQ(g.Cell(2, 16), "     -");
    EXPECT_EQ(g.Cell(2, 18), "Fexp=     -");
    EXPECT_EQ(g.Cell(3, 19), "d.f.=     -");
    EXPECT_EQ(g.Cell(2, 20), "m1-m2= 7.000");
    EXPECT_EQ(g.Cell(4, 22), "P=     -");
    ExpectCleanTexts(g);
}

TEST(GroupComparisonCases, ZeroDeviationLeavesTheFTestUndefined)
{
    // sp2 = (0 + 2 * 1) / 4 = 0.5, SE = sqrt(2/3 * 0.5) = 0.57735, t = 5.196;
    // Welch: a = 0, b = 1/3, df = b^2 / (b^2 / 2) = 2
    const auto Y = MakeColumn({5, 5, 5, 1, 2, 3});
    const auto G = MakeCodes({1, 1, 1, 2, 2, 2});
    const TGroupComparison c = CompareGroups(*Y, *G);
    EXPECT_FALSE(c.group1.HasCurve());
    TStatTextTable g;
    WriteGroupComparisonGrid(g, NumVar("y"), CatVar("g", {"a", "b"}), c);
    EXPECT_EQ(g.Cell(2, 18), "Fexp=     -");
    EXPECT_EQ(g.Cell(3, 18), "P=     -");
    EXPECT_EQ(g.Cell(2, 19), "texp= 5.196");
    EXPECT_EQ(g.Cell(3, 22), "d.f.= 2.000");
    ExpectCleanTexts(g);
}

TEST(GroupComparisonCases, BothDeviationsZeroGiveNoNumbersFromThem)
{
    const auto Y = MakeColumn({5, 5, 5, 1, 1, 1});
    const auto G = MakeCodes({1, 1, 1, 2, 2, 2});
    TStatTextTable g;
    WriteGroupComparisonGrid(g, NumVar("y"), CatVar("g", {"a", "b"}), CompareGroups(*Y, *G));
    EXPECT_EQ(g.Cell(2, 19), "texp=     -");
    EXPECT_EQ(g.Cell(3, 20), "d-Cohen=     -");
    EXPECT_EQ(g.Cell(3, 22), "d.f.=     -");
    ExpectCleanTexts(g);
}

TEST(GroupHistogramBars, SharedAreaScaleAndBarsAtCentres)
{
    // lo 1, hi 6, 5 classes of width 1: the 6 lies in the last class
    const auto Y = MakeColumn({1, 2, 3, 4, 5, 6});
    const auto G = MakeCodes({1, 1, 1, 2, 2, 2});
    const TGroupComparison c = CompareGroups(*Y, *G);
    const TGroupHistograms h = GroupHistograms(*Y, *G, c, 5);
    ASSERT_TRUE(h.valid);
    EXPECT_DOUBLE_EQ(h.width, 1);
    EXPECT_EQ(h.centres, (std::vector<double>{1.5, 2.5, 3.5, 4.5, 5.5}));
    EXPECT_EQ(h.density1, (std::vector<double>{1 / 6.0, 1 / 6.0, 1 / 6.0, 0, 0}));
    EXPECT_EQ(h.density2, (std::vector<double>{0, 0, 0, 1 / 6.0, 2 / 6.0}));
    EXPECT_DOUBLE_EQ(h.share1, 0.5);
}
