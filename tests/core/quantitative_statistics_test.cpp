// Reference figures from R 4.2:
//   x <- c(1,2,3,4); mean(x); var(x); sd(x); sd(x)/mean(x)*100
//   quantile(x, c(.05,.25,.5,.75,.95), type = 6)   -> 1 1.25 2.5 3.75 4
//   m <- mean(x); sem <- sd(x)/2; m + c(-1,1) * qt(q, 3) * sem, q = .95, .975, .995
//     -> (0.980910, 4.019090) (0.445740, 4.554260) (-1.270291, 6.270291)
//   qt(c(.95,.975,.995), 1) -> 6.313752 12.706205 63.656741
#include "core/quantitative_statistics.h"

#include "statistics_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(QuantitativeSummaryFigures, OneToFourByHandAndR)
{
    const auto x = MakeColumn({4, 1, 3, 2});
    const TQuantitativeSummary s = QuantitativeSummary(*x);
    EXPECT_EQ(s.n, 4);
    EXPECT_DOUBLE_EQ(s.mean, 2.5);
    EXPECT_NEAR(s.var, 1.666667, 1e-6);
    EXPECT_NEAR(s.sd, 1.290994, 1e-6);
    EXPECT_NEAR(s.cv, 51.639778, 1e-6);
    EXPECT_DOUBLE_EQ(s.median, 2.5);
    EXPECT_DOUBLE_EQ(s.q1, 1.25);
    EXPECT_DOUBLE_EQ(s.q3, 3.75);
    EXPECT_DOUBLE_EQ(s.p5, 1.0);
    EXPECT_DOUBLE_EQ(s.p95, 4.0);  // R type 6: rank 4.75 past n reads the largest
    EXPECT_NEAR(s.sem, 0.645497, 1e-6);
    EXPECT_NEAR(s.ci95.lower, 0.445740, 1e-6);
    EXPECT_NEAR(s.ci95.upper, 4.554260, 1e-6);
    EXPECT_NEAR(s.ci99.precision, 3.770291, 1e-5);  // the t quantile is exact to 1e-8 in p
}

TEST(QuantitativeGridTexts, OneToFourRowByRow)
{
    const auto x = MakeColumn({1, 2, 3, 4});
    TStatTextTable g;
    WriteQuantitativeGrid(g, NumVar("Height"), QuantitativeSummary(*x));
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.RowCount(), 25);
    EXPECT_EQ(g.ColWidth(1), 95);
    EXPECT_EQ(g.ColWidth(2), 100);
    EXPECT_EQ(g.Cell(1, 2), "HEIGHT");
    EXPECT_EQ(g.Cell(1, 3), "n");
    EXPECT_EQ(g.Cell(2, 3), "4");
    EXPECT_EQ(g.Cell(1, 4), "Extremes:");
    EXPECT_EQ(g.Cell(2, 4), "min= 1.000");
    EXPECT_EQ(g.Cell(3, 4), "max= 4.000");
    EXPECT_EQ(g.Cell(4, 4), "A= 3.000");
    EXPECT_EQ(g.Cell(1, 5), "Position:");
    EXPECT_EQ(g.Cell(2, 5), "Mean= 2.500");
    EXPECT_EQ(g.Cell(3, 5), "Median= 2.500");
    EXPECT_EQ(g.Cell(1, 6), "Dispersion:");
    EXPECT_EQ(g.Cell(2, 6), "sd= 1.291");
    EXPECT_EQ(g.Cell(3, 6), "Var= 1.667");
    EXPECT_EQ(g.Cell(4, 6), "CV=  51.6%");
    EXPECT_EQ(g.Cell(1, 7), "Ordered stats.:");
    EXPECT_EQ(g.Cell(2, 7), "Q1= 1.250");
    EXPECT_EQ(g.Cell(3, 7), "Q3= 3.750");
    EXPECT_EQ(g.Cell(1, 8), "");
    EXPECT_EQ(g.Cell(2, 8), "P5 = 1.000");
    EXPECT_EQ(g.Cell(3, 8), "P95= 4.000");
    EXPECT_EQ(g.Cell(1, 9), "IQ Rank:");
    EXPECT_EQ(g.Cell(2, 9), "IQR= 2.500");
    EXPECT_EQ(g.Cell(3, 9), "SIQR= 1.250");
    EXPECT_EQ(g.Cell(1, 10), "");
    EXPECT_EQ(g.Cell(1, 11), "CI(Mean):");
    EXPECT_EQ(g.Cell(2, 11), "SEM= 0.645");
    EXPECT_EQ(g.Cell(1, 12), "Confidence:");
    EXPECT_EQ(g.Cell(2, 12), "Lower");
    EXPECT_EQ(g.Cell(3, 12), "Upper");
    EXPECT_EQ(g.Cell(4, 12), "Precision");
    EXPECT_EQ(g.Cell(1, 13), "        90%         ");
    EXPECT_EQ(g.Cell(2, 13), " 0.981");
    EXPECT_EQ(g.Cell(3, 13), " 4.019");
    EXPECT_EQ(g.Cell(4, 13), " 1.519");
    EXPECT_EQ(g.Cell(1, 14), "        95%         ");
    EXPECT_EQ(g.Cell(2, 14), " 0.446");
    EXPECT_EQ(g.Cell(3, 14), " 4.554");
    EXPECT_EQ(g.Cell(4, 14), " 2.054");
    EXPECT_EQ(g.Cell(1, 15), "        99%         ");
    EXPECT_EQ(g.Cell(2, 15), "-1.270");
    EXPECT_EQ(g.Cell(3, 15), " 6.270");
    EXPECT_EQ(g.Cell(4, 15), " 3.770");
    ExpectCleanTexts(g);
}

