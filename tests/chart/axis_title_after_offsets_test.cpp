// An axis whose limits the offsets move gets labels of other widths: its
// title then stands just beyond those labels, not where the first sizing
// left it.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/series/point_series.h"
#include "testing/recording_device.h"

namespace {

class AxisTitleAfterOffsets : public ::testing::Test {
protected:
    AxisTitleAfterOffsets()
    {
        chart.SetBufferedDisplay(false);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        auto* points = new TPointSeries(&chart);
        chart.AddSeries(points);
        for (int i = 1; i <= 9; ++i)
            points->AddXY(i, i);
        chart.LeftAxis()->Title()->SetCaption("Mean");
    }
    void Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, 400, 300});
    }
    // The x of the left axis title's text output.
    int TitleX() const
    {
        for (const auto& c : device.Calls())
            if ((c.name == "TextOut" || c.name == "RotatedTextOut") && c.args.size() >= 3 && c.args[2] == "Mean")
                return std::stoi(c.args[0]);
        return -1;
    }

    TChart chart;
    platform::RecordingDevice device{400, 300};
};

}  // namespace

TEST_F(AxisTitleAfterOffsets, TheTitleMovesBeyondTheWiderLabels)
{
    TChartAxis& left = *chart.LeftAxis();
    Draw();
    const int plainLabels = left.SizeLabels();
    const int plainTitle = left.PosTitle;
    const int plainX = TitleX();
    ASSERT_GE(plainX, 0);

    // the top limit climbs past 10: two-digit labels
    left.SetMaximumOffset(150);
    Draw();
    const int wider = left.SizeLabels();
    ASSERT_GT(wider, plainLabels);
    // out of the way of the wider labels (measured again as they are drawn)
    EXPECT_LT(left.PosTitle, plainTitle);
    EXPECT_NEAR(left.PosTitle, left.PosLabels - wider, 2);
    // the text itself moved out by as much as the title position
    EXPECT_EQ(TitleX() - plainX, left.PosTitle - plainTitle);
}
