// Series drawn by a whole paint of a chart onto the recording device: the
// outline of flat candles, and points a BeforeDrawValues handler deletes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/series/candle_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "testing/recording_device.h"

namespace {

class SeriesPaint : public ::testing::Test {
protected:
    SeriesPaint()
    {
        chart.SetView3D(false);
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(false);
    }
    ~SeriesPaint() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }
    void Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, device.Width(), device.Height()});
    }
    static std::string ColourOf(const std::string& State)
    {
        return State.substr(State.rfind(' ') + 1);
    }
    static std::string Text(TColor Colour) { return platform::RecordingDevice::ColorText(Colour); }
    // The segments of the last draw in a pen of that colour.
    std::vector<std::string> SegmentsIn(TColor Colour) const
    {
        std::vector<std::string> out;
        for (const platform::RecordedCall& call : device.CallsNamed("LineTo"))
            if (ColourOf(call.pen) == Text(Colour))
                out.push_back(call.ToString());
        return out;
    }

    QObject owner;
    platform::RecordingDevice device{640, 480};
    TChart chart;
};

}  // namespace

// A flat candle (open = close) is outlined in its own colour, up or down;
// the others in the pen's.
TEST_F(SeriesPaint, FlatCandleOutlinedInItsOwnColour)
{
    auto* s = new TCandleSeries(&owner);
    chart.AddSeries(s);
    s->SetUpCloseColor(clLime);
    s->SetDownCloseColor(clRed);
    s->AddOHLC(0, 15, 18, 12, 15);  // flat, the first: up
    s->AddOHLC(1, 10, 22, 8, 20);   // up
    s->AddOHLC(2, 20, 22, 8, 10);   // down
    s->AddOHLC(3, 8, 9, 6, 8);      // flat below the last close: down
    ASSERT_EQ(s->Pen().Color(), clBlack);
    Draw();
    // the bodies: rectangles as wide as a candle
    std::vector<std::string> outlines, fills;
    for (const platform::RecordedCall& call : device.CallsNamed("Rectangle"))
        if (std::stoi(call.args[2]) - std::stoi(call.args[0]) <= s->CandleWidth() + 1) {
            outlines.push_back(ColourOf(call.pen));
            fills.push_back(ColourOf(call.brush));
        }
    EXPECT_EQ(fills, (std::vector<std::string>{Text(clLime), Text(clLime), Text(clRed), Text(clRed)}));
    EXPECT_EQ(outlines, (std::vector<std::string>{Text(clLime), Text(clBlack), Text(clBlack), Text(clRed)}));
}

// A handler that deletes points before the values are drawn leaves the
// series to draw the points it still has: the drawn range follows it.
TEST_F(SeriesPaint, PointsDeletedBeforeTheValuesAreDrawnAreNotDrawn)
{
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "TFastLineSeries" : "TLineSeries");
        TChartSeries* s = fast ? static_cast<TChartSeries*>(new TFastLineSeries(&owner)) : new TLineSeries(&owner);
        chart.AddSeries(s);
        s->SetSeriesColor(clRed);
        for (int i = 0; i < 20; ++i)
            s->AddXY(i, i % 4);
        s->BeforeDrawValues = [](TChartSeries& Series) {
            if (Series.Count() > 5)
                Series.DeleteRange(5, Series.Count() - 5);
        };
        Draw();
        ASSERT_EQ(s->Count(), 5);
        std::vector<std::string> segments;
        for (int i = 1; i < 5; ++i)
            segments.push_back("LineTo(" + std::to_string(s->CalcXPos(i)) + "," + std::to_string(s->CalcYPos(i)) + ")");
        EXPECT_EQ(SegmentsIn(clRed), segments);
        EXPECT_EQ(s->LastValueIndex(), 4);
        chart.RemoveSeries(s);
        delete s;
    }
}
