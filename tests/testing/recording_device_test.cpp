#include "testing/recording_device.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(RecordingDeviceLog, LogsDrawingCallsWithArguments)
{
    RecordingDevice dev(100, 80);
    dev.SelectPen(PenDesc::Solid(clRed, 1));
    dev.SelectBrush(BrushDesc::Solid(clYellow));
    dev.Rectangle(1, 2, 30, 40);
    dev.MoveTo(5, 6);
    dev.LineTo(50, 60);
    const Point pts[] = {{0, 0}, {10, 0}, {10, 10}};
    dev.Polygon(pts, 3);
    dev.TextOut(3, 4, "Hi");

    const std::vector<std::string> expected = {"Rectangle(1,2,30,40)", "LineTo(50,60)", "Polygon(0,0 10,0 10,10)",
                                               "TextOut(3,4,Hi)"};
    EXPECT_EQ(dev.DrawingLines(), expected);
    EXPECT_EQ(dev.Lines().front(), "SelectPen(solid 1 0x0000FF)");
    EXPECT_EQ(dev.Count("MoveTo"), 1);
    EXPECT_EQ(dev.GetCurrentPosition(), (Point{50, 60}));

    const auto rects = dev.CallsNamed("Rectangle");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].pen, "solid 1 0x0000FF");
    EXPECT_EQ(rects[0].brush, "solid 0x00FFFF");
    EXPECT_EQ(rects[0].ToStringWithState(),
              "Rectangle(1,2,30,40) pen=[solid 1 0x0000FF] brush=[solid 0x00FFFF] font=[Arial -11 400]");
}

TEST(RecordingDeviceLog, StateTextsOfPensBrushesFontsAndRegions)
{
    EXPECT_EQ(RecordingDevice::PenText(PenDesc::Geometric(PenStyle::UserStyle, 1, clBlack, PenEndCap::Flat,
                                                          PenJoin::Miter, {0, 3})),
              "geometric user 1 0x000000 flat miter {0,3}");
    EXPECT_EQ(RecordingDevice::BrushText(BrushDesc::Hatched(HatchStyle::Cross, clBlue)), "hatch cross 0xFF0000");
    EXPECT_EQ(RecordingDevice::BrushText(BrushDesc::NullBrush()), "null");
    FontDesc f;
    f.name = "Tahoma";
    f.height = -13;
    f.weight = 700;
    f.escapement = 900;
    EXPECT_EQ(RecordingDevice::FontText(f), "Tahoma -13 700 esc900");

    RecordingDevice dev(50, 50);
    dev.ExtSelectClipRgn(Region::FromEllipse({0, 0, 10, 10}), ClipCombine::Diff);
    ASSERT_TRUE(dev.GetClipRgn().has_value());
    // with no clip set, the combination starts from the whole device
    EXPECT_EQ(dev.GetClipRgn()->Describe(), "diff(rect(0,0,50,50),ellipse(0,0,10,10))");
    EXPECT_EQ(dev.Lines().back(), "ExtSelectClipRgn(ellipse(0,0,10,10),diff)");
    EXPECT_EQ(dev.GetClipBox(), (Rect{0, 0, 50, 50}));
    dev.SelectClipRgn(Region::FromEllipse({5, 6, 15, 26}));
    EXPECT_EQ(dev.GetClipBox(), (Rect{5, 6, 15, 26}));
    dev.SelectClipRgn(std::nullopt);
    EXPECT_FALSE(dev.GetClipRgn().has_value());
}

TEST(RecordingDeviceLog, PathCallsAreNotCountedAsDrawingUntilStroked)
{
    RecordingDevice dev;
    dev.BeginPath();
    dev.Rectangle(0, 0, 10, 10);
    dev.EndPath();
    dev.StrokeAndFillPath();
    EXPECT_EQ(dev.DrawingLines(), std::vector<std::string>{"StrokeAndFillPath()"});
    EXPECT_EQ(dev.Count("Rectangle"), 1);
}

