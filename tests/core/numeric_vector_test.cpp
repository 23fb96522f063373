#include "core/numeric_vector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace {

void Fill(TVector& v, const std::vector<double>& values)
{
    v.SetNrOfElem(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v.SetElem(static_cast<int>(i + 1), values[i]);
}

void Fill(TIntVector& v, const std::vector<std::int32_t>& values)
{
    v.SetNrOfElem(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v.SetElem(static_cast<int>(i + 1), values[i]);
}

std::vector<std::int32_t> Elements(const TIntVector& v)
{
    std::vector<std::int32_t> out;
    for (int i = 1; i <= v.NrOfElem(); ++i)
        out.push_back(v.GetElem(i));
    return out;
}

}  // namespace

// ---------------------------------------------------------------- range rules and events

TEST(TVectorRange, OneZeroElementAfterCreation)
{
    TVector v;
    EXPECT_EQ(v.NrOfElem(), 1);
    EXPECT_EQ(v.GetElem(1), 0.0);
}

TEST(TVectorRange, ReadsOutsideGiveZeroWritesOutsideAreIgnored)
{
    TVector v;
    Fill(v, {1.5, 2.5, 3.5});
    int changes = 0;
    v.OnChange = [&] { ++changes; };
    EXPECT_EQ(v.GetElem(0), 0.0);
    EXPECT_EQ(v.GetElem(4), 0.0);
    EXPECT_EQ(v.GetElem(-7), 0.0);
    v.SetElem(0, 9);
    v.SetElem(4, 9);
    EXPECT_EQ(changes, 0);
    v.SetElem(2, 2.5);  // same value: still a change
    v.SetElem(3, -1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(v.GetElem(3), -1.0);
}

TEST(TVectorRange, ResizeKeepsValuesAndFiresOnceWhenChanged)
{
    TVector v;
    Fill(v, {1, 2, 3});
    int changes = 0;
    v.OnChange = [&] { ++changes; };
    v.SetNrOfElem(0);
    v.SetNrOfElem(-5);
    v.SetNrOfElem(3);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(v.NrOfElem(), 3);
    v.SetNrOfElem(5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(v.GetElem(3), 3.0);
    EXPECT_EQ(v.GetElem(5), 0.0);
    v.SetNrOfElem(2);
    v.SetNrOfElem(3);
    EXPECT_EQ(v.GetElem(2), 2.0);
    EXPECT_EQ(v.GetElem(3), 0.0);
}

TEST(TVectorCopy, CopiesSizeAndElementsFiringPerElement)
{
    TVector src;
    Fill(src, {4, 5, 6});
    TVector dst;
    int changes = 0;
    dst.OnChange = [&] { ++changes; };
    dst.CopyFrom(&src);
    EXPECT_EQ(dst.NrOfElem(), 3);
    EXPECT_EQ(dst.GetElem(3), 6.0);
    EXPECT_EQ(changes, 1 + 3 + 1);  // resize, each element, end
    changes = 0;
    dst.CopyFrom(&src);  // same size: no resize event
    EXPECT_EQ(changes, 3 + 1);
    changes = 0;
    dst.CopyFrom(nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(dst.NrOfElem(), 3);
}

TEST(TIntVectorRange, RulesAndEventsAsForDoubles)
{
    TIntVector v;
    EXPECT_EQ(v.NrOfElem(), 1);
    int changes = 0;
    v.OnChange = [&] { ++changes; };
    v.SetNrOfElem(3);
    v.SetElem(1, 7);
    v.SetElem(4, 8);
    v.SetElem(0, 8);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(v.GetElem(1), 7);
    EXPECT_EQ(v.GetElem(4), 0);
    v.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(Elements(v), (std::vector<std::int32_t>{0, 0, 0}));

    TIntVector copy;
    copy.CopyFrom(&v);
    EXPECT_EQ(copy.NrOfElem(), 3);
}

TEST(TVectorPlain, PlainUntilAnElementIsWritten)
{
    TVector v;
    EXPECT_TRUE(v.Plain());
    v.SetNrOfElem(4);
    v.SetElem(0, 1);
    v.SetElem(5, 1);
    EXPECT_TRUE(v.Plain());
    v.SetElem(2, 0); // a written 0 counts
    EXPECT_FALSE(v.Plain());
    v.SetNrOfElem(8);
    EXPECT_FALSE(v.Plain());

    TVector copy;
    copy.CopyFrom(&v);
    EXPECT_FALSE(copy.Plain());
}

TEST(TIntVectorPlain, ClearMakesItPlainAgain)
{
    TIntVector v;
    EXPECT_TRUE(v.Plain());
    v.SetNrOfElem(3);
    v.SetElem(4, 9);
    EXPECT_TRUE(v.Plain());
    v.SetElem(3, 9);
    EXPECT_FALSE(v.Plain());
    v.Clear();
    EXPECT_TRUE(v.Plain());
    v.SortRange(true, 1, 3);
    EXPECT_TRUE(v.Plain());

    // histogram bins are cleared, then written for each counted value
    TVector data;
    Fill(data, {0.5, 1.5});
    TIntVector bins;
    int below = 0, above = 0, largest = 0;
    ASSERT_TRUE(data.Histogram(1, 2, 10, 20, 1, bins, below, above, largest));
    EXPECT_TRUE(bins.Plain()); // nothing fell into a bin
    ASSERT_TRUE(data.Histogram(1, 2, 0, 2, 1, bins, below, above, largest));
    EXPECT_FALSE(bins.Plain());
}

TEST(TIntVectorSum, ClampedRangeWithoutOverflow)
{
    TIntVector v;
    Fill(v, {1, 2, 3, 4});
    EXPECT_EQ(v.Sum(1, 4), 10);
    EXPECT_EQ(v.Sum(4, 2), 9);
    EXPECT_EQ(v.Sum(-10, 100), 10);
    Fill(v, {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()});
    EXPECT_EQ(v.Sum(1, 2), 4294967294LL);
}

// ---------------------------------------------------------------- MinMax

TEST(TVectorMinMax, ScansTheClampedRange)
{
    TVector v;
    Fill(v, {3, -1, 8, 2});
    double lo = 0, hi = 0;
    v.MinMax(1, 4, lo, hi);
    EXPECT_EQ(lo, -1.0);
    EXPECT_EQ(hi, 8.0);
    v.MinMax(4, 3, lo, hi);
    EXPECT_EQ(lo, 2.0);
    EXPECT_EQ(hi, 8.0);
    v.MinMax(-3, 1, lo, hi);
    EXPECT_EQ(lo, 3.0);
    EXPECT_EQ(hi, 3.0);
}

TEST(TVectorMinMax, NaNLeavesTheStartValues)
{
    TVector v;
    v.SetElem(1, std::numeric_limits<double>::quiet_NaN());
    double lo = 0, hi = 0;
    v.MinMax(1, 1, lo, hi);
    EXPECT_EQ(lo, 1e308);
    EXPECT_EQ(hi, -1e308);
}

// ---------------------------------------------------------------- Percentile

// Expected values: rank (n + 1) * p / 100 with linear interpolation, as R's
// quantile(x, p / 100, type = 6) gives them.
TEST(TVectorPercentile, ExactValues)
{
    TVector v;
    Fill(v, {4, 1, 3, 2});
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 50), 2.5);
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 0), 1.0);
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 100), 4.0);
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 90), 4.0);   // rank 4.5 >= n
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 25), 1.25);  // R: 1.25
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 75), 3.75);  // R: 3.75
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 20), 1.0);   // rank exactly 1
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 10), 1.0);   // rank 0.5
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 80), 4.0);   // rank exactly n

    Fill(v, {2.5, 7.1, 3.3, 9.0, 4.2});
    EXPECT_DOUBLE_EQ(v.Percentile(1, 5, 50), 4.2);
    EXPECT_NEAR(v.Percentile(1, 5, 40), 3.66, 1e-12);  // R: 3.66
    EXPECT_NEAR(v.Percentile(1, 5, 5), 2.5, 1e-12);    // R: 2.5
    EXPECT_NEAR(v.Percentile(1, 5, 70), 7.1 + 0.2 * 1.9, 1e-12);  // R: 7.48
}

