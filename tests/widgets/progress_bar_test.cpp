#include "widgets/progress_bar.h"

#include <limits>
#include <gtest/gtest.h>

#include "recorder_install.h"
#include "testing/recording_device.h"

TEST(ProgBarArithmetic, ColourTableEntriesTruncate)
{
    // blue 0xFF0000 to red 0x0000FF; entry 512: f = 0.500489, red 127.62, blue 127.38
    EXPECT_EQ(ProgBarTableColor(clBlue, clRed, 0), clBlue);
    EXPECT_EQ(ProgBarTableColor(clBlue, clRed, 1023), clRed);
    EXPECT_EQ(ProgBarTableColor(clBlue, clRed, 512), 0x7F007Fu);
    EXPECT_EQ(ProgBarTableColor(clBlue, clRed, 1), 0xFE0000u);  // blue 254.75, red 0.249
    EXPECT_EQ(ProgBarTableColor(0x000000, 0xFFFFFF, 2000), 0xFFFFFFu);
}

TEST(ProgBarArithmetic, BarLengthHalvesToEven)
{
    EXPECT_EQ(ProgBarLength(100, 2.5, 0, 100), 2);
    EXPECT_EQ(ProgBarLength(100, 3.5, 0, 100), 4);
    EXPECT_EQ(ProgBarLength(292, 10, 0, 100), 29);  // 29.2
    EXPECT_EQ(ProgBarLength(292, 5, 5, 5), 0);
    EXPECT_EQ(ProgBarLength(292, -5, 0, 100), -15);  // -14.6
}

TEST(ProgBarArithmetic, ValueTexts)
{
    EXPECT_EQ(ProgBarValueText(10, 0), "10");
    EXPECT_EQ(ProgBarValueText(2.345, 2), "2.35");  // 2.345 taken to 15 digits rounds up
    EXPECT_EQ(ProgBarValueText(12345, -1), "1.2345E+04");
    EXPECT_EQ(ProgBarValueText(12345, -2), "1.2345E+0004");
    EXPECT_EQ(ProgBarValueText(-0.5, -1), "-5.0E-01");
    EXPECT_EQ(ProgBarValueText(1e150, -1), "*******");
}

class ProgBarTest : public ::testing::Test {
protected:
    platform::RecordingDevice& Rec() { return InstallRecorder(bar, 300, 28); }
    static std::vector<std::string> LineColours(const platform::RecordingDevice& rec)
    {
        std::vector<std::string> out;
        for (const auto& c : rec.CallsNamed("LineTo"))
            out.push_back(c.pen);
        return out;
    }
    TProgBar bar;
};

TEST_F(ProgBarTest, Defaults)
{
    EXPECT_EQ(bar.Width(), 300);
    EXPECT_EQ(bar.Height(), 28);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(bar.ColorMin(), clBlue);
    EXPECT_EQ(bar.ColorMax(), clRed);
    EXPECT_EQ(bar.TableColor(512), 0x7F007Fu);
}

TEST_F(ProgBarTest, PlainBarFromTheStartEdge)
{
    platform::RecordingDevice& rec = Rec();
    bar.SetValue(50);  // 146
    const auto rects = rec.CallsNamed("Rectangle");
    ASSERT_GE(rects.size(), 3u);
    EXPECT_EQ(rects[2].ToString(), "Rectangle(4,4,150,24)");
    EXPECT_EQ(rects[2].brush, "solid 0xFF0000");
    rec.ClearLog();
    bar.SetDirection(dirUpward);  // extent 20: 10
    EXPECT_EQ(rec.CallsNamed("Rectangle")[2].ToString(), "Rectangle(4,14,296,24)");
    rec.ClearLog();
    bar.SetValue(100);
    EXPECT_EQ(rec.CallsNamed("Rectangle")[2].ToString(), "Rectangle(4,4,296,24)");  // fills the area exactly
}

TEST_F(ProgBarTest, NoBarAtMinimumOrWithEqualBounds)
{
    platform::RecordingDevice& rec = Rec();
    bar.SetValue(0);
    for (const auto& c : rec.CallsNamed("Rectangle"))
        EXPECT_NE(c.brush, "solid 0xFF0000");
    rec.ClearLog();
    bar.SetMax(0);  // Min = Max
    bar.SetValue(7);
    for (const auto& c : rec.CallsNamed("Rectangle"))
        EXPECT_NE(c.brush, "solid 0xFF0000");
}

