#include "chart/tools/series_animation_tool.h"

#include <QPointer>

#include "testing/settable_clock.h"
#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

class TAnimationOnChart : public ToolChartTest {
protected:
    TAnimationOnChart()
    {
        tool->SetParentChart(&chart);
        tool->ProcessMessages = [this] { ++processed; };
    }
    ~TAnimationOnChart() override
    {
        if (tool)
            tool->SetParentChart(nullptr);
        delete tool.data();
    }

    TTestLineSeries& Series(std::initializer_list<double> Values)
    {
        auto* s = new TTestLineSeries(&owner);
        double x = 0;
        for (double v : Values)
            s->AddXY(x++, v);
        chart.AddSeries(s);
        tool->SetSeries(s);
        return *s;
    }
    TTestLineSeries& Series(int Count)
    {
        auto* s = new TTestLineSeries(&owner);
        for (int i = 0; i < Count; ++i)
            s->AddXY(i, 10 + i);
        chart.AddSeries(s);
        tool->SetSeries(s);
        return *s;
    }
    static std::vector<double> Values(const TChartSeries& S)
    {
        std::vector<double> v;
        for (int i = 0; i < S.Count(); ++i)
            v.push_back(S.YValues().Value(i));
        return v;
    }

    QPointer<TSeriesAnimationTool> tool = new TSeriesAnimationTool;
    int processed = 0;
};

}  // namespace

