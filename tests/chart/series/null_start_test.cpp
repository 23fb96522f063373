// Null points at the start of a line, painted on a whole chart: no segment
// reaches them, on the first paint or on any after it, for the line series
// and for the fast line that treats its nulls.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "testing/recording_device.h"

namespace {

struct TSegment {
    int X0, Y0, X1, Y1;
    bool operator==(const TSegment&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TSegment& S)
{
    return Out << "(" << S.X0 << "," << S.Y0 << ")-(" << S.X1 << "," << S.Y1 << ")";
}

// A chart of four points at x = 0..3, the axes fixed, painted whole onto a
// recording device.
class NullStart : public ::testing::Test {
protected:
    NullStart()
    {
        chart.resize(400, 300);
        chart.SetView3D(false);
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(false);
        chart.BottomAxis()->SetAutomatic(false);
        chart.BottomAxis()->SetMinMax(0, 3);
        chart.LeftAxis()->SetAutomatic(false);
        chart.LeftAxis()->SetMinMax(0, 100);
    }
    // Point 0 null unless said, the others at 20, 80, 40.
    void Fill(TChartSeries& S, bool NullFirst = true)
    {
        S.SetSeriesColor(clRed);
        S.AddXY(0, 50, "", NullFirst ? clNone : clDefault);
        S.AddXY(1, 20);
        S.AddXY(2, 80);
        S.AddXY(3, 40);
        chart.AddSeries(&S);
    }
    // The segments the paint drew in Colour.
    std::vector<TSegment> Paint(TColor Colour = clRed)
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, 400, 300});
        const std::string colour = " " + platform::RecordingDevice::ColorText(Colour);
        // the pen's colour is a word of its own
        const auto inColour = [&](const platform::RecordedCall& C) {
            const std::size_t at = C.pen.find(colour);
            return at != std::string::npos
                   && (at + colour.size() == C.pen.size() || C.pen[at + colour.size()] == ' ');
        };
        std::vector<TSegment> out;
        int x = 0, y = 0;
        for (const platform::RecordedCall& c : device.Calls()) {
            if (c.name == "MoveTo") {
                x = std::stoi(c.args[0]);
                y = std::stoi(c.args[1]);
            } else if (c.name == "LineTo") {
                const int tx = std::stoi(c.args[0]), ty = std::stoi(c.args[1]);
                if (inColour(c))
                    out.push_back({x, y, tx, ty});
                x = tx;
                y = ty;
            } else {
                EXPECT_FALSE(c.drawing && inColour(c) && c.name.find("Poly") == 0)
                    << c.ToStringWithState();
            }
        }
        return out;
    }
    // A fast line in Colour skipping nulls, point 1 null.
    TFastLineSeries* SkippingFastLine(TColor Colour)
    {
        auto* fast = new TFastLineSeries(&form);
        Fill(*fast, false);
        fast->SetSeriesColor(Colour);
        fast->SetValueColor(1, clNone);
        fast->SetIgnoreNulls(false);
        fast->SetTreatNulls(tnSkip);
        return fast;
    }
    // The segment from point A to point B of S.
    static TSegment Between(const TChartSeries& S, int A, int B)
    {
        return {S.CalcXPos(A), S.CalcYPos(A), S.CalcXPos(B), S.CalcYPos(B)};
    }
    // The segments 1-2 and 2-3 only, on two paints one after the other.
    void ExpectOnlyTheShownPointsJoined(const TChartSeries& S)
    {
        for (int paint = 1; paint <= 2; ++paint) {
            SCOPED_TRACE("paint " + std::to_string(paint));
            const std::vector<TSegment> drawn = Paint();
            EXPECT_EQ(drawn, (std::vector<TSegment>{Between(S, 1, 2), Between(S, 2, 3)}));
        }
    }

    QObject form;
    TChart chart;
    platform::RecordingDevice device{400, 300};
};

