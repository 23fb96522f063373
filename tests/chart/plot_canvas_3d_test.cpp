#include "chart/plot_canvas_3d.h"

#include <gtest/gtest.h>

#include <optional>

#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_gradient.h"
#include "chart/plot_shadow.h"
#include "chart/view3d_options.h"
#include "platform/qt_drawing_device.h"
#include "testing/recording_device.h"
#include "support/recording_canvas.h"
#include "support/pixel_compare.h"

namespace {

class CanvasOnRecorder : public CanvasOnRecorderTest {};

TEST_F(CanvasOnRecorder, RectangleWithChartPenAndBrush)
{
    TChartPen pen;
    pen.SetColor(clRed);
    TChartBrush brush;
    canvas.AssignPen(&pen);
    canvas.AssignBrush(&brush, clYellow);  // default-colour brush takes the element's colour
    canvas.Rectangle(10, 20, 30, 40);
    canvas.Rectangle(11, 21, 31, 41);  // state unchanged: no new selections
    EXPECT_EQ(Log(), (Lines{"SetBkMode(transparent)", "SelectPen(solid 1 0x0000FF)", "SelectBrush(solid 0x00FFFF)",
                            "Rectangle(10,20,30,40)", "Rectangle(11,21,31,41)"}));
}

TEST_F(CanvasOnRecorder, BrushWithBackColourIsOpaque)
{
    TChartBrush brush;
    brush.SetStyle(bsCross);
    brush.SetBackColor(clGreen);
    canvas.AssignBrushOwnColors(&brush);  // back colour fills, colour becomes the background
    canvas.FillRect(TRect{0, 0, 5, 5});
    EXPECT_EQ(Log(), (Lines{"SetBkMode(opaque)", "SetBkColor(0x20000000)", "SelectBrush(hatch cross 0x008000)",
                            "FillRect(0,0,5,5)"}));
}

TColor SelectedPatternPixel(const platform::RecordingDevice& device)
{
    const auto& pattern = device.GetBrush().pattern;
    return pattern ? pattern->Pixel(0, 0) : clNone;
}

TEST_F(CanvasOnRecorder, ChangedPatternBitmapIsDrawnAnew)
{
    TBitmap bitmap(8, 8);
    bitmap.Fill(clRed);
    TChartBrush brush;
    brush.SetBitmap(&bitmap);
    canvas.AssignBrush(&brush, clBlack);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(SelectedPatternPixel(device), clRed);

    bitmap.Fill(clBlue);  // same bitmap, same address, new pixels
    canvas.AssignBrush(&brush, clBlack);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(SelectedPatternPixel(device), clBlue);

    bitmap.ScanLine(0)[0] = 0x00;  // written through a row pointer: blue byte 0
    bitmap.ScanLine(0)[2] = 0xFF;  // red byte
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(SelectedPatternPixel(device), clRed);
}

TEST_F(CanvasOnRecorder, NewBitmapAtAnOldAddressIsNoStalePattern)
{
    std::optional<TBitmap> bitmap(std::in_place, 4, 4);
    bitmap->Fill(clLime);
    canvas.Brush()->SetBitmap(&*bitmap);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(SelectedPatternPixel(device), clLime);

    bitmap.emplace(4, 4);  // freed, another one built in the same place
    bitmap->Fill(clYellow);
    // the freed bitmap left the brush: the new one is no pattern until set
    EXPECT_EQ(canvas.Brush()->Bitmap(), nullptr);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_NE(SelectedPatternPixel(device), clLime);
    EXPECT_NE(SelectedPatternPixel(device), clYellow);
    canvas.Brush()->SetBitmap(&*bitmap);
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(SelectedPatternPixel(device), clYellow);
}

TEST_F(CanvasOnRecorder, UnchangedPatternIsNotRebuilt)
{
    TBitmap bitmap(4, 4);
    bitmap.Fill(clRed);
    canvas.Brush()->SetBitmap(&bitmap);
    canvas.FillRect(TRect{0, 0, 10, 10});
    const platform::Bitmap* first = device.GetBrush().pattern.get();
    canvas.FillRect(TRect{0, 0, 10, 10});
    EXPECT_EQ(device.GetBrush().pattern.get(), first);
}

TEST_F(CanvasOnRecorder, LinesWithThePenVariants)
{
    TChartPen pen;
    pen.SetWidth(3);
    pen.SetEndStyle(esFlat);
    pen.SetColor(clBlue);
    canvas.AssignPen(&pen);
    canvas.Line(1, 2, 3, 4);
    pen.SetSmallDots(true);
    pen.SetSmallSpace(2);
    canvas.AssignPen(&pen);
    canvas.HorizLine(0, 10, 5);
    pen.SetSmallSpace(0);
    canvas.AssignPen(&pen);
    canvas.VertLine(7, 0, 9);
    pen.SetSmallDots(false);
    pen.SetWidth(1);
    pen.SetStyle(psDot);
    pen.SetMode(pmXor);
    canvas.AssignPenColor(&pen, clGreen);
    canvas.LineTo(20, 20);
    pen.Hide();
    canvas.AssignPen(&pen);
    canvas.LineTo(30, 30);
    EXPECT_EQ(Log(), (Lines{"MoveTo(1,2)", "SelectPen(geometric solid 3 0xFF0000 flat miter)", "LineTo(3,4)",
                            "MoveTo(0,5)", "SelectPen(geometric user 1 0xFF0000 round round {0,3})",
                            "LineTo(10,5)", "MoveTo(7,0)", "SelectPen(alternate 1 0xFF0000)", "LineTo(7,9)",
                            "SelectPen(dot 1 0x008000)", "SetROP2(7)", "LineTo(20,20)", "SelectPen(null 1 0x008000)",
                            "LineTo(30,30)"}));
}

TEST_F(CanvasOnRecorder, HiddenPenKeepsColourAndWidth)
{
    TChartPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(1);
    canvas.AssignPen(&pen);
    pen.Hide();
    pen.SetColor(clBlue);
    canvas.AssignPen(&pen);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);
    EXPECT_EQ(canvas.Pen()->Color(), clRed);
    EXPECT_EQ(canvas.Pen()->Width(), 1);
}

