#include "core/random_process.h"
#include "core/random_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Reference outcomes: python3 with integer arithmetic modulo 2**32 and exact
// fractions, e.g. from seed 1234
//   s = (s*134775813 + 1) % 2**32; outcome = 1 if Fraction(s, 2**32) <= Fraction(p) else 0
// p = 0.5: states 3104595995 3617836168 1340677801 10796366 1329851015 494481572
//          3046277941 3643532298 1338022963 1491425536 3328097537 2840999174
//          outcomes 0 0 1 1 1 1 0 0 1 1 0 0
// p = 0.3: outcomes 0 0 0 1 0 1 0 0 0 0 0 0

namespace {

struct Point {
    double x;
    double y;
    std::string label;
    TColor color;
};

class RecordingSink : public IProcessPointSink {
public:
    void AddPoint(double x, double y, std::string_view label, TColor color) override
    {
        points.push_back({x, y, std::string(label), color});
    }
    void Clear() override { points.clear(); }
    int Count() const override { return static_cast<int>(points.size()); }
    void SetBottomAxisLabelsVisible(bool visible) override
    {
        labelsVisible = visible;
        ++labelSwitches;
    }
    void SetBottomAxisVisible(bool visible) override { axisVisible = visible; }

    std::vector<Point> points;
    bool labelsVisible = false;
    int labelSwitches = 0;
    bool axisVisible = true;
};

class RecordingGrid : public IProcessGrid {
public:
    void SetSeries(IProcessPointSink* series) override
    {
        calls.push_back(series ? "bind" : "unbind");
        bound = series;
    }
    void Update() override { calls.push_back("update"); }

    std::vector<std::string> calls;
    IProcessPointSink* bound = nullptr;
};

// A discrete process whose every trial has a fixed outcome.
class FixedOutcomeProcess : public tDiscreteProcess {
public:
    FixedOutcomeProcess(std::int32_t n, std::int32_t outcome)
        : tDiscreteProcess(0, n)
    {
        m_outcome = outcome;
    }
    std::int32_t Trial() override
    {
        Record();
        return m_outcome;
    }
};

class BernoulliChart : public ::testing::Test {
protected:
    void Bind(tBernoulli& process)
    {
        process.SetSeriesCount(2);
        process.SetSeries(0, &outcomes, &outcomeGrid);
        process.SetSeries(1, &proportions, &proportionGrid);
    }

    RecordingSink outcomes;
    RecordingSink proportions;
    RecordingGrid outcomeGrid;
    RecordingGrid proportionGrid;
};

} // namespace

TEST(ProportionPointText, QuartersGetTwoDecimals)
{
    EXPECT_EQ(ProportionPointText(0, 7), "0.00");
    EXPECT_EQ(ProportionPointText(1, 4), "0.25");
    EXPECT_EQ(ProportionPointText(6, 12), "0.50");
    EXPECT_EQ(ProportionPointText(75, 100), "0.75");
    EXPECT_EQ(ProportionPointText(3, 3), "1.00");
}

TEST(ProportionPointText, NoOtherProportionGetsText)
{
    // 100 * 0.3 and 100 * 0.01 round to whole numbers in double arithmetic
    EXPECT_EQ(ProportionPointText(3, 10), "");
    EXPECT_EQ(ProportionPointText(1, 100), "");
    EXPECT_EQ(ProportionPointText(7, 100), "");
    EXPECT_EQ(ProportionPointText(1, 3), "");
    EXPECT_EQ(ProportionPointText(1, 5), "");
    EXPECT_EQ(ProportionPointText(99, 100), "");
    for (std::int64_t t = 1; t <= 400; ++t) {
        for (std::int64_t s = 0; s <= t; ++s) {
            const bool quarter = (4 * s) % t == 0;
            ASSERT_EQ(!ProportionPointText(s, t).empty(), quarter) << s << "/" << t;
        }
    }
}

TEST(ProportionPointText, OutOfRangeCountsGetNoText)
{
    EXPECT_EQ(ProportionPointText(0, 0), "");
    EXPECT_EQ(ProportionPointText(5, 4), "");
    EXPECT_EQ(ProportionPointText(-1, 4), "");
    EXPECT_EQ(ProportionPointText(1LL << 40, 1LL << 42), "0.25");
}

