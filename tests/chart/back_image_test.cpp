#include "chart/back_image.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image_panel.h"
#include "chart/plot_panel_extended.h"
#include "testing/recording_device.h"

namespace {

TBitmap Picture(int w, int h, TColor c)
{
    TBitmap b(w, h);
    b.Fill(c);
    return b;
}

}  // namespace

class TBackImageDraw : public ::testing::Test {
protected:
    void Draw(TPlotBackImageMode mode, const TBitmap& image, const TRect& r)
    {
        panel.SetBufferedDisplay(false);
        panel.BackImage()->SetGraphic(&image);
        panel.BackImage()->SetMode(mode);
        panel.OnDraw = [&] {
            device.ClearLog();
            panel.BackImage()->Draw(panel, r, 0);
        };
        panel.Draw(&device, TRect{0, 0, 200, 150});
    }
    std::vector<std::string> Drawn() const
    {
        std::vector<std::string> out;
        for (const auto& c : device.CallsNamed("DrawBitmap"))
            out.push_back(c.ToString());
        return out;
    }
    TImagePanel panel;
    platform::RecordingDevice device{200, 150};
};

TEST_F(TBackImageDraw, TilingStopsAtTheRightAndBottomEdges)
{
    Draw(pbmTile, Picture(30, 20, clGreen), TRect{10, 5, 110, 55});
    const std::vector<std::string> expected = {
        "DrawBitmap(10,5,30x20)",  "DrawBitmap(40,5,30x20)",  "DrawBitmap(70,5,30x20)",  "DrawBitmap(100,5,30x20)",
        "DrawBitmap(10,25,30x20)", "DrawBitmap(40,25,30x20)", "DrawBitmap(70,25,30x20)", "DrawBitmap(100,25,30x20)",
        "DrawBitmap(10,45,30x20)", "DrawBitmap(40,45,30x20)", "DrawBitmap(70,45,30x20)", "DrawBitmap(100,45,30x20)"};
    EXPECT_EQ(Drawn(), expected);
    // clipped to the rectangle, and unclipped after
    EXPECT_GE(device.Count("ExtSelectClipRgn") + device.Count("SelectClipRgn") + device.Count("IntersectClipRect"), 1)
        << ::testing::PrintToString(device.Lines());
}

TEST_F(TBackImageDraw, EmptyImageDrawsNothing)
{
    Draw(pbmTile, TBitmap(0, 20), TRect{0, 0, 100, 50});
    EXPECT_TRUE(Drawn().empty());
    EXPECT_FALSE(panel.HasBackImage());
}

TEST_F(TBackImageDraw, CustomModeDrawsAtTheOffsetAfterTheBackFill)
{
    panel.BackImage()->SetLeft(10);
    panel.BackImage()->SetTop(5);
    Draw(pbmCustom, Picture(30, 20, clGreen), TRect{20, 30, 120, 90});
    EXPECT_EQ(Drawn(), std::vector<std::string>{"DrawBitmap(30,35,30x20)"});
    const auto lines = device.DrawingLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[0].find("FillRect"), std::string::npos) << lines[0];
}

TEST_F(TBackImageDraw, CentreModeHalvesTheSpareRoom)
{
    Draw(pbmCenter, Picture(31, 20, clGreen), TRect{0, 0, 100, 51});
    // (100 - 31) div 2 = 34, (51 - 20) div 2 = 15
    EXPECT_EQ(Drawn(), std::vector<std::string>{"DrawBitmap(34,15,31x20)"});
}

TEST_F(TBackImageDraw, StretchFillsTheRectangle)
{
    Draw(pbmStretch, Picture(30, 20, clGreen), TRect{5, 6, 105, 86});
    ASSERT_EQ(device.Count("StretchDrawBitmap"), 1);
    EXPECT_TRUE(Drawn().empty());
}

TEST(TBackImageTest, SettersNotifyOnlyOnChange)
{
    TBackImage image;
    int changes = 0;
    image.OnChange = [&] { ++changes; };
    image.SetMode(pbmStretch);
    image.SetInside(false);
    EXPECT_EQ(changes, 0);
    image.SetMode(pbmCenter);
    image.SetTop(4);
    EXPECT_EQ(changes, 2);
    TBackImage copy;
    copy.Assign(&image);
    EXPECT_EQ(copy.Mode(), pbmCenter);
    EXPECT_EQ(copy.Top(), 4);
}