TEST_F(CanvasOnRecorder, HiddenPenAfterSmallDotsDrawsNothing)
{
    TChartPen hidden;
    hidden.Hide();
    TChartPen dots;
    dots.SetSmallDots(true);
    canvas.AssignPen(&hidden);
    canvas.AssignPen(&dots);
    canvas.LineTo(5, 5);
    canvas.AssignPen(&hidden);
    canvas.LineTo(9, 9);
    EXPECT_EQ(device.DrawingLines(true).back(),
              "LineTo(9,9) pen=[null 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]");
}

TEST_F(CanvasOnRecorder, SmallDotsAfterAHiddenPenOutlinesAgain)
{
    TChartPen hidden;
    hidden.Hide();
    TChartPen dots;
    dots.SetSmallDots(true);
    canvas.AssignPen(&hidden);
    canvas.AssignPen(&dots);
    EXPECT_EQ(canvas.Pen()->Style(), psSolid);  // the dotted pen draws: its style is not clear
    const TPoint p[3] = {{0, 0}, {4, 0}, {0, 2}};
    canvas.GradientPolygon(p, nullptr);
    EXPECT_EQ(device.DrawingLines().back(), "Polygon(0,0 4,0 0,2)");
}

TEST_F(CanvasOnRecorder, BackColourAndPixelsTakeSystemColoursAsRGB)
{
    // button face of the fixed system table: RGB(212, 208, 200)
    canvas.SetBackColor(0xFF00000F);
    EXPECT_EQ(canvas.GetBackColor(), RGB(212, 208, 200));
    canvas.SetBackColor(clNone);  // not a system colour: passed as it is
    EXPECT_EQ(canvas.GetBackColor(), clNone);
    canvas.SetPixel(3, 4, 0xFF00000F);
    EXPECT_EQ(Log().back(), "SetPixel(3,4,0xC8D0D4)");
}

TEST_F(CanvasOnRecorder, MonochromeMakesPensBlackAndBrushesWhite)
{
    canvas.SetMonochrome(true);
    TChartPen pen;
    pen.SetColor(clRed);
    TChartBrush brush;
    canvas.AssignPen(&pen);
    canvas.AssignBrush(&brush, clBlue);
    EXPECT_EQ(canvas.Pen()->Color(), clBlack);
    EXPECT_EQ(canvas.Brush()->Color(), clWhite);
}

TEST_F(CanvasOnRecorder, TextWithFontAndShadow)
{
    TPlotFont font;
    font.SetColor(clNavy);
    canvas.AssignFont(&font);
    canvas.TextOut(5, 6, "Hi");
    font.Shadow()->SetHorizSize(-2);
    font.Shadow()->SetVertSize(1);
    canvas.TextOut(5, 6, "Hi");
    // the device already holds the default chart font: nothing to select
    EXPECT_EQ(Log(), (Lines{"SetTextColor(0x800000)", "TextOut(5,6,Hi)",
                            "SetTextColor(0xC0C0C0)", "TextOut(5,7,Hi)", "SetTextColor(0x800000)", "TextOut(7,6,Hi)"}));
}

TEST_F(CanvasOnRecorder, TextWidthAddsTheShadowOffsets)
{
    TPlotFont font;
    canvas.AssignFont(&font);
    // fixed metrics: em 11, (11 + 1) / 2 = 6 pixels a character, height 11 + 2
    EXPECT_EQ(canvas.TextWidth("abc"), 18);
    EXPECT_EQ(canvas.TextHeight("abc"), 13);
    font.Shadow()->SetHorizSize(-3);
    font.Shadow()->SetVertSize(2);
    EXPECT_EQ(canvas.TextWidth("abc"), 21);
    EXPECT_EQ(canvas.TextHeight("abc"), 15);
    EXPECT_EQ(canvas.FontHeight(), 15);
}

TEST_F(CanvasOnRecorder, FontZoomAndInterCharSpacing)
{
    TView3DOptions options;
    options.SetFontZoom(200);
    canvas.InitWindow(&device, &options, clWhite, false, TRect{0, 0, 200, 150});
    TPlotFont font;
    font.SetInterCharSize(2);
    canvas.AssignFont(&font);
    EXPECT_EQ(canvas.Font()->Size(), 16);
    EXPECT_EQ(device.GetTextCharacterExtra(), 2);
    EXPECT_EQ(font.Canvas, &canvas);
}

TEST_F(CanvasOnRecorder, RotatedTextTurnsByTheAngleLessFullTurns)
{
    TPlotFont font;
    canvas.AssignFont(&font);
    canvas.RotatedTextOut(40, 50, "up", 450);
    EXPECT_EQ(Log(), (Lines{"SelectFont(Arial -11 400 esc900)", "SetTextColor(0x000000)",
                            "TextOut(40,50,up)"}));
    EXPECT_EQ(canvas.Font()->Orientation(), 0);
}

TEST_F(CanvasOnRecorder, OutlinedTextIsAStrokedPath)
{
    TPlotFont font;
    font.OutLine()->Show();
    font.OutLine()->SetColor(clRed);
    canvas.AssignFont(&font);
    canvas.TextOut(1, 2, "A");
    EXPECT_EQ(Log(), (Lines{"SetTextColor(0x000000)", "SetBkMode(transparent)",
                            "SelectPen(solid 1 0x0000FF)", "SelectBrush(solid 0x000000)", "BeginPath()",
                            "TextOut(1,2,A)", "EndPath()", "StrokeAndFillPath()"}));
}

TEST_F(CanvasOnRecorder, GradientOutlineTextFillsOnlyTheWidenedPath)
{
    TPlotFont font;
    font.Gradient()->SetVisible(true);
    font.Gradient()->SetOutline(true);
    font.OutLine()->Show();
    canvas.AssignFont(&font);
    canvas.TextOut(1, 2, "A");
    const Lines log = Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(device.Count("WidenPath"), 1);
    EXPECT_EQ(device.Count("SelectClipPath"), 1);
    EXPECT_EQ(device.Count("StrokePath") + device.Count("StrokeAndFillPath"), 0);
    EXPECT_EQ(log.back(), "SelectClipRgn(none)");
}