TEST(QuantitativeGridTexts, MeanWithinOneShowsNoCvNumber)
{
    const auto x = MakeColumn({0.2, 0.4, 0.9});
    TStatTextTable g;
    WriteQuantitativeGrid(g, NumVar("p"), QuantitativeSummary(*x));
    EXPECT_EQ(g.Cell(4, 6), "CV=     -");
}

TEST(QuantitativeGridTexts, TwoValuesHaveTheirSampleVarianceAndTOfOneDegree)
{
    // {3, 5}: variance ((3-4)^2 + (5-4)^2) / 1 = 2, SEM sqrt(2) / sqrt(2) = 1;
    // qt(.95, 1) = tan(0.45 pi) = 6.3138, qt(.995, 1) = 63.6567
    const auto x = MakeColumn({3, 5});
    TStatTextTable g;
    WriteQuantitativeGrid(g, NumVar("v"), QuantitativeSummary(*x));
    EXPECT_EQ(g.Cell(3, 6), "Var= 2.000");
    EXPECT_EQ(g.Cell(2, 6), "sd= 1.414");
    EXPECT_EQ(g.Cell(2, 11), "SEM= 1.000");
    EXPECT_EQ(g.Cell(2, 13), "-2.314");
    EXPECT_EQ(g.Cell(3, 13), "10.314");
    EXPECT_EQ(g.Cell(4, 15), "63.657");
    ExpectCleanTexts(g);
}

TEST(QuantitativeGridTexts, OneValueShowsDashesForTheDeviationAndIntervals)
{
    const auto x = MakeColumn({7});
    TStatTextTable g;
    const TQuantitativeSummary s = QuantitativeSummary(*x);
    WriteQuantitativeGrid(g, NumVar("v"), s);
    EXPECT_EQ(g.Cell(2, 5), "Mean= 7.000");
    EXPECT_EQ(g.Cell(3, 5), "Median= 7.000");
    EXPECT_EQ(g.Cell(2, 6), "sd=     -");
    EXPECT_EQ(g.Cell(3, 6), "Var=     -");
    EXPECT_EQ(g.Cell(4, 6), "CV=     -");
    EXPECT_EQ(g.Cell(2, 11), "SEM=     -");
    for (int row = 13; row <= 15; ++row)
        for (int col = 2; col <= 4; ++col)
            EXPECT_EQ(g.Cell(col, row), "     -");
    ExpectCleanTexts(g);
    EXPECT_FALSE(QuantitativeHistogram(*x, s, 18).valid);
}

