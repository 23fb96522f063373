// The line hit test and the nearest-point search look only near the mouse
// when the positions along the not-mandatory axis are in order: their answers
// must match a full scan of every point.
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "chart/axis_container.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/tools/nearest_tool.h"
#include "tool_test_chart.h"

namespace {

// The same series, always tested point by point.
template <typename S>
class TFullScan : public S {
public:
    using S::S;
    bool PositionsInOrder() const override { return false; }
    const TPointIndex* PointIndex() const override { return nullptr; }
};

struct TCase {
    bool Horizontal = false;
    bool Stairs = false;
    bool InvertedStairs = false;
    bool InvertBottom = false;
    bool InvertLeft = false;
    bool Pointer = false;
    bool Area = false;
    bool ClickableLine = true;
    bool Nulls = false;
    bool LogAlong = false;
    int Count = 500;
    // positions from 0 to Span on the not-mandatory axis (its range is 0..10)
    double Span = 10;
    // the not-mandatory values come in order
    bool Ordered = true;
};

class TNearestSearchOrder : public ToolChartTest {
protected:
    // Two equal series (one always scanning every point) drawn on the chart.
    template <typename S>
    void Build(const TCase& C, unsigned Seed)
    {
        std::mt19937 random(Seed);
        std::uniform_real_distribution<double> along(C.LogAlong ? -1.0 : 0.0, C.Span);
        std::uniform_real_distribution<double> value(-10.0, 110.0);
        std::vector<double> positions(static_cast<std::size_t>(C.Count));
        for (double& p : positions)
            // a coarse grid so that equal positions occur
            p = std::round(along(random) * 20) / 20;
        if (C.Ordered)
            std::sort(positions.begin(), positions.end());
        fast = new S(&owner);
        full = new TFullScan<S>(&owner);
        for (TCustomSeries* s : {fast, full}) {
            // unordered positions stay as they come
            s->NotMandatoryValueList().SetOrder(loNone);
            s->SetStairs(C.Stairs);
            s->SetInvertedStairs(C.InvertedStairs);
            s->Pointer().SetVisible(C.Pointer);
            s->Pointer().SetHorizSize(3);
            s->Pointer().SetVertSize(5);
            s->SetDrawArea(C.Area);
            s->SetClickableLine(C.ClickableLine);
        }
        std::bernoulli_distribution null(0.1);
        for (std::size_t i = 0; i < positions.size(); ++i) {
            const double v = value(random);
            const bool isNull = C.Nulls && null(random);
            for (TCustomSeries* s : {fast, full}) {
                const double x = C.Horizontal ? v : positions[i];
                const double y = C.Horizontal ? positions[i] : v;
                if (isNull)
                    s->AddNullXY(x, y);
                else
                    s->AddXY(x, y);
            }
        }
        chart.AddSeries(fast);
        chart.AddSeries(full);
        TChartAxis* alongAxis = C.Horizontal ? chart.LeftAxis() : chart.BottomAxis();
        TChartAxis* valueAxis = C.Horizontal ? chart.BottomAxis() : chart.LeftAxis();
        alongAxis->SetMinMax(C.LogAlong ? 0.01 : 0, 10);
        valueAxis->SetMinMax(0, 100);
        alongAxis->SetLogarithmic(C.LogAlong);
        chart.BottomAxis()->SetInverted(C.InvertBottom);
        chart.LeftAxis()->SetInverted(C.InvertLeft);
        Draw();
    }

    // Every answer of both searches at random mouse points, at the points
    // themselves and between neighbours.
    void ExpectSameAnswers(unsigned Seed)
    {
        ASSERT_EQ(fast->FirstValueIndex(), full->FirstValueIndex());
        ASSERT_EQ(fast->LastValueIndex(), full->LastValueIndex());
        std::mt19937 random(Seed);
        std::uniform_int_distribution<int> mx(-20, device.Width() + 20);
        std::uniform_int_distribution<int> my(-20, device.Height() + 20);
        std::uniform_int_distribution<int> pick(0, fast->Count() - 1);
        std::uniform_int_distribution<int> jitter(-6, 6);
        int hits = 0, found = 0;
        for (int k = 0; k < 1500; ++k) {
            int x, y;
            if (k % 3 == 0) {
                x = mx(random);
                y = my(random);
            } else {
                const int i = pick(random);
                const int j = std::min(i + 1, fast->Count() - 1);
                x = (fast->CalcXPos(i) + fast->CalcXPos(j)) / 2 + (k % 3 == 1 ? 0 : jitter(random));
                y = (fast->CalcYPos(i) + fast->CalcYPos(j)) / 2 + (k % 3 == 1 ? 0 : jitter(random));
            }
            const int hit = full->Clicked(x, y);
            ASSERT_EQ(fast->Clicked(x, y), hit) << "mouse " << x << "," << y;
            const int nearest = TNearestTool::GetNearestPoint(*full, x, y);
            ASSERT_EQ(TNearestTool::GetNearestPoint(*fast, x, y), nearest) << "mouse " << x << "," << y;
            hits += hit >= 0;
            found += nearest >= 0;
        }
        // the comparison saw both answers and misses
        EXPECT_GT(hits, 0);
        EXPECT_LT(hits, 1500);
        EXPECT_GT(found, hits);
    }