TEST_F(CanvasOnRecorder, PictureTextIsTheStretchedPictureClippedToThePath)
{
    TBitmap bitmap(4, 2, pf24bit);
    bitmap.Fill(RGB(10, 20, 30));
    TPlotFont font;
    font.Picture()->SetGraphic(&bitmap);
    canvas.AssignFont(&font);
    const int width = canvas.TextWidth("AB");
    const int height = canvas.TextHeight("AB");
    device.ClearLog();
    canvas.TextOut(5, 6, "AB");
    // no outline: clear pen, solid brush in the font colour, the path as clip, the picture over the text box
    const std::string box = "StretchDrawBitmap(5,6," + std::to_string(5 + width) + "," + std::to_string(6 + height) + ",4x2)";
    EXPECT_EQ(Log(), (Lines{"SetTextColor(0x000000)", "SetBkMode(transparent)", "SelectPen(null 1 0x000000)",
                            "SelectBrush(solid 0x000000)", "BeginPath()", "TextOut(5,6,AB)", "EndPath()",
                            "SelectClipPath(and)", box, "SelectClipRgn(none)"}));

    // a visible outline lays the path again and strokes it over the picture without filling
    font.OutLine()->Show();
    font.OutLine()->SetColor(clRed);
    canvas.AssignFont(&font);
    device.ClearLog();
    canvas.TextOut(5, 6, "AB");
    const Lines log = Log();
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(device.Count("BeginPath"), 2);
    EXPECT_EQ(device.Count("StretchDrawBitmap"), 1);
    const Lines tail(log.end() - 6, log.end());
    EXPECT_EQ(tail, (Lines{"SelectClipRgn(none)", "BeginPath()", "TextOut(5,6,AB)", "EndPath()", "SelectBrush(null)",
                           "StrokeAndFillPath()"}));
}

TEST_F(CanvasOnRecorder, OneUnClipEndsEveryClipAndRestoresTheFormerRegion)
{
    device.SelectClipRgn(platform::Region::FromRect(platform::Rect{0, 0, 100, 100}));
    device.ClearLog();
    canvas.ClipRectangle(TRect{10, 10, 50, 50});
    canvas.ClipEllipse(TRect{0, 0, 40, 40}, false);
    const TPoint tri[3] = {{0, 0}, {30, 0}, {0, 30}};
    canvas.ClipPolygon(tri, 3, true);
    canvas.UnClip();
    EXPECT_EQ(Log(), (Lines{"ExtSelectClipRgn(rect(10,10,50,50),and)", "ExtSelectClipRgn(ellipse(0,0,40,40),and)",
                            "ExtSelectClipRgn(polygon(0,0 30,0 0,30),diff)", "SelectClipRgn(rect(0,0,100,100))"}));
    ASSERT_TRUE(device.GetClipRgn().has_value());
    EXPECT_EQ(device.GetClipRgn()->Describe(), "rect(0,0,100,100)");
    canvas.ClipRoundRectangle(TRect{1, 2, 3, 4}, 5);
    canvas.UnClip();
    EXPECT_EQ(device.GetClipRgn()->Describe(), "rect(0,0,100,100)");
}

TEST_F(CanvasOnRecorder, UnClipWithoutFormerRegionRemovesClipping)
{
    canvas.ClipRectangle(TRect{10, 10, 50, 50});
    canvas.ClipRectangle(TRect{20, 20, 30, 30});
    canvas.UnClip();
    EXPECT_FALSE(device.GetClipRgn().has_value());
    EXPECT_EQ(Log().back(), "SelectClipRgn(none)");
}

TEST_F(CanvasOnRecorder, Frame3DDrawsBevelsAndShrinks)
{
    TRect r{0, 0, 10, 8};
    canvas.Frame3D(r, clWhite, clGray, 0);
    EXPECT_EQ(r, (TRect{0, 0, 10, 8}));
    EXPECT_TRUE(device.DrawingLines().empty());
    canvas.Frame3D(r, clWhite, clGray, 2);
    EXPECT_EQ(r, (TRect{2, 2, 8, 6}));
    EXPECT_EQ(device.DrawingLines(), (Lines{"Polyline(0,7 0,0 9,0)", "Polyline(9,0 9,7 -1,7)",
                                            "Polyline(1,6 1,1 8,1)", "Polyline(8,1 8,6 0,6)"}));
}

TEST_F(CanvasOnRecorder, ArcAnglesFromTheBoxCentre)
{
    canvas.ArcAngles(0, 0, 100, 50, 0, 90);
    // half sizes 50 and 25: start (100, 25), end (50, 0)
    EXPECT_EQ(device.DrawingLines(), (Lines{"Arc(0,0,100,50,100,25,50,0)"}));
}

TEST_F(CanvasOnRecorder, DonutIsOnePath)
{
    canvas.Donut(50, 50, 20, 10, 0, 1.5707963267948966, 50);
    EXPECT_EQ(Log(), (Lines{"MoveTo(70,50)",
                            "BeginPath()", "ArcTo(30,40,70,60,70,50,50,40)", "SetArcDirection(clockwise)",
                            "ArcTo(40,45,60,55,50,45,60,50)", "SetArcDirection(counterclockwise)", "EndPath()",
                            "StrokeAndFillPath()"}));
}