TEST_F(NullStart, LineSkippingNullsStartsAtItsFirstShownPoint)
{
    for (bool pointers : {false, true}) {
        SCOPED_TRACE(pointers ? "with pointers" : "without pointers");
        auto* s = new TLineSeries(&form);
        Fill(*s);
        s->SetTreatNulls(tnSkip);
        s->Pointer().SetVisible(pointers);
        ExpectOnlyTheShownPointsJoined(*s);
        // a null in the middle is still skipped over
        s->SetValueColor(2, clNone);
        for (int paint = 1; paint <= 2; ++paint) {
            const std::vector<TSegment> drawn = Paint();
            EXPECT_EQ(drawn, (std::vector<TSegment>{Between(*s, 1, 3)}));
        }
        chart.RemoveSeries(s);
        delete s;
    }
}

TEST_F(NullStart, LineSkippingNullsJoinsThePointBeforeTheAxisAcrossANullFirstShown)
{
    // point 0 shown off the chart, point 1 the first on it and null: skipped
    // over, as the fast line skips it
    chart.BottomAxis()->SetMinMax(0.5, 3);
    auto* s = new TLineSeries(&form);
    Fill(*s, false);
    s->SetValueColor(1, clNone);
    s->SetTreatNulls(tnSkip);
    SkippingFastLine(clBlue);
    for (int paint = 1; paint <= 2; ++paint) {
        SCOPED_TRACE("paint " + std::to_string(paint));
        const std::vector<TSegment> drawn = Paint();
        EXPECT_EQ(drawn, (std::vector<TSegment>{Between(*s, 0, 2), Between(*s, 2, 3)}));
        EXPECT_EQ(Paint(clBlue), drawn);
    }
    // with nothing shown before it, the line starts after it
    s->SetValueColor(0, clNone);
    for (int paint = 1; paint <= 2; ++paint) {
        const std::vector<TSegment> drawn = Paint();
        EXPECT_EQ(drawn, (std::vector<TSegment>{Between(*s, 2, 3)}));
    }
}

TEST_F(NullStart, LineNotPaintingNullsStartsAtItsFirstShownPoint)
{
    auto* s = new TLineSeries(&form);
    Fill(*s);
    ASSERT_EQ(s->TreatNulls(), tnDontPaint);
    ExpectOnlyTheShownPointsJoined(*s);
}

class FastLineNullStart : public NullStart, public ::testing::WithParamInterface<std::tuple<TTreatNullsStyle, bool>> {};

TEST_P(FastLineNullStart, JoinsNoNullFirstPoint)
{
    const auto [treat, beforeAxis] = GetParam();
    // the null point is the first, or the one just before the first shown
    if (beforeAxis)
        chart.BottomAxis()->SetMinMax(0.5, 3);
    auto* s = new TFastLineSeries(&form);
    Fill(*s);
    s->SetIgnoreNulls(false);
    s->SetTreatNulls(treat);
    ExpectOnlyTheShownPointsJoined(*s);
}

INSTANTIATE_TEST_SUITE_P(NullStart, FastLineNullStart,
                         ::testing::Combine(::testing::Values(tnSkip, tnDontPaint), ::testing::Bool()));

TEST_F(NullStart, FastLineSkippingANullBeforeTheAxisEntersFromTheShownPointBeforeIt)
{
    // point 1 null just before the first point on the chart: the line enters
    // from point 0, the shown point before it
    chart.BottomAxis()->SetMinMax(1.5, 3);
    TFastLineSeries* fast = SkippingFastLine(clRed);
    for (int paint = 1; paint <= 2; ++paint) {
        SCOPED_TRACE("paint " + std::to_string(paint));
        const std::vector<TSegment> drawn = Paint();
        EXPECT_EQ(drawn, (std::vector<TSegment>{Between(*fast, 0, 2), Between(*fast, 2, 3)}));
    }
    // with nothing shown before it, the line starts on the chart
    fast->SetValueColor(0, clNone);
    const std::vector<TSegment> drawn = Paint();
    EXPECT_EQ(drawn, (std::vector<TSegment>{Between(*fast, 2, 3)}));
}

}  // namespace
