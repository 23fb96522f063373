// Reference figures from R 4.2:
//   X <- c(1,2,3,4,5); Y <- c(2,4,5,4,5); f <- lm(Y ~ X)
//   summary(f)$coefficients -> b0 2.2 (se 0.9380832, t 2.345, p 0.1007),
//                              b1 0.6 (se 0.2828427, t 2.121320, p 0.1240271)
//   confint(f) -> b0 (-0.7853993, 5.1853993), b1 (-0.3001317, 1.5001317)
//   summary(f)$r.squared 0.6; cor(X, Y) 0.7745967
//   resid(f) -> -0.8 0.6 1.0 -0.6 -0.2; resid(f) / summary(f)$sigma -> -0.894 0.671 1.118 -0.671 -0.224
#include "core/regression_statistics.h"

#include "statistics_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct FivePoints : ::testing::Test {
    std::unique_ptr<TVector> X = MakeColumn({1, 2, 3, 4, 5});
    std::unique_ptr<TVector> Y = MakeColumn({2, 4, 5, 4, 5});
};

} // namespace

TEST_F(FivePoints, SumsCoefficientsAndTest)
{
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    EXPECT_DOUBLE_EQ(s.meanX, 3);
    EXPECT_DOUBLE_EQ(s.meanY, 4);
    EXPECT_DOUBLE_EQ(s.Sxx, 10);
    EXPECT_DOUBLE_EQ(s.Syy, 6);
    EXPECT_DOUBLE_EQ(s.Sxy, 6);
    EXPECT_NEAR(s.b1, 0.6, 1e-12);
    EXPECT_NEAR(s.b0, 2.2, 1e-12);
    EXPECT_NEAR(s.r, 0.7745967, 1e-7);
    EXPECT_NEAR(s.r2, 0.6, 1e-12);
    EXPECT_NEAR(s.S2, 0.8, 1e-12);
    EXPECT_NEAR(s.seB0, 0.9380832, 1e-7);
    EXPECT_NEAR(s.seB1, 0.2828427, 1e-7);
    EXPECT_EQ(s.df, 3);
    EXPECT_NEAR(s.t, 2.121320, 1e-6);
    EXPECT_NEAR(s.p, 0.1240271, 1e-6);
    EXPECT_NEAR(s.b0Lower, -0.7853993, 1e-6);
    EXPECT_NEAR(s.b1Upper, 1.5001317, 1e-6);
}

TEST_F(FivePoints, GridTextsRowByRow)
{
    TStatTextTable g;
    WriteRegressionGrid(g, NumVar("Age"), *X, NumVar("Weight"), *Y, SumsOfProducts(*X, *Y));
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.RowCount(), 46);
    EXPECT_EQ(g.Cell(1, 2), "LINEAR");
    EXPECT_EQ(g.Cell(2, 2), "REGRESSION");
    EXPECT_EQ(g.Cell(3, 2), "ANALYSIS");
    EXPECT_EQ(g.Cell(1, 4), "VARIABLES");
    EXPECT_EQ(g.Cell(2, 4), "X=AGE");
    EXPECT_EQ(g.Cell(3, 4), "Y=WEIGHT");
    EXPECT_EQ(g.Cell(2, 5), "n=5");
    EXPECT_EQ(g.Cell(3, 5), "n=5");
    EXPECT_EQ(g.Cell(2, 6), " 3.000");
    EXPECT_EQ(g.Cell(3, 6), " 4.000");
    EXPECT_EQ(g.Cell(2, 7), " 1.581");  // sqrt(10 / 4)
    EXPECT_EQ(g.Cell(3, 7), " 1.225");  // sqrt(6 / 4)
    EXPECT_EQ(g.Cell(2, 8), " 1.000");
    EXPECT_EQ(g.Cell(3, 8), " 2.000");
    EXPECT_EQ(g.Cell(2, 9), " 5.000");
    EXPECT_EQ(g.Cell(3, 9), " 5.000");
    EXPECT_EQ(g.Cell(1, 11), "MODEL");
    EXPECT_EQ(g.Cell(2, 11), "y = b0 + b1 x");
    EXPECT_EQ(g.Cell(2, 12), "(XX)=10.000");
    EXPECT_EQ(g.Cell(3, 12), "(YY)= 6.000");
    EXPECT_EQ(g.Cell(4, 12), "(XY)= 6.000");
    EXPECT_EQ(g.Cell(2, 13), "Cov(xy)= 1.200");
    EXPECT_EQ(g.Cell(1, 14), "Residual:");
    EXPECT_EQ(g.Cell(2, 14), "S²= 0.800");
    EXPECT_EQ(g.Cell(2, 15), "Constant (b0)");
    EXPECT_EQ(g.Cell(1, 16), "  Estimate:");
    EXPECT_EQ(g.Cell(2, 16), "b0= 2.200");
    EXPECT_EQ(g.Cell(3, 16), "SE(b0)= 0.938");
    EXPECT_EQ(g.Cell(1, 17), "  95%-IC:");
    EXPECT_EQ(g.Cell(2, 17), "(-0.785;");
    EXPECT_EQ(g.Cell(3, 17), " 5.185)");
    EXPECT_EQ(g.Cell(4, 17), "(prec= 2.985)");
    EXPECT_EQ(g.Cell(1, 18), "Coefficient");
    EXPECT_EQ(g.Cell(2, 18), "Age (b1)");
    EXPECT_EQ(g.Cell(2, 19), "b1= 0.600");
    EXPECT_EQ(g.Cell(3, 19), "SE(b1)= 0.283");
    EXPECT_EQ(g.Cell(2, 20), "(-0.300;");
    EXPECT_EQ(g.Cell(3, 20), " 1.500)");
    EXPECT_EQ(g.Cell(4, 20), "(prec= 0.900)");
    EXPECT_EQ(g.Cell(1, 21), " Test:");
    EXPECT_EQ(g.Cell(2, 21), "Ho: B1=0");
    EXPECT_EQ(g.Cell(2, 22), "texp= 2.121");
    EXPECT_EQ(g.Cell(3, 22), "d.f.=3");
    EXPECT_EQ(g.Cell(4, 22), "P= 0.124");
    EXPECT_EQ(g.Cell(1, 24), "Explained Var:");
    EXPECT_EQ(g.Cell(2, 24), "R²= 0.600");
    EXPECT_EQ(g.Cell(3, 24), "(  60.0%)");
    EXPECT_EQ(g.Cell(1, 26), "CORRELATION");
    EXPECT_EQ(g.Cell(1, 27), "Pearson:");
    EXPECT_EQ(g.Cell(2, 27), "r= 0.775");
    EXPECT_EQ(g.Cell(3, 27), "P= 0.124");
    ExpectCleanTexts(g);
}