TEST_F(TAnimationOnChart, FirstStepShowsTheStartAndTheLastTheOwnValues)
{
    TTestLineSeries& s = Series({10, 20, 40});
    std::vector<std::vector<double>> seen(101);
    tool->OnStep = [&](TSeriesAnimationTool&, int Step) { seen[static_cast<std::size_t>(Step)] = Values(s); };
    int starts = 0, stops = 0;
    tool->OnStart = [&](TSeriesAnimationTool& T) {
        ++starts;
        EXPECT_TRUE(T.Running());
    };
    tool->OnStop = [&](TSeriesAnimationTool&) { ++stops; };
    tool->Play();
    // the minimum is the start; step s shows s/100 of each value plus (1 - s/100) of the start
    EXPECT_EQ(seen[0], (std::vector<double>{10, 10, 10}));
    EXPECT_EQ(seen[50], (std::vector<double>{10, 15, 25}));
    EXPECT_EQ(seen[100], (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(Values(s), (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(tool->Running());
    EXPECT_FALSE(s.Updating());
    // a wait after the start values, one per step and one at the end
    EXPECT_EQ(processed, 1 + 101 + 1);
}

TEST_F(TAnimationOnChart, StartValueWhenNotStartingAtTheMinimum)
{
    TTestLineSeries& s = Series({10, 20});
    tool->SetStartAtMin(false);
    tool->SetStartValue(-10);
    tool->SetSteps(2);
    std::vector<std::vector<double>> seen;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { seen.push_back(Values(s)); };
    tool->Play();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (std::vector<double>{-10, -10}));
    EXPECT_EQ(seen[1], (std::vector<double>{0, 5}));
    EXPECT_EQ(seen[2], (std::vector<double>{10, 20}));
}

TEST_F(TAnimationOnChart, CircularSecondPassShrinksTowardsZero)
{
    TTestLineSeries& s = Series({10, 30});
    tool->SetLoop(salCircular);
    tool->SetSteps(4);
    std::vector<std::vector<double>> seen;
    tool->OnStep = [&](TSeriesAnimationTool& T, int) {
        seen.push_back(Values(s));
        if (seen.size() == 10)
            T.Stop();
    };
    tool->Play();
    ASSERT_EQ(seen.size(), 10u);
    // first pass grows from 10 to the values
    EXPECT_EQ(seen[0], (std::vector<double>{10, 10}));
    EXPECT_EQ(seen[4], (std::vector<double>{10, 30}));
    // second pass: (4 - s) / 4 of each value
    EXPECT_EQ(seen[5], (std::vector<double>{10, 30}));
    EXPECT_EQ(seen[6], (std::vector<double>{7.5, 22.5}));
    EXPECT_EQ(seen[9], (std::vector<double>{0, 0}));
    EXPECT_EQ(Values(s), (std::vector<double>{10, 30}));
}

TEST_F(TAnimationOnChart, OneWayLoopRepeatsTheGrowingPass)
{
    TTestLineSeries& s = Series({10, 30});
    tool->SetLoop(salOneWay);
    tool->SetSteps(1);
    std::vector<std::vector<double>> seen;
    tool->OnStep = [&](TSeriesAnimationTool& T, int) {
        seen.push_back(Values(s));
        if (seen.size() == 4)
            T.Stop();
    };
    tool->Play();
    EXPECT_EQ(seen, (std::vector<std::vector<double>>{{10, 10}, {10, 30}, {10, 10}, {10, 30}}));
}

TEST_F(TAnimationOnChart, DrawEveryTenAnimatesGroupsOfTen)
{
    TTestLineSeries& s = Series(25);
    tool->SetDrawEvery(10);
    tool->SetSteps(2);
    int steps = 0;
    std::vector<double> middleOfSecondGroup;
    tool->OnStep = [&](TSeriesAnimationTool&, int Step) {
        ++steps;
        if (steps == 5 && Step == 1)
            middleOfSecondGroup = Values(s);
    };
    tool->Play();
    // three groups (0-9, 10-19, 20-24) of three steps
    EXPECT_EQ(steps, 9);
    ASSERT_EQ(middleOfSecondGroup.size(), 25u);
    // the first group done, the second half way from the start 10, the third still at the start
    EXPECT_EQ(middleOfSecondGroup[9], 19);
    EXPECT_EQ(middleOfSecondGroup[10], 0.5 * 20 + 5);
    EXPECT_EQ(middleOfSecondGroup[19], 0.5 * 29 + 5);
    EXPECT_EQ(middleOfSecondGroup[20], 10);
    EXPECT_EQ(middleOfSecondGroup[24], 10);
}

TEST_F(TAnimationOnChart, DrawEveryTenOfTwentyIsTwoGroups)
{
    Series(20);
    tool->SetDrawEvery(10);
    tool->SetSteps(2);
    int steps = 0;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { ++steps; };
    tool->Play();
    EXPECT_EQ(steps, 6);
}

TEST_F(TAnimationOnChart, StepsBelowOneActAsOneAndNegativeDrawEveryAsAllPoints)
{
    TTestLineSeries& s = Series({10, 20, 40});
    tool->SetSteps(0);
    tool->SetDrawEvery(-4);
    std::vector<std::vector<double>> seen;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { seen.push_back(Values(s)); };
    tool->Play();
    EXPECT_EQ(seen, (std::vector<std::vector<double>>{{10, 10, 10}, {10, 20, 40}}));
    seen.clear();
    tool->SetSteps(-7);
    tool->Play();
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(Values(s), (std::vector<double>{10, 20, 40}));
}

TEST_F(TAnimationOnChart, DelayWaitsOnThePlatformClock)
{
    platform::SettableClock clock;
    platform::ScopedClock scoped(clock);
    Series({1, 2});
    tool->SetSteps(1);
    tool->SetDelay(30);
    tool->ProcessMessages = [&] {
        ++processed;
        // a binary fraction: 15.625 ms
        clock.Advance(1.0 / 64);
    };
    tool->Play();
    // four waits (start, two steps, end) of two rounds each
    EXPECT_EQ(processed, 8);
}

TEST_F(TAnimationOnChart, StopFromAnEventEndsThePassAndRestoresTheValues)
{
    TTestLineSeries& s = Series({10, 20, 40});
    tool->SetLoop(salOneWay);
    int steps = 0;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { ++steps; };
    tool->ProcessMessages = [&] {
        if (steps == 3)
            tool->Stop();
    };
    tool->Play();
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(Values(s), (std::vector<double>{10, 20, 40}));
    EXPECT_FALSE(s.Updating());
}

TEST_F(TAnimationOnChart, PlayWhileRunningOrWithoutSeriesDoesNothing)
{
    int starts = 0;
    tool->OnStart = [&](TSeriesAnimationTool&) { ++starts; };
    tool->Play();
    EXPECT_EQ(starts, 0);
    Series({1, 2});
    tool->SetSteps(1);
    int nested = 0;
    tool->OnStep = [&](TSeriesAnimationTool& T, int) {
        T.Play();
        ++nested;
    };
    tool->Play();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(nested, 2);
}

TEST_F(TAnimationOnChart, TheSeriesFreedDuringPlayEndsTheAnimation)
{
    TTestLineSeries* s = &Series({10, 20, 40});
    int stops = 0;
    tool->OnStop = [&](TSeriesAnimationTool&) { ++stops; };
    int steps = 0;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { ++steps; };
    // the window closes: its series go
    tool->ProcessMessages = [&] {
        if (steps == 5 && s) {
            delete s;
            s = nullptr;
        }
    };
    tool->Play();
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(tool->Running());
    EXPECT_EQ(tool->Series(), nullptr);
}

TEST_F(TAnimationOnChart, TheToolFreedDuringPlayGivesTheSeriesItsValuesBack)
{
    TTestLineSeries& s = Series({10, 20, 40});
    int steps = 0;
    tool->OnStep = [&](TSeriesAnimationTool&, int) { ++steps; };
    tool->ProcessMessages = [&] {
        if (steps == 5)
            delete tool.data();
    };
    tool->Play();
    EXPECT_TRUE(tool.isNull());
    EXPECT_EQ(Values(s), (std::vector<double>{10, 20, 40}));
    EXPECT_FALSE(s.Updating());
}

TEST(SeriesAnimationStreaming, RoundTrip)
{
    TSeriesAnimationTool a;
    EXPECT_TRUE(StreamedNames(Written(a)).empty());
    a.SetDelay(20);
    a.SetDrawEvery(5);
    a.SetLoop(salCircular);
    a.SetStartAtMin(false);
    a.SetStartValue(2.5);
    a.SetSteps(30);
    TSeriesAnimationTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.Delay(), 20);
    EXPECT_EQ(b.DrawEvery(), 5);
    EXPECT_EQ(b.Loop(), salCircular);
    EXPECT_FALSE(b.StartAtMin());
    EXPECT_DOUBLE_EQ(b.StartValue(), 2.5);
    EXPECT_EQ(b.Steps(), 30);
}