TEST_F(BernoulliChart, TwelveTrialsFromSeed1234)
{
    tBernoulli process(0, 0, 0.5);
    process.SetLabels("cruz", "cara");
    Bind(process);
    SetRandSeed(1234);

    const std::int32_t expected[] = {0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 0, 0};
    const std::int64_t sums[] = {0, 0, 1, 2, 3, 4, 4, 4, 5, 6, 6, 6};
    const char* const texts[] = {"0.00", "0.00", "", "0.50", "", "", "", "0.50", "", "", "", "0.50"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(process.Trial(), expected[i]) << i;
        EXPECT_EQ(process.Sum(), sums[i]);
        EXPECT_EQ(process.SumOfSquares(), sums[i]);
        EXPECT_EQ(process.TrialCount(), i + 1);
    }
    EXPECT_EQ(process.LastUniform(), 2840999174.0 / 4294967296.0);
    EXPECT_EQ(RandSeed(), 2840999174u);

    ASSERT_EQ(outcomes.Count(), 12);
    ASSERT_EQ(proportions.Count(), 12);
    for (int i = 0; i < 12; ++i) {
        const Point& o = outcomes.points[i];
        EXPECT_EQ(o.x, i + 1);
        EXPECT_EQ(o.y, expected[i]);
        EXPECT_EQ(o.label, expected[i] ? "cara" : "cruz");
        EXPECT_EQ(o.color, 0x20000000u);
        const Point& r = proportions.points[i];
        EXPECT_EQ(r.x, i + 1);
        EXPECT_EQ(r.y, static_cast<double>(sums[i]) / (i + 1));
        EXPECT_EQ(r.label, texts[i]) << i;
        EXPECT_EQ(r.color, 0x20000000u);
    }
}