TEST_F(CanvasOnRecorder, GradientPolygonClipsFillsThenOutlines)
{
    TCustomPlotGradient gradient;
    gradient.SetVisible(true);
    const TPoint p[3] = {{0, 0}, {4, 0}, {0, 2}};
    canvas.GradientPolygon(p, &gradient);
    const Lines log = Log();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "ExtSelectClipRgn(polygon(0,0 4,0 0,2),and)");
    // bands within PolygonRect (0, 0, 5, 3)
    EXPECT_EQ(log[1], "SelectStockObject(DCBrush)");
    EXPECT_EQ(log[2], "SetDCBrushColor(0xFFFFFF)");
    EXPECT_EQ(log[3], "PatBlt(0,2,5,1,PatCopy)");
    const auto unclip = std::find(log.begin(), log.end(), "SelectClipRgn(none)");
    ASSERT_NE(unclip, log.end());
    EXPECT_EQ(log.back(), "Polygon(0,0 4,0 0,2)");
    EXPECT_EQ(canvas.Brush()->Style(), bsSolid);  // restored after the outline
}

TEST_F(CanvasOnRecorder, BlendingMixesBackTheCapturedArea)
{
    canvas.Bounds = TRect{0, 0, 200, 150};
    TPlotBlend* blend = canvas.BeginBlending(TRect{10, 10, 20, 30}, 50 + 128);
    EXPECT_EQ(canvas.BlendTransparency(), 50);
    canvas.FillRect(TRect{10, 10, 20, 30});
    canvas.EndBlending(blend);
    // constant alpha 255 - round(2.55 * 50); 2.55 * 50 is 127.49999999999999 in doubles
    EXPECT_EQ(device.DrawingLines().back(), "AlphaBlend(10,10,10,20,10x20,0,0,10,20,128)");
}

TEST_F(CanvasOnRecorder, ResetStateSetsTheDefaults)
{
    canvas.ResetState();
    EXPECT_EQ(Log(), (Lines{"SetBkColor(0xFFFFFF)", "SetBkMode(transparent)", "SetTextAlign(0)"}));
    EXPECT_EQ(canvas.Font()->Name(), "Arial");
    EXPECT_EQ(canvas.Font()->Size(), 8);
    EXPECT_EQ(canvas.CurrentFont(), nullptr);
}

TEST(TPlotCanvas3DProjected, OrthogonalPlanesAndLines)
{
    platform::RecordingDevice device(200, 150);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    TView3DOptions options;  // orthogonal 45 degrees, zoom 100
    canvas.InitWindow(&device, &options, clWhite, true, TRect{0, 0, 200, 150});
    canvas.Projection(20, TRect{0, 0, 200, 150});
    device.ClearLog();
    canvas.RectangleWithZ(TRect{10, 20, 30, 40}, 10);  // depth 10: 10 right, 10 up
    canvas.LineWithZ(0, 0, 50, 60, 5);
    canvas.ZLine3D(100, 100, 0, 20);
    canvas.Begin2DSection();
    canvas.Begin2DSection();
    canvas.End2DSection();
    canvas.HorizLine3D(0, 9, 3, 40);  // still 2D: no projection
    canvas.End2DSection();
    canvas.VertLine3D(0, 0, 9, 1);
    EXPECT_EQ(device.DrawingLines(), (Lines{"Polygon(20,10 40,10 40,30 20,30)", "LineTo(55,55)", "LineTo(120,80)",
                                            "LineTo(9,3)", "LineTo(1,8)"}));
    EXPECT_EQ(device.CallsNamed("MoveTo").size(), 4u);
    EXPECT_EQ(device.CallsNamed("MoveTo")[0].args, (std::vector<std::string>{"5", "-5"}));
    EXPECT_EQ(canvas.FourCorners[2], (TPoint{40, 30}));
    EXPECT_EQ(canvas.ProjectedRectBounds(TRect{10, 20, 30, 40}, 10), (TRect{20, 10, 41, 31}));
}

TEST(TPlotCanvas3DProjected, ZoomedTextGrowsWithTheView)
{
    platform::RecordingDevice device(200, 150);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    TView3DOptions options;
    options.SetZoom(200);
    canvas.InitWindow(&device, &options, clWhite, true, TRect{0, 0, 200, 150});
    canvas.Projection(0, TRect{0, 0, 200, 150});
    TPlotFont font;
    canvas.AssignFont(&font);
    device.ClearLog();
    canvas.TextOut3D(110, 80, 0, "z");
    // (110, 80) is (10, 5) from the centre: twice that on screen; 16 points = 21 pixels
    EXPECT_EQ(device.Lines(), (Lines{"SelectFont(Arial -21 400)", "SetTextColor(0x000000)", "TextOut(120,85,z)"}));
    EXPECT_EQ(canvas.Font()->Size(), 8);
    options.SetZoomText(false);
    canvas.InitWindow(&device, &options, clWhite, true, TRect{0, 0, 200, 150});
    canvas.Projection(0, TRect{0, 0, 200, 150});
    device.ClearLog();
    canvas.TextOut3D(110, 80, 0, "z");
    EXPECT_EQ(device.DrawingLines(true).back(), "TextOut(120,85,z) pen=[solid 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]");
}

TEST(TPlotCanvas3DProjected, ClipCubeIsTheHullOfTheBox)
{
    platform::RecordingDevice device(200, 150);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    TView3DOptions options;
    canvas.InitWindow(&device, &options, clWhite, true, TRect{0, 0, 200, 150});
    canvas.Projection(20, TRect{0, 0, 200, 150});
    canvas.ClipCube(TRect{10, 20, 30, 40}, 0, 10);
    ASSERT_TRUE(device.GetClipRgn().has_value());
    // front (10,20)-(30,40) and back shifted by (10,-10): a hexagon
    // with no clip before, the combination starts from the whole device
    EXPECT_EQ(device.GetClipRgn()->Describe(), "and(rect(0,0,200,150),polygon(10,20 20,10 40,10 40,30 30,40 10,40))");
    canvas.UnClip();
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 200, 150});
    canvas.ClipCube(TRect{10, 20, 30, 40}, 0, 10);
    EXPECT_EQ(device.GetClipRgn()->Describe(), "and(rect(0,0,200,150),rect(10,20,30,40))");
}

