// Reference figures from R 4.2. The chi-square with continuity correction is
// R's own, chisq.test(matrix(c(a, b, c, d), 2, byrow = TRUE)) (correct = TRUE):
//   20 10 / 10 20 -> X-squared 5.400000, p 0.020136752 (without correction 6.666667)
//   12  0 /  0 12 -> X-squared 20.166667, p 0.000007098
//   10 10 / 10 11 -> X-squared 0, p 1 (|ad - bc| below N / 2)
//   18  7 /  9 26 -> X-squared 10.822511, p 0.001002734
// The odds ratio's interval is Woolf's, log OR +/- 1.96 SE. Its SE is R's own,
// that of the saturated logistic fit, se(a, b, c, d) =
//   summary(glm(cbind(c(a, c), c(b, d)) ~ factor(c(2, 1)), family = binomial))$coefficients[2, 2]
// (PSPP's LOGISTIC REGRESSION gives the same limits to its two decimals;
// its CROSSTABS /STATISTICS=RISK prints the ratio itself as both limits):
//   20 10 / 10 20 -> SE 0.547723, limits 1.367191 11.702829
//   15 15 / 15 15 -> SE 0.516398, limits 0.363441  2.751482
// With a zero cell the fit has no finite ratio (nor does PSPP), so 0.5 is added
// to every cell (Haldane) and the figures are by hand:
//   12 0 / 0 12: OR 12.5^2 / 0.5^2 = 625, SE sqrt(2/12.5 + 2/0.5) = sqrt(4.16)
//     = 2.039608, limits 625 exp(-/+3.997631) = 11.474422 and 34043.11
//   10 0 / 5 12: OR 10.5 x 12.5 / (5.5 x 0.5) = 47.727273,
//     SE sqrt(0.095238 + 2 + 0.181818 + 0.08) = sqrt(2.357056) = 1.535271,
//     limits 47.727273 exp(-/+3.009131) = 2.354603 and 967.4209
#include "core/contingency_table.h"

#include "statistics_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Columns for a 2 x 2 table of counts a, b / c, d.
void Columns(int a, int b, int c, int d, std::vector<int>& A, std::vector<int>& B)
{
    const int counts[2][2] = {{a, b}, {c, d}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < counts[i][j]; ++k) {
                A.push_back(i + 1);
                B.push_back(j + 1);
            }
}

struct Table {
    tCatVar defA = CatVar("Smoker", {"yes", "no"});
    tCatVar defB = CatVar("Cough", {"yes", "no"});
    std::unique_ptr<TIntVector> A;
    std::unique_ptr<TIntVector> B;
    TContingencyTable t;
    Table(int a, int b, int c, int d)
    {
        std::vector<int> ca;
        std::vector<int> cb;
        Columns(a, b, c, d, ca, cb);
        A = MakeCodes(ca);
        B = MakeCodes(cb);
        t = CrossTable(*A, defA, *B, defB);
    }
};

} // namespace

TEST(TwoByTwoFigures, TwentyTenTenTwenty)
{
    Table tab(20, 10, 10, 20);
    const TTwoByTwoResult r = TwoByTwoTest(tab.t.R(), tab.t.C(), tab.t.O);
    EXPECT_EQ(tab.t.N(), 60);
    EXPECT_DOUBLE_EQ(r.Emin, 15);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.df, 1);
    EXPECT_NEAR(r.chi2, 5.4, 1e-9);
    EXPECT_NEAR(r.p, 0.020136752, 1e-9);
    EXPECT_DOUBLE_EQ(r.oddsRatio, 4);
    EXPECT_NEAR(r.se, 0.547723, 1e-6);
    EXPECT_NEAR(r.lower, 1.367191, 1e-6);
    EXPECT_NEAR(r.upper, 11.702829, 1e-6);

    Table even(15, 15, 15, 15);
    const TTwoByTwoResult e = TwoByTwoTest(even.t.R(), even.t.C(), even.t.O);
    EXPECT_DOUBLE_EQ(e.oddsRatio, 1);
    EXPECT_NEAR(e.se, 0.516398, 1e-6);
    EXPECT_NEAR(e.lower, 0.363441, 1e-6);
    EXPECT_NEAR(e.upper, 2.751482, 1e-6);
}