    // Build, the search path expected, the answers compared.
    void Check(const TCase& C, unsigned Seed, bool InOrder)
    {
        if (C.Horizontal)
            Build<THorizLineSeries>(C, Seed);
        else
            Build<TLineSeries>(C, Seed);
        EXPECT_EQ(fast->PositionsInOrder(), InOrder);
        ExpectSameAnswers(Seed + 10);
    }

    TCustomSeries* fast = nullptr;
    TCustomSeries* full = nullptr;
};

}  // namespace

TEST_F(TNearestSearchOrder, PlainLineMatchesFullScan) { Check({}, 1, true); }

TEST_F(TNearestSearchOrder, ManyPointsAPixelMatchFullScan) { Check({.Count = 5000}, 2, true); }

TEST_F(TNearestSearchOrder, PointsPastTheAxisRangeMatchFullScan) { Check({.Span = 30}, 3, true); }

TEST_F(TNearestSearchOrder, StairsMatchFullScan) { Check({.Stairs = true}, 4, true); }

TEST_F(TNearestSearchOrder, InvertedStairsMatchFullScan) { Check({.Stairs = true, .InvertedStairs = true}, 5, true); }

TEST_F(TNearestSearchOrder, InvertedAxesMatchFullScan) { Check({.InvertBottom = true, .InvertLeft = true}, 6, true); }

TEST_F(TNearestSearchOrder, PointersAreaAndNullsMatchFullScan)
{
    Check({.InvertBottom = true, .Pointer = true, .Area = true, .Nulls = true}, 7, true);
}

TEST_F(TNearestSearchOrder, PointsOnlyMatchFullScan) { Check({.Pointer = true, .ClickableLine = false}, 8, true); }

TEST_F(TNearestSearchOrder, HorizontalLineMatchesFullScan) { Check({.Horizontal = true, .Pointer = true}, 9, true); }

TEST_F(TNearestSearchOrder, HorizontalLineOnInvertedAxisMatchesFullScan)
{
    Check({.Horizontal = true, .Stairs = true, .InvertLeft = true}, 10, true);
}

TEST_F(TNearestSearchOrder, UnorderedPositionsAreScannedInFull) { Check({.Ordered = false}, 21, false); }

TEST_F(TNearestSearchOrder, ValuesRewrittenOutOfOrderAreScannedInFull)
{
    Build<TLineSeries>(TCase{}, 23);
    ASSERT_TRUE(fast->PositionsInOrder());
    for (TCustomSeries* s : {fast, full}) {
        s->XValues().SetValue(100, 9.5);
        s->XValues().SetValue(400, 0.5);
    }
    EXPECT_FALSE(fast->PositionsInOrder());
    Draw();
    ExpectSameAnswers(24);
}

TEST_F(TNearestSearchOrder, LogarithmicAxisWithValuesAtOrBelowZeroIsScannedInFull)
{
    Check({.LogAlong = true}, 25, false);
}

TEST_F(TNearestSearchOrder, LogarithmicAxisWithPositiveValuesMatchesFullScan)
{
    TCase c;
    c.LogAlong = true;
    Build<TLineSeries>(c, 27);
    for (TCustomSeries* s : {fast, full})
        for (int i = 0; i < s->Count(); ++i)
            if (s->XValues().Value(i) <= 0)
                s->XValues().SetValue(i, 0.05);
    Draw();
    EXPECT_TRUE(fast->PositionsInOrder());
    ExpectSameAnswers(28);
}