TEST(TPlotCanvas3DProjected, StretchDrawAtZFillsOneCellPerPixel)
{
    platform::RecordingDevice device(200, 150);
    TPlotCanvas3D canvas;
    InitOnRecorder(canvas, device);
    TBitmap empty;
    canvas.StretchDrawAtZ(TRect{0, 0, 10, 10}, &empty, 0, 2);
    EXPECT_TRUE(device.DrawingLines().empty());
    TBitmap picture(2, 1);
    picture.SetPixel(0, 0, clRed);
    picture.SetPixel(1, 0, clBlue);
    device.ClearLog();
    canvas.StretchDrawAtZ(TRect{10, 20, 15, 30}, &picture, 0, 2);
    // cells 2.5 wide: columns 10..12 and 12..15 (2.5 rounds to 2); the DC brush
    // is selected once and takes each pixel's colour
    EXPECT_EQ(device.Lines(), (Lines{"SelectStockObject(DCBrush)", "SetDCBrushColor(0x0000FF)", "SelectPen(null 1 0x000000)",
                                     "Polygon(10,20 12,20 12,30 10,30)", "SetDCBrushColor(0xFF0000)",
                                     "Polygon(12,20 15,20 15,30 12,30)"}));
    // the working brush comes back for the next shape
    device.ClearLog();
    canvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(device.DrawingLines(true).back(),
              "Rectangle(0,0,4,4) pen=[null 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]");
}

TEST(TPlotCanvas3DBuffer, PaintsIntoTheBufferAndCopiesIt)
{
    platform::RecordingDevice window(300, 200);
    TPlotCanvas3D canvas;
    const TRect drawRect = canvas.InitWindow(&window, nullptr, clWhite, false, TRect{10, 20, 110, 70});
    EXPECT_EQ(drawRect, (TRect{0, 0, 100, 50}));
    ASSERT_NE(canvas.Bitmap(), nullptr);
    EXPECT_EQ(canvas.Bitmap()->Width(), 101);
    EXPECT_EQ(canvas.Bitmap()->Height(), 51);
    EXPECT_EQ(canvas.GetHandle(), canvas.Bitmap());
    canvas.Rectangle(0, 0, 5, 5);
    EXPECT_TRUE(window.DrawingLines().empty());
    EXPECT_FALSE(canvas.ReDrawBitmap());
    canvas.ShowImage(&window, &window, TRect{10, 20, 110, 70});
    EXPECT_EQ(window.DrawingLines(), (Lines{"BitBlt(10,20,101,51,101x51,0,0,SrcCopy)"}));
    EXPECT_EQ(canvas.GetHandle(), &window);
    window.ClearLog();
    EXPECT_TRUE(canvas.ReDrawBitmap());  // second paint without Invalidate
    EXPECT_EQ(window.DrawingLines(), (Lines{"BitBlt(0,0,101,51,101x51,0,0,SrcCopy)"}));
    canvas.Invalidate();
    EXPECT_FALSE(canvas.ReDrawBitmap());
}

TEST(TPlotCanvas3DBuffer, SmoothTransparentShadowIsBlurredThenBlended)
{
    RegisterPlotFilters();
    platform::RecordingDevice window(120, 60);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 100, 50});
    auto* buffer = static_cast<platform::RecordingDevice*>(canvas.Bitmap());
    TPlotFont font;
    font.Shadow()->SetSize(2);
    font.Shadow()->SetSmoothBlur(2);
    font.Shadow()->SetTransparency(40);
    canvas.AssignFont(&font);
    buffer->ClearLog();
    canvas.TextOut(10, 10, "ab");
    // the blur works on the buffer's pixels in place: no blit
    EXPECT_EQ(buffer->Lines(), (Lines{"SetTextColor(0xC0C0C0)", "TextOut(12,12,ab)", "SetBkMode(transparent)",
                                      "AlphaBlend(12,12,14,15,14x15,0,0,14,15,102)", "SetTextColor(0x000000)",
                                      "TextOut(10,10,ab)"}));
}

TEST(TPlotCanvas3DBuffer, ZeroWidthGivesOnePixel)
{
    platform::RecordingDevice window(30, 20);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{5, 5, 5, 5});
    EXPECT_EQ(canvas.Bitmap()->Width(), 1);
    EXPECT_EQ(canvas.Bitmap()->Height(), 1);
}

TEST(TPlotCanvas3DBuffer, SwitchingOffKeepsTheBufferOnlyWhenAsked)
{
    platform::RecordingDevice window(30, 20);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 20, 10});
    canvas.ShowImage(&window, &window, TRect{0, 0, 20, 10});
    canvas.KeepBuffer = true;
    canvas.SetBufferedDisplay(false);
    EXPECT_NE(canvas.Bitmap(), nullptr);
    EXPECT_FALSE(canvas.BufferInvalid);
    canvas.SetBufferedDisplay(true);
    canvas.KeepBuffer = false;
    canvas.SetBufferedDisplay(false);
    EXPECT_EQ(canvas.Bitmap(), nullptr);
    EXPECT_TRUE(canvas.BufferInvalid);
    EXPECT_FALSE(canvas.ReDrawBitmap());
}

TEST(TPlotCanvas3DState, MonochromeInvalidatesAndRepaintsTheOwner)
{
    int repaints = 0;
    TView3DOptions options(nullptr, [&] { ++repaints; });
    platform::RecordingDevice window(30, 20);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, &options, clWhite, true, TRect{0, 0, 20, 10});
    canvas.ShowImage(&window, &window, TRect{0, 0, 20, 10});
    canvas.SetMonochrome(true);
    canvas.SetMonochrome(true);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(canvas.BufferInvalid);
    TPlotCanvas3D other;
    other.AssignSettings(&canvas);
    EXPECT_TRUE(other.GetMonochrome());
    EXPECT_EQ(other.View3DOptions, &options);
    EXPECT_EQ(canvas.AddRef(), -1);
    EXPECT_EQ(canvas.Release(), -1);
    void* unknown = nullptr;
    EXPECT_EQ(canvas.QueryInterface("IUnknown", &unknown), 0);
    EXPECT_EQ(unknown, static_cast<void*>(static_cast<TCanvas3D*>(&canvas)));
    EXPECT_EQ(canvas.QueryInterface("IStream", &unknown), static_cast<long>(0x80004002u));
    EXPECT_EQ(unknown, nullptr);
}