TEST(RecordingDeviceMetrics, FixedTextMetricsFollowTheFontHeight)
{
    RecordingDevice dev;
    FontDesc f;
    f.height = FontHeightFromPoints(8);  // -11
    dev.SelectFont(f);
    const TextMetrics tm = dev.GetTextMetrics();
    EXPECT_EQ(tm.ascent, 11);
    EXPECT_EQ(tm.descent, 2);
    EXPECT_EQ(tm.height, 13);
    EXPECT_EQ(dev.GetTextExtent("Hello"), (Size{5 * 6, 13}));
    // inter-character spacing adds its pixels per character; UTF-8 counts code points
    dev.SetTextCharacterExtra(2);
    EXPECT_EQ(dev.GetTextExtent("añ").cx, 2 * 8);
    EXPECT_EQ(dev.GetTextExtent("").cx, 0);

    // text at the current position moves it past the text
    dev.SetTextCharacterExtra(0);
    dev.MoveTo(100, 10);
    dev.SetTextAlign(TextAlign::UpdateCP);
    dev.TextOut(0, 0, "abc");
    EXPECT_EQ(dev.GetCurrentPosition(), (Point{118, 10}));
    dev.SetTextAlign(TextAlign::UpdateCP | TextAlign::Right);
    dev.TextOut(0, 0, "ab");
    EXPECT_EQ(dev.GetCurrentPosition(), (Point{106, 10}));
}

TEST(RecordingDevicePixels, SetPixelRespectsClipAndFillRectWritesSolidBrush)
{
    RecordingDevice dev(20, 20);
    EXPECT_EQ(dev.GetPixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dev.GetPixel(0, 0), clWhite);
    dev.IntersectClipRect(5, 5, 10, 10);
    EXPECT_EQ(dev.SetPixel(4, 4, clRed), 0xFFFFFFFFu);
    EXPECT_EQ(dev.SetPixel(5, 5, clRed), clRed);
    EXPECT_EQ(dev.GetPixel(4, 4), clWhite);
    EXPECT_EQ(dev.GetPixel(5, 5), clRed);
    dev.SelectClipRgn(std::nullopt);
    dev.SelectBrush(BrushDesc::Solid(clBlue));
    dev.FillRect({2, 2, 4, 3});
    EXPECT_EQ(dev.GetPixel(2, 2), clBlue);
    EXPECT_EQ(dev.GetPixel(3, 2), clBlue);
    EXPECT_EQ(dev.GetPixel(4, 2), clWhite);
    EXPECT_EQ(dev.GetPixel(2, 3), clWhite);
    dev.FillRect({8, 8, 6, 9});  // inverted: nothing
    EXPECT_EQ(dev.GetPixel(7, 8), clWhite);
}

TEST(RecordingDevicePixels, BlitsAndBlendsWriteTheSurface)
{
    RecordingDevice dev(10, 10);
    Bitmap src(2, 1, ColorToArgb(clBlack));
    src.SetPixel(1, 0, clRed);
    dev.StretchBlt(0, 0, 4, 2, src, 0, 0, 2, 1, Rop3::SrcCopy);
    EXPECT_EQ(dev.GetPixel(1, 1), clBlack);
    EXPECT_EQ(dev.GetPixel(2, 0), clRed);
    EXPECT_EQ(dev.GetPixel(4, 0), clWhite);
    // transparency 100: the captured background comes back whole
    const Bitmap white(3, 3, 0xFFFFFFFFu);
    dev.AlphaBlend(0, 0, 3, 3, white, 0, 0, 3, 3, 255);
    EXPECT_EQ(dev.GetPixel(1, 1), clWhite);
    dev.AlphaBlend(5, 5, 1, 1, Bitmap(1, 1, 0xFF000000u), 0, 0, 1, 1, 128);
    EXPECT_EQ(dev.GetPixel(5, 5), RGB(127, 127, 127));
    EXPECT_EQ(dev.Count("AlphaBlend"), 2);
}

TEST(RecordingDevicePixels, HugeFillsTouchOnlyTheSurface)
{
    const int big = 2000000000;
    RecordingDevice dev(30, 20);
    dev.SelectBrush(BrushDesc::Solid(clRed));
    dev.FillRect({-big, -big, big, big});
    EXPECT_EQ(dev.GetPixel(0, 0), clRed);
    EXPECT_EQ(dev.GetPixel(29, 19), clRed);
    dev.FillRectWith({-big, 5, big, 6}, BrushDesc::Solid(clBlue));
    EXPECT_EQ(dev.GetPixel(17, 5), clBlue);
    EXPECT_EQ(dev.GetPixel(17, 6), clRed);
    dev.PatBlt(-big, -big, big + 1, big + 1, Rop3::Blackness);
    EXPECT_EQ(dev.GetPixel(0, 0), clBlack);
    EXPECT_EQ(dev.GetPixel(1, 1), clRed);
    // an inverted rectangle fills nothing
    dev.FillRect({10, 10, 5, 15});
    EXPECT_EQ(dev.GetPixel(7, 12), clRed);
    dev.StretchDrawBitmap({-big / 2, -big / 2, big / 2, big / 2}, Bitmap(2, 2, 0xFF00FF00u));
    EXPECT_EQ(dev.GetPixel(3, 3), clLime);
}