TEST_F(BernoulliChart, ProportionsOfAQuarterAndOfOneFifth)
{
    tBernoulli process(0, 0, 0.3);
    Bind(process);
    SetRandSeed(1234);
    for (int i = 0; i < 12; ++i)
        process.Trial();

    // successes 0 0 0 1 1 2 2 2 2 2 2 2
    const char* const texts[] = {"0.00", "0.00", "0.00", "0.25", "", "", "", "0.25", "", "", "", ""};
    ASSERT_EQ(proportions.Count(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(proportions.points[i].label, texts[i]) << i;
    EXPECT_EQ(proportions.points[9].y, 0.2);
    EXPECT_EQ(outcomes.points[3].label, "1");
    EXPECT_EQ(outcomes.points[4].label, "0");
}

TEST_F(BernoulliChart, OneSuccessInAHundredGetsNoText)
{
    // python3: from seed 6 with p = 0.01 only trial 2 of 100 succeeds
    tBernoulli process(1, 100, 0.01);
    Bind(process);
    SetRandSeed(6);
    process.Trial();
    ASSERT_EQ(proportions.Count(), 100);
    EXPECT_EQ(process.Sum(), 1);
    EXPECT_EQ(proportions.points[1].label, "0.50");
    EXPECT_EQ(proportions.points[3].label, "0.25");
    EXPECT_EQ(proportions.points[99].y, 0.01);
    EXPECT_EQ(proportions.points[99].label, "");
}

TEST_F(BernoulliChart, KindOneRunsAWholeBlockPerTrial)
{
    tBernoulli process(1, 10, 0.5);
    Bind(process);
    SetRandSeed(1234);
    EXPECT_EQ(process.Trial(), 1);  // tenth outcome
    EXPECT_EQ(outcomes.Count(), 10);
    EXPECT_EQ(proportions.Count(), 10);
    EXPECT_EQ(process.TrialCount(), 10);
    EXPECT_EQ(process.Sum(), 6);
    EXPECT_EQ(RandSeed(), 1491425536u);

    ASSERT_TRUE(process.HasHistory());
    const std::int32_t expected[] = {0, 0, 1, 1, 1, 1, 0, 0, 1, 1};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(process.History(i), expected[i]) << i;

    process.Trial();
    EXPECT_EQ(outcomes.Count(), 20);
    EXPECT_EQ(outcomes.points[19].x, 20.0);
}

TEST_F(BernoulliChart, OtherKindsRunOneTrial)
{
    tBernoulli process(2, 10, 0.5);
    Bind(process);
    process.Trial();
    EXPECT_EQ(outcomes.Count(), 1);
    EXPECT_EQ(proportions.Count(), 1);
    EXPECT_EQ(process.TrialCount(), 1);
}

TEST_F(BernoulliChart, BottomAxisHiddenAfterTheHundredAndFirstTrial)
{
    tBernoulli process(0, 0, 0.5);
    Bind(process);
    for (int i = 0; i < 100; ++i)
        process.Trial();
    EXPECT_TRUE(outcomes.axisVisible);
    EXPECT_TRUE(outcomes.labelsVisible);
    EXPECT_EQ(outcomes.labelSwitches, 100);
    process.Trial();
    EXPECT_FALSE(outcomes.axisVisible);
    EXPECT_TRUE(outcomes.labelsVisible);
}

TEST_F(BernoulliChart, GridsAreReboundAndRepaintedAfterEveryRecord)
{
    tBernoulli process(1, 3, 0.5);
    process.SetSeriesCount(3);
    process.SetSeries(0, &outcomes, &outcomeGrid);
    process.SetSeries(2, nullptr, &proportionGrid);
    EXPECT_EQ(outcomeGrid.calls, std::vector<std::string>{"bind"});
    EXPECT_EQ(outcomeGrid.bound, &outcomes);

    process.Trial();
    const std::vector<std::string> outcomeCalls = {"bind", "bind", "update", "bind", "update", "bind", "update"};
    EXPECT_EQ(outcomeGrid.calls, outcomeCalls);
    const std::vector<std::string> emptyCalls = {"unbind", "unbind", "update", "unbind", "update", "unbind", "update"};
    EXPECT_EQ(proportionGrid.calls, emptyCalls);
}

TEST_F(BernoulliChart, EmptySlotsRecordNothingButCountsAdvance)
{
    tBernoulli process(0, 0, 1.0);
    process.SetSeriesCount(2);
    process.SetSeries(1, &proportions, nullptr);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(process.Trial(), 1);
    EXPECT_EQ(outcomes.Count(), 0);
    EXPECT_EQ(proportions.Count(), 5);
    EXPECT_EQ(proportions.points[4].label, "1.00");
    EXPECT_EQ(process.TrialCount(), 5);
    EXPECT_EQ(process.Sum(), 5);
}

TEST_F(BernoulliChart, TrialsRunWithoutAnySlot)
{
    tBernoulli process(1, 4, 1.0);
    EXPECT_EQ(process.SeriesCount(), 0);
    EXPECT_EQ(process.Trial(), 1);
    EXPECT_EQ(process.TrialCount(), 4);

    tBernoulli one(0, 0, 0.5);
    one.SetSeriesCount(1);
    one.SetSeries(0, &outcomes, nullptr);
    one.Trial();
    EXPECT_EQ(outcomes.Count(), 1);  // no second slot for the proportion
}

TEST_F(BernoulliChart, SlotsOutsideTheCountAreIgnored)
{
    tBernoulli process(0, 0, 0.5);
    process.SetSeriesCount(1);
    process.SetSeries(1, &proportions, &proportionGrid);
    process.SetSeries(-1, &proportions, &proportionGrid);
    process.Trial();
    EXPECT_EQ(proportions.Count(), 0);
    EXPECT_TRUE(proportionGrid.calls.empty());

    process.SetSeriesCount(-3);
    EXPECT_EQ(process.SeriesCount(), 0);
    process.SetSeries(0, &outcomes, &outcomeGrid);
    process.Trial();
    EXPECT_EQ(outcomes.Count(), 0);
    EXPECT_TRUE(outcomeGrid.calls.empty());
}

TEST_F(BernoulliChart, SetSeriesCountUnbindsEverySlot)
{
    tBernoulli process(0, 0, 0.5);
    Bind(process);
    process.SetSeriesCount(2);
    process.Trial();
    EXPECT_EQ(outcomes.Count(), 0);
    EXPECT_EQ(proportions.Count(), 0);
    EXPECT_EQ(outcomeGrid.calls.size(), 1u);
}

TEST(Bernoulli, ProbabilityZeroSucceedsOnlyOnAZeroDraw)
{
    tBernoulli process(0, 0, 0.0);
    SetRandSeed(1234);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(process.Trial(), 0);
    SetRandSeed(649090867u);  // the next state is 0
    EXPECT_EQ(process.Trial(), 1);
    EXPECT_EQ(process.LastUniform(), 0.0);
}

TEST(Bernoulli, ProbabilityOneAlwaysSucceeds)
{
    tBernoulli process(1, 500, 1.0);
    EXPECT_EQ(process.Trial(), 1);
    EXPECT_EQ(process.Sum(), 500);
    EXPECT_EQ(process.SumOfSquares(), 500);
}

TEST(Bernoulli, CreationStartsEmpty)
{
    tBernoulli process(1, 10, 0.25);
    EXPECT_EQ(process.Kind(), 1);
    EXPECT_EQ(process.BlockLength(), 10);
    EXPECT_EQ(process.Probability(), 0.25);
    EXPECT_EQ(process.Label0(), "0");
    EXPECT_EQ(process.Label1(), "1");
    EXPECT_EQ(process.Outcome(), 0);
    EXPECT_EQ(process.TrialCount(), 0);
    EXPECT_EQ(process.Sum(), 0);
    EXPECT_EQ(process.SeriesCount(), 0);
    EXPECT_TRUE(process.HasHistory());
    EXPECT_EQ(process.History(9), 0);
}

TEST(DiscreteProcess, HistoryOnlyForBlocksLongerThanOne)
{
    EXPECT_FALSE(FixedOutcomeProcess(1, 7).HasHistory());
    EXPECT_FALSE(FixedOutcomeProcess(0, 7).HasHistory());
    EXPECT_FALSE(FixedOutcomeProcess(-5, 7).HasHistory());
    EXPECT_TRUE(FixedOutcomeProcess(2, 7).HasHistory());
}

TEST(DiscreteProcess, HistoryKeepsTheFirstBlockOnly)
{
    FixedOutcomeProcess process(3, 7);
    for (int i = 0; i < 5; ++i)
        process.Trial();
    EXPECT_EQ(process.History(0), 7);
    EXPECT_EQ(process.History(2), 7);
    EXPECT_EQ(process.History(3), 0);
    EXPECT_EQ(process.History(-1), 0);
    EXPECT_EQ(process.TrialCount(), 5);
    EXPECT_EQ(process.Sum(), 35);
    EXPECT_EQ(process.SumOfSquares(), 245);
}

TEST(DiscreteProcess, SumsOfLargeOutcomesDoNotWrap)
{
    FixedOutcomeProcess process(0, 50000);  // 50000^2 = 2.5e9 > 2^31 - 1
    process.Trial();
    process.Trial();
    EXPECT_EQ(process.SumOfSquares(), 5000000000LL);
    EXPECT_EQ(process.Sum(), 100000);

    FixedOutcomeProcess big(0, 2147483647);
    big.Trial();
    big.Trial();
    EXPECT_EQ(big.Sum(), 4294967294LL);
    EXPECT_EQ(big.SumOfSquares(), 2LL * 2147483647LL * 2147483647LL);
}

TEST_F(BernoulliChart, GridsAreRefreshedOnceAfterALaunch)
{
    tBernoulli process(0, 0, 0.5);
    Bind(process);
    outcomeGrid.calls.clear();
    proportionGrid.calls.clear();
    process.BeginUpdate();
    process.BeginUpdate();
    for (int i = 0; i < 3000; ++i)
        process.Trial();
    process.EndUpdate();
    EXPECT_TRUE(outcomeGrid.calls.empty());
    EXPECT_TRUE(process.Updating());
    process.EndUpdate();
    EXPECT_FALSE(process.Updating());
    const std::vector<std::string> once = {"bind", "update"};
    EXPECT_EQ(outcomeGrid.calls, once);
    EXPECT_EQ(proportionGrid.calls, once);
    EXPECT_EQ(outcomes.Count(), 3000);
    EXPECT_EQ(proportions.Count(), 3000);

    // an unmatched end and an empty launch refresh nothing
    process.EndUpdate();
    process.BeginUpdate();
    process.EndUpdate();
    EXPECT_EQ(outcomeGrid.calls, once);

    // without a launch every trial refreshes as before
    process.Trial();
    EXPECT_EQ(outcomeGrid.calls.size(), 4u);
}