TEST(TPlotCanvas3DPixels, BufferedShapesAndClipsOnTheImageDevice)
{
    platform::QtDrawingDevice window(60, 40);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{5, 5, 45, 35});
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(TRect{0, 0, 41, 31});
    TChartBrush brush;
    canvas.AssignBrush(&brush, clRed);
    canvas.Rectangle(2, 2, 12, 12);
    canvas.ClipRectangle(TRect{20, 0, 25, 31});
    canvas.ClipRectangle(TRect{0, 0, 23, 31});  // the clips combine
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(TRect{15, 0, 30, 10});
    canvas.UnClip();
    canvas.FillRect(TRect{15, 20, 30, 25});
    canvas.ShowImage(&window, &window, TRect{5, 5, 45, 35});
    // buffer (0, 0) lands at (5, 5) of the window
    EXPECT_EQ(window.GetPixel(7, 7), clBlack);  // outline
    EXPECT_EQ(window.GetPixel(12, 12), clRed);  // inside
    EXPECT_EQ(window.GetPixel(16, 16), clBlack);  // last row and column of the outline
    EXPECT_EQ(window.GetPixel(17, 17), clWhite);  // right and bottom edges left out
    EXPECT_EQ(window.GetPixel(24, 8), clWhite);  // left of the clips
    EXPECT_EQ(window.GetPixel(25, 8), clBlue);
    EXPECT_EQ(window.GetPixel(27, 8), clBlue);
    EXPECT_EQ(window.GetPixel(28, 8), clWhite);  // right of the second clip
    EXPECT_EQ(window.GetPixel(21, 27), clBlue);  // after UnClip the whole band fills
    EXPECT_EQ(window.GetPixel(34, 27), clBlue);
    EXPECT_EQ(window.GetPixel(2, 2), clWhite);  // outside the buffer's place
}

TEST(PlotCanvasGeometry, FreeRoutines)
{
    // (P0 - P1) x (P2 - P1) < 0
    EXPECT_TRUE(PointsClockwise({0, 10}, {0, 0}, {10, 0}));
    EXPECT_FALSE(PointsClockwise({10, 0}, {0, 0}, {0, 10}));
    // far-off points: 50000 * 50000 does not fit 32 bits and must keep its sign
    EXPECT_FALSE(PointsClockwise({50000, 0}, {0, 0}, {0, 50000}));
    EXPECT_TRUE(PointsClockwise({0, 50000}, {0, 0}, {50000, 0}));
    const TPoint one[1] = {{7, 9}};
    EXPECT_EQ(PolygonBounds(one), (TRect{7, 9, 7, 9}));
    EXPECT_EQ(PolygonRect(one, 1), (TRect{7, 9, 8, 10}));
    EXPECT_EQ(PolygonBounds(std::span<const TPoint>{}), (TRect{}));
    EXPECT_EQ(NormalizeRect(TRect{5, 6, 1, 2}), (TRect{1, 2, 5, 6}));
    EXPECT_TRUE(PointInRectXY(TRect{0, 0, 10, 10}, 10, 10));
    EXPECT_FALSE(PointInRectXY(TRect{0, 0, 10, 10}, 11, 10));
    EXPECT_EQ(DarkenColor(RGB(100, 20, 200), 64), RGB(36, 0, 136));
    EXPECT_EQ(BrightenColor(RGB(100, 220, 200), 64), RGB(164, 255, 255));
    std::uint8_t triple[3];
    ColorToRGBTriple(RGB(1, 2, 3), triple);
    EXPECT_EQ(triple[0], 3);
    EXPECT_EQ(triple[2], 1);
}

}  // namespace

namespace {

// A buffered canvas on an image device whose buffer holds a busy pattern, so
// that any blur or copy that strays shows.
struct PatternCanvas {
    platform::QtDrawingDevice window;
    TPlotCanvas3D canvas;
    PatternCanvas(int width, int height) : window(width, height)
    {
        canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, width, height});
        platform::DrawingDevice* buffer = canvas.Bitmap();
        for (int y = 0; y < buffer->Height(); ++y) {
            std::uint32_t* row = buffer->ScanLine(y);
            for (int x = 0; x < buffer->Width(); ++x)
                row[x] = 0xFF000000u | static_cast<std::uint32_t>((x * 37 + y * 101) % 251) << 16
                       | static_cast<std::uint32_t>((x * 13 + y * 7) % 241) << 8 | static_cast<std::uint32_t>((x ^ y) & 0xFF);
        }
        canvas.SetBackMode(cbmTransparent);
    }
    const platform::Bitmap& Pixels() const { return canvas.Bitmap()->Surface(); }
};

// The text shadow as it was drawn before only its rectangle went through the
// blur: shadow text, the blur filter over the whole buffer, the text on top.
void ShadowedTextOverWholeBuffer(TPlotCanvas3D& canvas, TPlotFont& font, int x, int y, const std::string& text)
{
    const TPlotShadow* shadow = font.Shadow();
    canvas.AssignFont(&font);
    const int width = canvas.TextWidth(text);  // with the shadow's offset
    const int height = canvas.TextHeight(text);
    TPlotFont plain;
    plain.Assign(font);
    plain.Shadow()->SetVisible(false);
    plain.SetColor(shadow->Color());
    canvas.AssignFont(&plain);
    const int sx = x + shadow->HorizSize();
    const int sy = y + shadow->VertSize();
    canvas.TextOut(sx, sy, text);
    TBitmap pixels;
    pixels.FromDeviceBitmap(canvas.Bitmap()->Surface());
    TBlurFilter blur;
    blur.Amount = shadow->SmoothBlur();
    const TRect r{std::max(0, sx - 1), std::max(0, sy),
                  std::min(pixels.Width() - 1, sx + width), std::min(sy + height - 1, pixels.Height() - 1)};
    blur.Apply(pixels, r);
    pixels.SetPixelFormat(pf32bit);
    canvas.Bitmap()->BitBlt(0, 0, pixels.Width(), pixels.Height(), pixels.ToDeviceBitmap(), 0, 0,
                            platform::Rop3::SrcCopy);
    plain.SetColor(font.Color());
    canvas.AssignFont(&plain);
    canvas.TextOut(x, y, text);
}

