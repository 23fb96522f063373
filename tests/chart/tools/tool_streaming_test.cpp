// Each tool written through its property table and read into a fresh one.
#include <gtest/gtest.h>

#include "chart/tools/annotation_tool.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/color_line_tool.h"
#include "chart/tools/grid_band_tool.h"
#include "chart/tools/rectangle_tool.h"
#include "tool_stream_support.h"


TEST(ToolStreaming, DefaultsWriteNothing)
{
    EXPECT_TRUE(StreamedNames(Written(TColorLineTool())).empty());
    // the second band's white is its stored default
    EXPECT_TRUE(StreamedNames(Written(TGridBandTool())).empty());
    TGridBandTool tool;
    tool.Band2().SetColor(clDefault);
    EXPECT_EQ(StreamedNames(Written(tool)), (std::vector<std::string>{"Band2.Color"}));
}

TEST(ToolStreaming, ColorLineRoundTrip)
{
    TColorLineTool a;
    a.SetValue(12.5);
    a.SetDrawBehind(true);
    a.SetStyle(clMaximum);
    TColorLineTool b;
    ReadInto(b, Written(a));
    EXPECT_DOUBLE_EQ(b.Value(), 12.5);
    EXPECT_TRUE(b.DrawBehind());
    // read while loading, the value leaves the style as it was streamed
    EXPECT_EQ(b.Style(), clMaximum);
}

TEST(ToolStreaming, ColorBandRoundTripWithItsPensAndGradient)
{
    TColorBandTool a;
    a.SetStartValue(3);
    a.SetEndValue(7);
    a.SetColor(clYellow);
    a.SetTransparency(40);
    a.SetResizeStart(true);
    a.StartLinePen().SetWidth(3);
    a.Gradient().SetVisible(true);
    TColorBandTool b;
    ReadInto(b, Written(a));
    EXPECT_DOUBLE_EQ(b.StartValue(), 3);
    EXPECT_DOUBLE_EQ(b.EndValue(), 7);
    EXPECT_EQ(b.Color(), clYellow);
    EXPECT_EQ(b.Transparency(), 40);
    EXPECT_TRUE(b.ResizeStart());
    EXPECT_FALSE(b.ResizeEnd());
    EXPECT_EQ(b.StartLinePen().Width(), 3);
    EXPECT_TRUE(b.Gradient().Visible());
    // the edge lines take the values
    EXPECT_DOUBLE_EQ(b.StartLine().Value(), 3);
}

TEST(ToolStreaming, GridBandRoundTripOfBothBrushes)
{
    TGridBandTool a;
    a.Band1().SetColor(clRed);
    a.Band1().SetTransparency(30);
    a.Band2().SetStyle(bsClear);
    TGridBandTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.Band1().Color(), clRed);
    EXPECT_EQ(b.Band1().Transparency(), 30);
    EXPECT_EQ(b.Band2().Style(), bsClear);
    EXPECT_EQ(b.Band2().Color(), clWhite);
}

TEST(ToolStreaming, AnnotationRoundTripWithShapeAndCallout)
{
    TAnnotationTool a;
    a.SetText("Line 1\rLine 2");
    a.SetPosition(ppRightBottom);
    a.SetTextAlignment(taCenter);
    a.Callout().SetXPosition(120);
    a.Callout().SetVisible(true);
    a.Shape().Margins().SetLeft(4);
    TAnnotationTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.Text(), "Line 1\rLine 2");
    EXPECT_EQ(b.Position(), ppRightBottom);
    EXPECT_EQ(b.TextAlignment(), taCenter);
    EXPECT_EQ(b.Callout().XPosition(), 120);
    EXPECT_TRUE(b.Callout().Visible());
    EXPECT_EQ(b.Shape().Margins().Left(), 4);
    EXPECT_TRUE(b.AutoSize());
}

TEST(ToolStreaming, RectangleWritesItsSizeAndReadsItBack)
{
    TRectangleTool a;
    a.SetWidth(80);
    a.SetAllowDrag(false);
    const auto data = Written(a);
    const auto names = StreamedNames(data);
    EXPECT_NE(std::find(names.begin(), names.end(), "Width"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "AutoSize"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "Cursor"), names.end());
    TRectangleTool b;
    ReadInto(b, data);
    EXPECT_EQ(b.Width(), 80);
    EXPECT_FALSE(b.AllowDrag());
    EXPECT_FALSE(b.AutoSize());
}