TEST_F(FivePoints, ResidualPlots)
{
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    const TRegressionPlot data = RegressionPlot(*X, *Y, s, 0);
    ASSERT_EQ(data.x.size(), 5u);
    EXPECT_DOUBLE_EQ(data.y[2], 5);
    EXPECT_NEAR(data.line[2], 4.0, 1e-12);
    const TRegressionPlot res = RegressionPlot(*X, *Y, s, 1);
    const double expected[] = {-0.8, 0.6, 1.0, -0.6, -0.2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(res.y[static_cast<std::size_t>(i)], expected[i], 1e-12);
        EXPECT_DOUBLE_EQ(res.line[static_cast<std::size_t>(i)], 0);
    }
    const TRegressionPlot std = RegressionPlot(*X, *Y, s, 2);
    EXPECT_NEAR(std.y[0], -0.8944272, 1e-7);
    EXPECT_NEAR(std.y[2], 1.1180340, 1e-7);
}

TEST(RegressionSlopeSign, MirroredDataGiveNegativeTAndTheSameP)
{
    const auto X = MakeColumn({1, 2, 3, 4, 5});
    const auto Y = MakeColumn({-2, -4, -5, -4, -5});
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    EXPECT_NEAR(s.t, -2.121320, 1e-6);
    EXPECT_NEAR(s.p, 0.1240271, 1e-6);
}

TEST(RegressionDegenerate, TwoPairsGiveTheLineAndDashesForTheRest)
{
    // the slope through two points, not Sxy over a variance read as 1.0
    const auto X = MakeColumn({1, 3});
    const auto Y = MakeColumn({2, 8});
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    EXPECT_DOUBLE_EQ(s.b1, 3);
    EXPECT_DOUBLE_EQ(s.b0, -1);
    TStatTextTable g;
    WriteRegressionGrid(g, NumVar("x"), *X, NumVar("y"), *Y, s);
    EXPECT_EQ(g.Cell(2, 19), "b1= 3.000");
    EXPECT_EQ(g.Cell(2, 14), "S²=     -");
    EXPECT_EQ(g.Cell(3, 19), "SE(b1)=     -");
    EXPECT_EQ(g.Cell(2, 22), "texp=     -");
    EXPECT_EQ(g.Cell(3, 22), "d.f.=     -");
    EXPECT_EQ(g.Cell(4, 22), "P=     -");
    ExpectCleanTexts(g);
}

TEST(RegressionDegenerate, ConstantXLeavesTheModelUndefined)
{
    const auto X = MakeColumn({2, 2, 2, 2});
    const auto Y = MakeColumn({1, 2, 3, 5});
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    TStatTextTable g;
    WriteRegressionGrid(g, NumVar("x"), *X, NumVar("y"), *Y, s);
    EXPECT_EQ(g.Cell(2, 12), "(XX)= 0.000");
    EXPECT_EQ(g.Cell(2, 16), "b0=     -");
    EXPECT_EQ(g.Cell(2, 19), "b1=     -");
    EXPECT_EQ(g.Cell(2, 27), "r=     -");
    EXPECT_EQ(g.Cell(3, 24), "(     -%)");
    ExpectCleanTexts(g);
    EXPECT_TRUE(RegressionPlot(*X, *Y, s, 0).x.empty());
}

TEST(RegressionDegenerate, PerfectFitHasNoTest)
{
    const auto X = MakeColumn({1, 2, 3, 4});
    const auto Y = MakeColumn({3, 5, 7, 9});
    const TRegressionSummary s = SumsOfProducts(*X, *Y);
    TStatTextTable g;
    WriteRegressionGrid(g, NumVar("x"), *X, NumVar("y"), *Y, s);
    EXPECT_EQ(g.Cell(2, 19), "b1= 2.000");
    EXPECT_EQ(g.Cell(2, 14), "S²= 0.000");
    EXPECT_EQ(g.Cell(2, 22), "texp=     -");
    EXPECT_EQ(g.Cell(4, 22), "P=     -");
    EXPECT_EQ(g.Cell(2, 27), "r= 1.000");
    ExpectCleanTexts(g);
    EXPECT_TRUE(RegressionPlot(*X, *Y, s, 2).x.empty());
}