TEST(TwoByTwoFigures, EmptyCellsTakeTheCorrectedRatio)
{
    Table tab(12, 0, 0, 12);
    const TTwoByTwoResult r = TwoByTwoTest(tab.t.R(), tab.t.C(), tab.t.O);
    EXPECT_DOUBLE_EQ(r.Emin, 6);
    EXPECT_TRUE(r.valid);
    EXPECT_DOUBLE_EQ(r.oddsRatio, 625);
    EXPECT_NEAR(r.se, 2.039608, 1e-6);
    EXPECT_NEAR(r.lower, 11.474422, 1e-6);
    EXPECT_NEAR(r.upper, 34043.11, 1e-2);
    EXPECT_NEAR(r.chi2, 20.166666667, 1e-8);
    EXPECT_NEAR(r.p, 0.000007098, 1e-9);

    Table one(10, 0, 5, 12);
    const TTwoByTwoResult o = TwoByTwoTest(one.t.R(), one.t.C(), one.t.O);
    EXPECT_NEAR(o.oddsRatio, 47.727273, 1e-6);
    EXPECT_NEAR(o.se, 1.535271, 1e-6);
    EXPECT_NEAR(o.lower, 2.354603, 1e-6);
    EXPECT_NEAR(o.upper, 967.4209, 1e-4);
}

TEST(TwoByTwoFigures, ContinuityCorrectionTakesHalfTheTotal)
{
    Table uneven(18, 7, 9, 26);
    const TTwoByTwoResult r = TwoByTwoTest(uneven.t.R(), uneven.t.C(), uneven.t.O);
    ASSERT_TRUE(r.valid);
    EXPECT_DOUBLE_EQ(r.correction, 30);
    EXPECT_NEAR(r.chi2, 10.822510823, 1e-8);
    EXPECT_NEAR(r.p, 0.001002734, 1e-9);

    // a difference below N / 2 leaves nothing to test
    Table close(10, 10, 10, 11);
    const TTwoByTwoResult z = TwoByTwoTest(close.t.R(), close.t.C(), close.t.O);
    ASSERT_TRUE(z.valid);
    EXPECT_EQ(z.chi2, 0);
    EXPECT_DOUBLE_EQ(z.p, 1);
}

TEST(ContingencyGridTexts, TwentyTenTenTwenty)
{
    Table tab(20, 10, 10, 20);
    TStatTextTable g;
    WriteContingencyGrid(g, tab.defA, tab.defB, tab.t, TwoByTwoTest(2, 2, tab.t.O));
    EXPECT_EQ(g.RowCount(), 22);
    EXPECT_EQ(g.ColCount(), 7);
    EXPECT_EQ(g.Cell(1, 2), "CATEGORICAL");
    EXPECT_EQ(g.Cell(2, 2), "DATA");
    EXPECT_EQ(g.Cell(3, 2), "ANALYSIS");
    EXPECT_EQ(g.Cell(1, 3), "OBSERVED");
    EXPECT_EQ(g.Cell(2, 3), "FREQUENCIES");
    EXPECT_EQ(g.Cell(1, 4), "COUGH");
    EXPECT_EQ(g.Cell(1, 5), "SMOKER");
    EXPECT_EQ(g.Cell(3, 4), "        yes         ");
    EXPECT_EQ(g.Cell(4, 4), "         no         ");
    EXPECT_EQ(g.Cell(5, 4), "       Total        ");
    EXPECT_EQ(g.Cell(2, 5), "        yes         ");
    EXPECT_EQ(g.Cell(2, 6), "         no         ");
    EXPECT_EQ(g.Cell(2, 7), "       Total        ");
    EXPECT_EQ(g.Cell(3, 5), "         20         ");
    EXPECT_EQ(g.Cell(4, 5), "         10         ");
    EXPECT_EQ(g.Cell(5, 5), "         30         ");
    EXPECT_EQ(g.Cell(3, 7), "         30         ");
    EXPECT_EQ(g.Cell(5, 7), "         60         ");
    EXPECT_EQ(g.Cell(1, 9), "TEST");
    EXPECT_EQ(g.Cell(1, 10), "Validity:");
    EXPECT_EQ(g.Cell(2, 10), "OK");
    EXPECT_EQ(g.Cell(1, 11), "Min(Eij):");
    EXPECT_EQ(g.Cell(2, 11), "15.000");
    EXPECT_EQ(g.Cell(1, 12), "X²exp:");
    EXPECT_EQ(g.Cell(2, 12), " 5.400");
    EXPECT_EQ(g.Cell(3, 12), "(1 df)");
    EXPECT_EQ(g.Cell(1, 13), "Sig:");
    EXPECT_EQ(g.Cell(2, 13), " 0.020");
    EXPECT_EQ(g.Cell(1, 14), "OR:");
    EXPECT_EQ(g.Cell(2, 14), " 4.000");
    EXPECT_EQ(g.Cell(1, 15), "95%-CI(OR):");
    EXPECT_EQ(g.Cell(2, 15), "( 1.367;");
    EXPECT_EQ(g.Cell(3, 15), "11.703)");
    ExpectCleanTexts(g);
}