void SetShadowFont(TPlotFont& font, int size, int blur)
{
    font.SetName("Arial");
    font.SetSize(14);
    font.SetColor(clNavy);
    font.Shadow()->SetColor(clGray);
    font.Shadow()->SetSize(size);
    font.Shadow()->SetSmoothBlur(blur);
}

}  // namespace

struct TextShadowCase {
    int Size;
    int Blur;
    int X;
    int Y;
    const char* Text;
};

class TextShadowBlur : public ::testing::TestWithParam<TextShadowCase> {};

TEST_P(TextShadowBlur, SameImageAsBlurringTheWholeBuffer)
{
    RegisterPlotFilters();
    const TextShadowCase c = GetParam();
    PatternCanvas fast(240, 120);
    PatternCanvas whole(240, 120);
    ASSERT_EQ(fast.Pixels(), whole.Pixels());
    TPlotFont font;
    SetShadowFont(font, c.Size, c.Blur);
    fast.canvas.AssignFont(&font);
    fast.canvas.TextOut(c.X, c.Y, c.Text);
    ShadowedTextOverWholeBuffer(whole.canvas, font, c.X, c.Y, c.Text);
    const platform::Bitmap& a = fast.Pixels();
    const platform::Bitmap& b = whole.Pixels();
    EXPECT_EQ(DifferingPixels(a, b), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextShadowBlur,
                         ::testing::Values(TextShadowCase{2, 1, 20, 30, "Mean 12.5"},
                                           TextShadowCase{3, 4, 60, 10, "Variance"},
                                           // the text box runs over the right and bottom edges
                                           TextShadowCase{2, 2, 200, 105, "Sample size"},
                                           // and over the left and top edges
                                           TextShadowCase{1, 3, -10, -6, "xy"}));

TEST(TPlotCanvas3DPixels, ShadowedTextLeavesEverythingOutsideItsBoxAlone)
{
    RegisterPlotFilters();
    PatternCanvas canvas(960, 540);
    const platform::Bitmap before = canvas.Pixels();
    TPlotFont font;
    SetShadowFont(font, 3, 2);
    canvas.canvas.AssignFont(&font);
    const std::string text = "Standard deviation";
    const int x = 400;
    const int y = 250;
    canvas.canvas.TextOut(x, y, text);
    // text and shadow boxes (the width counts the shadow), grown by the blur's one pixel
    const int w = canvas.canvas.TextWidth(text);
    const int h = canvas.canvas.TextHeight(text);
    const TRect box{x - 1, y - 1, x + 3 + w + 1, y + 3 + h + 1};
    const platform::Bitmap& after = canvas.Pixels();
    int changedInside = 0;
    for (int py = 0; py < after.Height(); ++py)
        for (int px = 0; px < after.Width(); ++px) {
            const bool inside = px >= box.Left && px <= box.Right && py >= box.Top && py <= box.Bottom;
            if (inside)
                changedInside += after.RawPixel(px, py) != before.RawPixel(px, py);
            else
                ASSERT_EQ(after.RawPixel(px, py), before.RawPixel(px, py)) << px << "," << py;
        }
    EXPECT_GT(changedInside, 100);
}

namespace {

// Grounds under the shadowed texts: plain white, the busy pattern, or white
// crossed by a one-pixel line through the texts' boxes.
enum class Ground { Plain, Pattern, Crossed };

void Lay(PatternCanvas& c, Ground g)
{
    platform::DrawingDevice* buffer = c.canvas.Bitmap();
    if (g == Ground::Pattern)
        return;
    for (int y = 0; y < buffer->Height(); ++y) {
        std::uint32_t* row = buffer->ScanLine(y);
        for (int x = 0; x < buffer->Width(); ++x)
            row[x] = g == Ground::Crossed && x == 2 * y - 30 ? 0xFF102080u : 0xFFFFFFFFu;
    }
}

}  // namespace

class TextShadowAgain : public ::testing::TestWithParam<Ground> {};

// Texts drawn again (at the same or another place, over what they left or
// over changed pixels) come out as the blur of the whole buffer gives them.
TEST_P(TextShadowAgain, SameImageAsBlurringTheWholeBufferEachTime)
{
    RegisterPlotFilters();
    PatternCanvas fast(320, 160);
    PatternCanvas whole(320, 160);
    Lay(fast, GetParam());
    Lay(whole, GetParam());
    TPlotFont font;
    SetShadowFont(font, 2, 1);
    struct Step {
        int X, Y;
        const char* Text;
    };
    const Step steps[] = {{20, 30, "Mean 12.5"}, {20, 90, "Mean 12.5"},  {20, 30, "Mean 12.5"}, {20, 30, "Mean 12.5"},
                          {150, 30, "Mean 12.5"}, {21, 90, "Mean 12.6"}, {150, 30, "Mean 12.5"}, {20, 90, "Mean 12.5"},
                          {300, 150, "Edge"}, {300, 150, "Edge"}, {-4, -3, "Corner"}, {-4, -3, "Corner"}};
    int k = 0;
    for (const Step& s : steps) {
        if (k == 6) {
            // the ground under one of them changes
            for (TPlotCanvas3D* c : {&fast.canvas, &whole.canvas})
                c->Bitmap()->ScanLine(40)[160] = 0xFF00FF00u;
        }
        fast.canvas.AssignFont(&font);
        fast.canvas.TextOut(s.X, s.Y, s.Text);
        ShadowedTextOverWholeBuffer(whole.canvas, font, s.X, s.Y, s.Text);
        ASSERT_EQ(DifferingPixels(fast.Pixels(), whole.Pixels()), 0) << "step " << k;
        ++k;
    }
    // another colour of the same text is a new picture
    font.Shadow()->SetColor(clRed);
    fast.canvas.AssignFont(&font);
    fast.canvas.TextOut(20, 90, "Mean 12.5");
    ShadowedTextOverWholeBuffer(whole.canvas, font, 20, 90, "Mean 12.5");
    EXPECT_EQ(DifferingPixels(fast.Pixels(), whole.Pixels()), 0);
}

INSTANTIATE_TEST_SUITE_P(Grounds, TextShadowAgain, ::testing::Values(Ground::Plain, Ground::Pattern, Ground::Crossed));

TEST(TPlotCanvas3DPixels, ShadowedTextDrawnAgainInsideAClipRectangle)
{
    RegisterPlotFilters();
    PatternCanvas fast(200, 80);
    PatternCanvas whole(200, 80);
    Lay(fast, Ground::Plain);
    Lay(whole, Ground::Plain);
    TPlotFont font;
    SetShadowFont(font, 2, 1);
    for (int i = 0; i < 3; ++i) {
        fast.canvas.ClipRectangle(TRect{5, 5, 190, 70});
        fast.canvas.AssignFont(&font);
        fast.canvas.TextOut(20 + 40 * (i / 2), 20, "Clipped text");
        fast.canvas.UnClip();
        whole.canvas.ClipRectangle(TRect{5, 5, 190, 70});
        ShadowedTextOverWholeBuffer(whole.canvas, font, 20 + 40 * (i / 2), 20, "Clipped text");
        whole.canvas.UnClip();
        EXPECT_EQ(DifferingPixels(fast.Pixels(), whole.Pixels()), 0) << "draw " << i;
    }
}

TEST(TPlotCanvas3DBuffer, RasterTargetIsTheBufferWhileDrawingGoesToIt)
{
    platform::RecordingDevice window(120, 60);
    TPlotCanvas3D canvas;
    EXPECT_EQ(canvas.RasterTarget(), nullptr);  // no buffer yet
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 100, 50});
    TPlotCanvas& surface = canvas;
    EXPECT_EQ(surface.RasterTarget(), canvas.Bitmap());
    canvas.Metafiling = true;
    EXPECT_EQ(surface.RasterTarget(), nullptr);
    canvas.Metafiling = false;
    canvas.ShowImage(&window, &window, TRect{0, 0, 100, 50});  // drawing back on the window
    EXPECT_NE(canvas.Bitmap(), nullptr);
    EXPECT_EQ(surface.RasterTarget(), nullptr);
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 100, 50});
    EXPECT_EQ(surface.RasterTarget(), nullptr);
}