TEST(TVectorPercentile, ClampsPercentAndRangeAndLeavesTheVector)
{
    TVector v;
    Fill(v, {4, 1, 3, 2});
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, 150), 4.0);
    EXPECT_DOUBLE_EQ(v.Percentile(1, 4, -20), 1.0);
    EXPECT_DOUBLE_EQ(v.Percentile(10, -2, 50), 2.5);
    EXPECT_DOUBLE_EQ(v.Percentile(2, 2, 30), 1.0);  // one value
    EXPECT_DOUBLE_EQ(v.Percentile(2, 3, 50), 2.0);  // values 1 and 3, rank 1.5
    EXPECT_EQ(v.GetElem(1), 4.0);  // the copy was sorted, not the vector
    EXPECT_TRUE(std::isnan(v.Percentile(1, 4, std::numeric_limits<double>::quiet_NaN())));
}

// ---------------------------------------------------------------- Histogram

class TVectorHistogram : public ::testing::Test {
protected:
    bool Run(const std::vector<double>& values, double lower, double upper, double width)
    {
        Fill(data, values);
        return data.Histogram(1, data.NrOfElem(), lower, upper, width, bins, below, above, largest);
    }

    TVector data;
    TIntVector bins;
    int below = -7;
    int above = -7;
    int largest = -7;
};