TEST(ContingencyGridTexts, ExpectedFiveIsNotValid)
{
    Table tab(5, 5, 5, 5);
    const TTwoByTwoResult r = TwoByTwoTest(2, 2, tab.t.O);
    EXPECT_DOUBLE_EQ(r.Emin, 5);
    EXPECT_FALSE(r.valid);
    TStatTextTable g;
    WriteContingencyGrid(g, tab.defA, tab.defB, tab.t, r);
    EXPECT_EQ(g.Cell(2, 10), "NO!");
    EXPECT_EQ(g.Cell(2, 11), " 5.000");
    EXPECT_EQ(g.Cell(2, 12), "     -");
    EXPECT_EQ(g.Cell(3, 12), "");
    EXPECT_EQ(g.Cell(2, 13), "     -");
    EXPECT_EQ(g.Cell(2, 14), " 1.000");
    ExpectCleanTexts(g);
}

TEST(ContingencyGridTexts, LargerTableCountsAndNoTest)
{
    // A: 1 1 2 2 3 3 3; B: 1 2 1 2 1 1 2
    const auto A = MakeCodes({1, 1, 2, 2, 3, 3, 3});
    const auto B = MakeCodes({1, 2, 1, 2, 1, 1, 2});
    const tCatVar defA = CatVar("Age", {"young", "middle", "old"});
    const tCatVar defB = CatVar("Vote", {"x", "y"});
    const TContingencyTable t = CrossTable(*A, defA, *B, defB);
    EXPECT_EQ(t.R(), 3);
    EXPECT_EQ(t.C(), 2);
    EXPECT_EQ(t.O[3][1], 2);
    EXPECT_EQ(t.O[3][0], 3);
    EXPECT_EQ(t.O[0][1], 4);
    const TTwoByTwoResult r = TwoByTwoTest(t.R(), t.C(), t.O);
    EXPECT_EQ(r.R, 3);
    TStatTextTable g;
    WriteContingencyGrid(g, defA, defB, t, r);
    EXPECT_EQ(g.RowCount(), 23);
    EXPECT_EQ(g.Cell(2, 7), "        old         ");
    EXPECT_EQ(g.Cell(3, 7), "         2          ");
    EXPECT_EQ(g.Cell(5, 8), "         7          ");
    EXPECT_EQ(g.Cell(1, 10), "TEST");
    EXPECT_EQ(g.Cell(2, 11), "     -");
    EXPECT_EQ(g.Cell(2, 15), "     -");
    EXPECT_EQ(g.Cell(2, 16), "(     -;");
    ExpectCleanTexts(g);
}

TEST(ContingencyBarsSeries, BothOrientationsAndASingleSeries)
{
    Table tab(20, 10, 10, 20);
    const TContingencyBars bByA = ContingencyBars(tab.t, tab.defA, tab.defB, 0);
    EXPECT_EQ(bByA.titles, (std::vector<std::string>{"yes", "no"}));
    EXPECT_EQ(bByA.axisTitle, "Smoker");
    EXPECT_DOUBLE_EQ(bByA.values[0][1], 10 / 60.0);  // O[2][1] / N
    const TContingencyBars aByB = ContingencyBars(tab.t, tab.defA, tab.defB, 1);
    EXPECT_DOUBLE_EQ(aByB.values[0][1], 10 / 60.0);  // O[1][2] / N
    EXPECT_EQ(aByB.axisTitle, "Cough");

    // every individual a smoker: one row, so A by B has one series
    const auto A = MakeCodes({1, 1, 1});
    const auto B = MakeCodes({1, 2, 2});
    const TContingencyTable one = CrossTable(*A, tab.defA, *B, tab.defB);
    const TContingencyBars single = ContingencyBars(one, tab.defA, tab.defB, 1);
    ASSERT_EQ(single.values.size(), 1u);
    EXPECT_EQ(single.values[0].size(), 2u);
    const TTwoByTwoResult r = TwoByTwoTest(one.R(), one.C(), one.O);
    TStatTextTable g;
    WriteContingencyGrid(g, tab.defA, tab.defB, one, r);
    ExpectCleanTexts(g);
}