TEST_F(TNearestSearchOrder, NearestPointKeepsTheFirstOfEqualDistances)
{
    // pairs of points at one pixel: the first of each pair is answered
    auto* s = new TLineSeries(&owner);
    for (int i = 0; i < 100; ++i) {
        s->AddXY(i * 0.1, 50);
        s->AddXY(i * 0.1, 50);
    }
    chart.AddSeries(s);
    Draw();
    ASSERT_TRUE(s->PositionsInOrder());
    const int x = s->CalcXPos(80);
    const int y = s->CalcYPos(80);
    // off the line: the hit test answers nothing, the search the point
    EXPECT_EQ(s->Clicked(x, y - 3), -1);
    EXPECT_EQ(TNearestTool::GetNearestPoint(*s, x, y - 3), 80);
    EXPECT_EQ(TNearestTool::GetNearestPoint(*s, x + 1, y - 3), 80);
}

TEST_F(TNearestSearchOrder, UnorderedManyPointsMatchFullScanThroughTheIndex)
{
    Check({.Count = 20000, .Ordered = false}, 31, false);
    EXPECT_NE(fast->PointIndex(), nullptr);
}

TEST_F(TNearestSearchOrder, IndexFollowsAppendsRewritesAndDeletes)
{
    Build<TLineSeries>(TCase{.Count = 3000}, 33);
    ExpectSameAnswers(34);
    std::mt19937 random(35);
    std::uniform_real_distribution<double> value(-10.0, 110.0);
    for (int i = 0; i < 2000; ++i) {
        const double y = value(random);
        for (TCustomSeries* s : {fast, full})
            s->AddXY(10 + i * 0.001, y);
    }
    Draw();
    ExpectSameAnswers(36);
    for (TCustomSeries* s : {fast, full}) {
        s->YValues().SetValue(10, 50);
        s->XValues().SetValue(2500, 3.3);
        s->Delete(100);
        s->Delete(4000);
    }
    Draw();
    ExpectSameAnswers(37);
}

TEST_F(TNearestSearchOrder, ValuesThatAreNoNumberMatchFullScan)
{
    Build<TLineSeries>(TCase{.Count = 4000, .Ordered = false}, 39);
    for (TCustomSeries* s : {fast, full})
        for (int i = 5; i < s->Count(); i += 97) {
            s->XValues().SetValue(i, std::nan(""));
            s->YValues().SetValue(i + 1, std::nan(""));
        }
    Draw();
    ExpectSameAnswers(40);
}

TEST_F(TNearestSearchOrder, FastLineMatchesFullScanThroughTheIndex)
{
    for (bool ordered : {true, false}) {
        auto* quick = new TFastLineSeries(&owner);
        auto* scan = new TFullScan<TFastLineSeries>(&owner);
        std::mt19937 random(ordered ? 41 : 42);
        std::uniform_real_distribution<double> along(0, 10), value(-10, 110);
        std::vector<double> xs(6000);
        for (double& x : xs)
            x = std::round(along(random) * 40) / 40;
        if (ordered)
            std::sort(xs.begin(), xs.end());
        for (double x : xs) {
            const double y = value(random);
            quick->AddXY(x, y);
            scan->AddXY(x, y);
        }
        chart.AddSeries(quick);
        chart.AddSeries(scan);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
        Draw();
        ASSERT_NE(quick->PointIndex(), nullptr);
        std::uniform_int_distribution<int> mx(-20, device.Width() + 20), my(-20, device.Height() + 20);
        std::uniform_int_distribution<int> pick(0, quick->Count() - 2);
        int hits = 0;
        for (int k = 0; k < 1500; ++k) {
            int x = mx(random), y = my(random);
            if (k % 2) {
                const int i = pick(random);
                x = (quick->CalcXPos(i) + quick->CalcXPos(i + 1)) / 2;
                y = (quick->CalcYPos(i) + quick->CalcYPos(i + 1)) / 2;
            }
            const int hit = scan->Clicked(x, y);
            ASSERT_EQ(quick->Clicked(x, y), hit) << "mouse " << x << "," << y;
            ASSERT_EQ(TNearestTool::GetNearestPoint(*quick, x, y), TNearestTool::GetNearestPoint(*scan, x, y))
                << "mouse " << x << "," << y;
            hits += hit >= 0;
        }
        EXPECT_GT(hits, 0);
        EXPECT_LT(hits, 1500);
        chart.RemoveSeries(quick);
        chart.RemoveSeries(scan);
    }
}

TEST_F(TNearestSearchOrder, FastCalcAxesMatchFullScan)
{
    Build<TLineSeries>(TCase{.InvertLeft = true, .Count = 8000, .Ordered = false}, 43);
    chart.Axes().SetFastCalc(true);
    Draw();
    ExpectSameAnswers(44);
}