TEST(QuantitativeGridTexts, ConstantSampleHasZeroDeviationAndNoHistogram)
{
    const auto x = MakeColumn({5, 5, 5, 5});
    TStatTextTable g;
    const TQuantitativeSummary s = QuantitativeSummary(*x);
    WriteQuantitativeGrid(g, NumVar("v"), s);
    EXPECT_EQ(g.Cell(2, 6), "sd= 0.000");
    EXPECT_EQ(g.Cell(4, 6), "CV=   0.0%");
    EXPECT_EQ(g.Cell(4, 4), "A= 0.000");
    ExpectCleanTexts(g);
    const TDensityHistogram h = QuantitativeHistogram(*x, s, 18);
    EXPECT_FALSE(h.valid);
    EXPECT_TRUE(h.centres.empty());
    EXPECT_TRUE(std::isnan(PeakDensity(s.sd)));
}

TEST(CountClassesRule, TheUpperBoundLiesInTheLastClass)
{
    const auto x = MakeColumn({0, 1, 2, 3, -0.5, 3.5});
    const std::vector<int> counts = CountClasses(*x, 0, 3, 3);
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 2}));
    EXPECT_TRUE(CountClasses(*x, 1, 1, 3).empty());
    EXPECT_TRUE(CountClasses(*x, 0, 3, 0).empty());
}

TEST(QuantitativeHistogramBars, EveryValueCountedAndBarsAtClassCentres)
{
    // extent 0.85..4.15, width 3.3 / 18; classes of 1, 2, 3, 4: 1, 7, 12, 18
    const auto x = MakeColumn({1, 2, 3, 4});
    const TQuantitativeSummary s = QuantitativeSummary(*x);
    const TDensityHistogram h = QuantitativeHistogram(*x, s, 18);
    ASSERT_TRUE(h.valid);
    EXPECT_DOUBLE_EQ(h.lower, 0.85);
    EXPECT_DOUBLE_EQ(h.upper, 4.15);
    EXPECT_NEAR(h.width, 3.3 / 18, 1e-12);
    EXPECT_EQ(h.total, 4);
    ASSERT_EQ(h.counts.size(), 18u);
    ASSERT_EQ(h.centres.size(), 18u);
    EXPECT_EQ(h.counts[0], 1);
    EXPECT_EQ(h.counts[6], 1);
    EXPECT_EQ(h.counts[11], 1);
    EXPECT_EQ(h.counts[17], 1);  // the last bar is there
    EXPECT_NEAR(h.centres[0], 0.85 + 0.5 * 3.3 / 18, 1e-12);
    EXPECT_NEAR(h.centres[17], 4.15 - 0.5 * 3.3 / 18, 1e-12);
    // each value lies inside the class its bar is centred on
    for (double v : {1.0, 2.0, 3.0, 4.0}) {
        int found = 0;
        for (std::size_t i = 0; i < 18; ++i)
            if (std::fabs(v - h.centres[i]) <= h.width / 2 && h.counts[i] > 0)
                ++found;
        EXPECT_EQ(found, 1) << v;
    }
    double area = 0;
    for (double d : h.densities)
        area += d * h.width;
    EXPECT_NEAR(area, 1.0, 1e-12);
    // tallest bar 1 / (4 w) = 1.3636 is above the normal peak 1 / (sqrt(6.2832) sd) = 0.3090
    EXPECT_NEAR(h.axisMax, 1 / (4 * 3.3 / 18) + 0.1, 1e-12);
}

TEST(QuantitativeHistogramBars, AxisCoversTheNormalPeak)
{
    // 0, 0.01, ..., 1: bars near 1 / 1.1 + 0.1, below the normal peak 1.368
    std::vector<double> v;
    for (int i = 0; i <= 100; ++i)
        v.push_back(i / 100.0);
    const auto x = MakeColumn(v);
    const TQuantitativeSummary s = QuantitativeSummary(*x);
    const TDensityHistogram h = QuantitativeHistogram(*x, s, 9);
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.counts.size(), 9u);
    EXPECT_EQ(h.total, 101);
    EXPECT_NEAR(h.axisMax, PeakDensity(s.sd) + 0.1, 1e-12);
    EXPECT_NEAR(PeakDensity(2.0), 1 / (std::sqrt(6.2832) * 2.0), 1e-15);
}