TEST_F(TVectorHistogram, ClassEdgesBelongToTheUpperClass)
{
    ASSERT_TRUE(Run({0, 0.5, 1, 1.99, 2, 3, 3.5, -0.1, 5, 6}, 0, 4, 1));
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{2, 2, 1, 2}));
    EXPECT_EQ(below, 1);
    EXPECT_EQ(above, 2);  // at or above upper + width
    EXPECT_EQ(largest, 2);
}

TEST_F(TVectorHistogram, ValuesJustPastTheLastClassAreCountedNowhere)
{
    // Class 5 would hold [4, 5); four classes exist, and 4 and 4.5 are below
    // upper + width.
    ASSERT_TRUE(Run({4, 4.5, 3.9, 5}, 0, 4, 1));
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{0, 0, 0, 1}));
    EXPECT_EQ(below, 0);
    EXPECT_EQ(above, 1);
    EXPECT_EQ(largest, 1);
}

TEST_F(TVectorHistogram, ClassCountRoundsHalvesToEven)
{
    ASSERT_TRUE(Run({0}, 0, 2.5, 1));
    EXPECT_EQ(bins.NrOfElem(), 2);
    ASSERT_TRUE(Run({0}, 0, 3.5, 1));
    EXPECT_EQ(bins.NrOfElem(), 4);
    ASSERT_TRUE(Run({0}, 10, 0, 2));  // |upper - lower|
    EXPECT_EQ(bins.NrOfElem(), 5);
    ASSERT_TRUE(Run({0}, 0, 500.5, 1));
    EXPECT_EQ(bins.NrOfElem(), 500);
}

TEST_F(TVectorHistogram, MoreThan500ClassesChangesNothing)
{
    Fill(bins, {3, 4});
    EXPECT_FALSE(Run({1, 2}, 0, 501, 1));
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(below, -7);
    EXPECT_EQ(above, -7);
    EXPECT_EQ(largest, -7);
}

TEST_F(TVectorHistogram, UnusableWidthsAndBoundsReturnFalse)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Fill(bins, {3, 4});
    EXPECT_FALSE(Run({1}, 0, 4, 0));
    EXPECT_FALSE(Run({1}, 0, 4, -0.0));
    EXPECT_FALSE(Run({1}, 0, 4, nan));
    EXPECT_FALSE(Run({1}, 0, 4, inf));
    EXPECT_FALSE(Run({1}, nan, 4, 1));
    EXPECT_FALSE(Run({1}, 0, inf, 1));
    EXPECT_FALSE(Run({1}, 0, 1e300, 1e-300));  // class count beyond any integer
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(below, -7);
}

TEST_F(TVectorHistogram, NegativeWidthCountsNoClassesAndKeepsTheBinsSize)
{
    Fill(bins, {3, 4, 5});
    ASSERT_TRUE(Run({-1, 0.5, 2}, 0, 2, -1));
    EXPECT_EQ(bins.NrOfElem(), 3);
    // Only [lower, lower + |width|) maps to class 1; upper + width = 1.
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(below, 1);
    EXPECT_EQ(above, 1);
}