TEST_F(ProgBarTest, HugeValueDrawsOnlyThePixelsOnTheControl)
{
    bar.SetShowColorGradient(true);
    bar.SetColorMapMode(cgmCover);
    platform::RecordingDevice& rec = Rec();
    bar.SetValue(1e300);
    // one line per column from x = 4 to the right edge of the control
    EXPECT_EQ(rec.Count("LineTo"), 296 + 4 + 4);  // and the four lines of each bevelled frame
    const auto colours = LineColours(rec);
    EXPECT_EQ(colours[0], "solid 1 0xFF0000");
    EXPECT_EQ(colours[292], "solid 1 0x0000FF");  // the table ends at the area's end
    EXPECT_EQ(colours[295], "solid 1 0x0000FF");
    rec.ClearLog();
    bar.SetShowColorGradient(false);
    EXPECT_EQ(rec.CallsNamed("Rectangle")[2].ToString(), "Rectangle(4,4,300,24)");
}

TEST_F(ProgBarTest, MarginsBeyondIntDrawTheBarToTheAreasEnd)
{
    platform::RecordingDevice& rec = Rec();
    bar.SetMarginLeft(std::numeric_limits<int>::min());
    bar.SetValue(100);
    bool full = false;
    for (const auto& c : rec.CallsNamed("Rectangle"))
        full = full || (c.brush == "solid 0xFF0000" && c.ToString().find(",4,296,24)") != std::string::npos);
    EXPECT_TRUE(full);
}

TEST_F(ProgBarTest, ColourMappingModes)
{
    platform::RecordingDevice& rec = Rec();
    bar.SetShowColorGradient(true);  // value 10: 29 columns
    auto colours = LineColours(rec);
    ASSERT_EQ(colours.size(), 29u + 8u);
    EXPECT_EQ(colours[0], "solid 1 0xFF0000");
    // stretch: the last column holds entry round(28 * 1023 / 29) = 988
    EXPECT_EQ(colours[28], "solid 1 " + platform::RecordingDevice::ColorText(ProgBarTableColor(clBlue, clRed, 988)));
    rec.ClearLog();
    bar.SetColorMapMode(cgmCover);  // entry round(28 * 1023 / 292) = 98
    colours = LineColours(rec);
    EXPECT_EQ(colours[28], "solid 1 " + platform::RecordingDevice::ColorText(ProgBarTableColor(clBlue, clRed, 98)));
    rec.ClearLog();
    bar.SetColorMapMode(cgmMove);  // always ends in ColorMax
    colours = LineColours(rec);
    EXPECT_EQ(colours[28], "solid 1 0x0000FF");
}

TEST_F(ProgBarTest, GridOverTheFilledPartOnly)
{
    platform::RecordingDevice& rec = Rec();
    bar.SetGridDist(1);
    const int frameLines = rec.Count("LineTo");
    rec.ClearLog();
    bar.SetGridDist(10);  // bar of 29 columns: x = 4, 14, 24
    EXPECT_EQ(rec.Count("LineTo"), frameLines + 3);
    EXPECT_EQ(rec.Count("LineTo"), 4 + 4 + 3);
}

TEST_F(ProgBarTest, TextAnchorsAtZeroAndNinetyDegrees)
{
    // fixed metrics: "10" is 12 x 13 (em 11), so hw = 6, hh = 6
    platform::RecordingDevice& rec = Rec();
    bar.SetTextAngle(0);
    EXPECT_EQ(rec.CallsNamed("TextOut").back().ToString(), "TextOut(8,8,10)");
    rec.ClearLog();
    bar.SetTextAlignment(taRightJustify);
    EXPECT_EQ(rec.CallsNamed("TextOut").back().ToString(), "TextOut(2,8,10)");
    rec.ClearLog();
    bar.SetTextAlignment(taCenter);
    bar.SetTextAngle(90);
    EXPECT_EQ(rec.CallsNamed("TextOut").back().ToString(), "TextOut(8,20,10)");
    EXPECT_EQ(rec.GetFont().escapement, 900);
    rec.ClearLog();
    bar.SetTextAlignment(taLeftJustify);
    EXPECT_EQ(rec.CallsNamed("TextOut").back().ToString(), "TextOut(8,14,10)");
}

TEST_F(ProgBarTest, ShowValueHandlerChangesTheText)
{
    bar.OnShowValue = [](TProgBar*, std::string& text) { text += " %"; };
    platform::RecordingDevice& rec = Rec();
    bar.SetTextDecPlaces(1);
    EXPECT_EQ(rec.CallsNamed("TextOut").back().args.back(), "10.0 %");
}

TEST_F(ProgBarTest, SettersLimit)
{
    bar.SetTextAngle(400);
    EXPECT_EQ(bar.TextAngle(), 360);
    bar.SetTextDecPlaces(-5);
    EXPECT_EQ(bar.TextDecPlaces(), -2);
    bar.SetTextPosX(1000);
    EXPECT_EQ(bar.TextPosX(), 300);
    bar.SetTextPosY(-3);
    EXPECT_EQ(bar.TextPosY(), 0);
    bar.SetBackGroundImg("/no/such/file.bmp");
    EXPECT_EQ(bar.BackGroundImg(), "");
}