namespace {

// Counts the measurements that reach the device.
class CountingDevice : public platform::RecordingDevice {
public:
    using platform::RecordingDevice::RecordingDevice;
    platform::Size GetTextExtent(const std::string& text) const override
    {
        ++Measured;
        return platform::RecordingDevice::GetTextExtent(text);
    }
    mutable int Measured = 0;
};

}  // namespace

TEST(TPlotCanvas3DTextExtents, MeasuredOncePerFontAndTextWithinADraw)
{
    CountingDevice device(200, 150);
    TPlotCanvas3D canvas;
    InitOnRecorder(canvas, device);
    EXPECT_EQ(canvas.TextWidth("Histogram"), 54);
    EXPECT_EQ(canvas.TextHeight("Histogram"), 13);
    EXPECT_EQ(canvas.TextWidth("W"), 6);
    EXPECT_EQ(device.Measured, 2);
    // another font is another measurement
    canvas.Font()->SetHeight(-21);
    EXPECT_EQ(canvas.TextWidth("Histogram"), 99);
    EXPECT_EQ(device.Measured, 3);
    // a new draw measures again
    InitOnRecorder(canvas, device);
    canvas.TextWidth("W");
    EXPECT_EQ(device.Measured, 4);
}

namespace {

// A Qt device that counts its measurements (a kind of device of its own).
class CountingQtDevice : public platform::QtDrawingDevice {
public:
    using platform::QtDrawingDevice::QtDrawingDevice;
    platform::Size GetTextExtent(const std::string& text) const override
    {
        ++Measured;
        return platform::QtDrawingDevice::GetTextExtent(text);
    }
    mutable int Measured = 0;
};

}  // namespace

TEST(TPlotCanvas3DTextExtents, QtDevicesShareTheirMeasuresFromDrawToDraw)
{
    // drawn straight onto images: each draw on another plain Qt device
    platform::QtDrawingDevice a(200, 150), b(300, 100);
    CountingDevice recorder(200, 150);
    CountingQtDevice counting(200, 150);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    TPlotFont font;
    font.SetName("Arial");
    font.SetSize(10);
    auto widthOn = [&](platform::DrawingDevice& d) {
        canvas.InitWindow(&d, nullptr, clWhite, false, TRect{0, 0, d.Width(), d.Height()});
        canvas.AssignFont(&font);
        return canvas.TextWidth("Histogram of 12.5");
    };
    // the device's own measure in the font the canvas put on it
    const int onA = widthOn(a);
    const int measured = a.GetTextExtent("Histogram of 12.5").cx;
    EXPECT_EQ(onA, measured);
    EXPECT_EQ(widthOn(b), measured);
    // another kind of device measures for itself, and the Qt measure comes back after it
    const int onRecorder = widthOn(recorder);
    EXPECT_EQ(onRecorder, recorder.GetTextExtent("Histogram of 12.5").cx);
    EXPECT_NE(onRecorder, measured);
    EXPECT_EQ(recorder.Measured, 2);  // the canvas's measure and ours
    EXPECT_EQ(widthOn(a), measured);
    // a device of a kind of its own measures again in each draw
    EXPECT_EQ(widthOn(counting), measured);
    EXPECT_EQ(widthOn(counting), measured);
    EXPECT_EQ(counting.Measured, 2);
    EXPECT_EQ(widthOn(recorder), onRecorder);
    EXPECT_EQ(recorder.Measured, 3);
}