TEST_F(TVectorHistogram, NaNValuesAreCountedNowhere)
{
    ASSERT_TRUE(Run({std::numeric_limits<double>::quiet_NaN(), 1}, 0, 2, 1));
    EXPECT_EQ(Elements(bins), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(below + above, 0);
}

TEST_F(TVectorHistogram, RangeIsTakenAsGiven)
{
    Fill(data, {5, 7});
    // Index 0 reads as the value 0 and lands in class 1.
    ASSERT_TRUE(data.Histogram(0, 1, 0, 10, 1, bins, below, above, largest));
    EXPECT_EQ(bins.GetElem(1), 1);
    EXPECT_EQ(bins.GetElem(6), 1);
    EXPECT_EQ(bins.GetElem(8), 0);
    // first > last classifies nothing, but the counts are reset.
    ASSERT_TRUE(data.Histogram(2, 1, 0, 10, 1, bins, below, above, largest));
    EXPECT_EQ(bins.Sum(1, 10), 0);
    EXPECT_EQ(largest, 0);
}

TEST_F(TVectorHistogram, BinsFireForResizeClearAndEachCount)
{
    int changes = 0;
    bins.OnChange = [&] { ++changes; };
    ASSERT_TRUE(Run({0.5, 1.5, 2.5, 9}, 0, 3, 1));
    EXPECT_EQ(changes, 1 + 1 + 3);
    changes = 0;
    ASSERT_TRUE(Run({0.5}, 0, 3, 1));
    EXPECT_EQ(changes, 1 + 1);
}

// ---------------------------------------------------------------- MeanVar

namespace {

// Two passes: the mean, then squared deviations from it.
std::pair<double, double> TwoPass(const std::vector<double>& x)
{
    long double sum = 0;
    for (double v : x)
        sum += v;
    const long double mean = sum / x.size();
    long double ss = 0;
    for (double v : x)
        ss += (v - mean) * (v - mean);
    return {static_cast<double>(mean), static_cast<double>(ss / (x.size() - 1))};
}

}  // namespace

TEST(TVectorMeanVar, HandValues)
{
    TVector v;
    Fill(v, {2, 4, 4, 4, 5, 5, 7, 9});
    double mean = 0, var = 0;
    v.MeanVar(1, 8, mean, var);
    EXPECT_DOUBLE_EQ(mean, 5.0);
    EXPECT_DOUBLE_EQ(var, 32.0 / 7.0);
    v.MeanVar(8, 6, mean, var);  // 5, 7, 9
    EXPECT_DOUBLE_EQ(mean, 7.0);
    EXPECT_DOUBLE_EQ(var, 4.0);
}

TEST(TVectorMeanVar, TwoValuesHaveTheirSampleVarianceOneValueGivesOne)
{
    TVector v;
    Fill(v, {10, 30, 1000, 3, 5});
    double mean = 0, var = 0;
    v.MeanVar(1, 2, mean, var);
    EXPECT_DOUBLE_EQ(mean, 20.0);
    EXPECT_DOUBLE_EQ(var, 200.0);  // (10 - 20)^2 + (30 - 20)^2
    v.MeanVar(4, 5, mean, var);
    EXPECT_DOUBLE_EQ(mean, 4.0);
    EXPECT_DOUBLE_EQ(var, 2.0);
    v.MeanVar(1, 1, mean, var);
    EXPECT_DOUBLE_EQ(mean, 10.0);
    EXPECT_EQ(var, 1.0);
    v.MeanVar(3, 3, mean, var);
    EXPECT_DOUBLE_EQ(mean, 1000.0);
    EXPECT_EQ(var, 1.0);
    v.MeanVar(-5, 0, mean, var);  // clamped to element 1
    EXPECT_DOUBLE_EQ(mean, 10.0);
}

TEST(TVectorMeanVar, LargeOffsetDoesNotCancel)
{
    TVector v;
    Fill(v, {1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 4, 1e9 + 5});
    double mean = 0, var = 0;
    v.MeanVar(1, 5, mean, var);
    EXPECT_DOUBLE_EQ(mean, 1e9 + 3);
    EXPECT_DOUBLE_EQ(var, 2.5);  // deviations -2..2: 10 / 4
}

TEST(TVectorMeanVar, InfiniteValueGivesInfiniteMean)
{
    // Sum / n with an infinite term is infinite wherever the term stands.
    const double inf = std::numeric_limits<double>::infinity();
    TVector v;
    double mean = 0, var = 0;
    Fill(v, {inf, 1, 2});
    v.MeanVar(1, 3, mean, var);
    EXPECT_EQ(mean, inf);
    Fill(v, {1, 2, -inf});
    v.MeanVar(1, 3, mean, var);
    EXPECT_EQ(mean, -inf);
}

TEST(TVectorMeanVar, AgreesWithTwoPassComputation)
{
    std::mt19937 gen(2024);
    std::normal_distribution<double> normal(50.0, 12.0);
    std::vector<double> x(10000);
    for (auto& e : x)
        e = normal(gen);
    TVector v;
    Fill(v, x);
    double mean = 0, var = 0;
    v.MeanVar(1, v.NrOfElem(), mean, var);
    const auto [refMean, refVar] = TwoPass(x);
    EXPECT_NEAR(mean, refMean, 1e-12 * std::fabs(refMean));
    EXPECT_NEAR(var, refVar, 1e-10 * refVar);
}

// ---------------------------------------------------------------- SortRange

TEST(TIntVectorSortRange, BothDirectionsMatchStdSort)
{
    std::mt19937 gen(11);
    std::vector<std::int32_t> x(777);
    for (auto& e : x)
        e = static_cast<std::int32_t>(gen() % 100) - 50;
    TIntVector v;
    Fill(v, x);
    v.SortRange(true, 1, v.NrOfElem());
    auto expected = x;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Elements(v), expected);
    v.SortRange(false, v.NrOfElem(), 1);
    std::sort(expected.begin(), expected.end(), std::greater<>());
    EXPECT_EQ(Elements(v), expected);
}

TEST(TIntVectorSortRange, SortsOnlyTheClampedRange)
{
    TIntVector v;
    Fill(v, {9, 8, 7, 6, 5});
    v.SortRange(true, 4, 2);
    EXPECT_EQ(Elements(v), (std::vector<std::int32_t>{9, 6, 7, 8, 5}));
    v.SortRange(true, -3, 100);
    EXPECT_EQ(Elements(v), (std::vector<std::int32_t>{5, 6, 7, 8, 9}));
}

TEST(TIntVectorSortRange, FiresPerExchangeAndOnceAtTheEnd)
{
    TIntVector v;
    Fill(v, {2, 1});
    int changes = 0;
    std::vector<std::tuple<int, int, int, int, int>> exchanges;
    v.OnChange = [&] { ++changes; };
    v.OnSortExchange = [&](std::uint8_t what, int i1, int i2, int first, int last) {
        exchanges.emplace_back(what, i1, i2, first, last);
    };
    v.SortRange(true, 1, 2);
    ASSERT_EQ(exchanges.size(), 1u);
    EXPECT_EQ(exchanges[0], std::make_tuple(0, 1, 2, 0, 0));
    EXPECT_EQ(changes, 1);

    // Already in order: no exchange, still the end notice.
    exchanges.clear();
    changes = 0;
    v.SortRange(true, 1, 2);
    EXPECT_TRUE(exchanges.empty());
    EXPECT_EQ(changes, 1);

    // One element: nothing at all.
    changes = 0;
    v.SortRange(false, 2, 2);
    v.SortRange(false, 5, 9);
    EXPECT_EQ(changes, 0);

    // 3 2 1 ascending: gap 1 pass exchanges (1,2), (2,3), then (1,2) again.
    Fill(v, {3, 2, 1});
    exchanges.clear();
    v.SortRange(true, 1, 3);
    ASSERT_EQ(exchanges.size(), 3u);
    EXPECT_EQ(std::get<1>(exchanges[0]), 1);
    EXPECT_EQ(std::get<2>(exchanges[0]), 2);
    EXPECT_EQ(std::get<1>(exchanges[1]), 2);
    EXPECT_EQ(std::get<2>(exchanges[2]), 2);
}
