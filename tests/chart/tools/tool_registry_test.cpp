#include "chart/tools/tool_registry.h"

#include <gtest/gtest.h>

#include <memory>

#include "chart/chart_tool.h"
#include "chart/tools/annotation_tool.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/cursor_tool.h"
#include "chart/tools/grid_band_tool.h"
#include "chart/tools/rectangle_tool.h"
#include "tool_test_chart.h"

namespace {

std::vector<std::string> RegisteredNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < PlotToolTypes().Count(); ++i)
        names.emplace_back(PlotToolTypes()[i].ClassName());
    return names;
}

struct ToolText {
    const char* ClassName;
    const char* Caption;
    const char* LongDescription;
    const char* Editor;
};

}  // namespace

TEST(PlotToolRegistry, StartUpListsTheToolsInTheTablesOrder)
{
    const std::vector<std::string> expected{
        "TCursorTool",     "TDragMarksTool",       "TAxisArrowTool", "TDrawLineTool",   "TNearestTool",
        "TColorBandTool",  "TColorLineTool",       "TRotateTool",    "TChartImageTool", "TMarksTipTool",
        "TAnnotationTool", "TSeriesAnimationTool", "TGridBandTool",  "TAxisScrollTool", "TRectangleTool",
        "TClipSeriesTool", "TFullScreenTool"};
    EXPECT_EQ(RegisteredNames(), expected);
    RegisterPlotTools();
    EXPECT_EQ(RegisteredNames(), expected);
    for (const std::string& name : expected)
        EXPECT_TRUE(IsChartClassRegistered(name)) << name;
}

TEST(PlotToolRegistry, UnregisteringRemovesThemAndRegisteringBringsThemBack)
{
    UnregisterPlotTools();
    EXPECT_TRUE(RegisteredNames().empty());
    UnregisterPlotTools();
    EXPECT_TRUE(IsChartClassRegistered("TCursorTool"));
    RegisterPlotTools();
    EXPECT_EQ(RegisteredNames().size(), 17u);
}

TEST(PlotToolRegistry, CaptionsDescriptionsAndEditorNames)
{
    const ToolText texts[] = {
        {"TCursorTool", "Cursor", "Displays draggable Cursor lines on top of Series.", "TCursorToolEditor"},
        {"TDragMarksTool", "Drag Marks", "Moves Series marks when dragging them with mouse.", "TDragMarksToolEditor"},
        {"TAxisArrowTool", "Axis Arrows",
         "Displays clickable arrows at axis start and ending points, to scroll axis.", "TAxisArrowToolEditor"},
        {"TDrawLineTool", "Draw Line", "Allows drawing custom lines by dragging the mouse.", "TDrawLineEdit"},
        {"TNearestTool", "Nearest Point", "Displays a graphical signal when the mouse is moving near a series point.",
         "TNearestToolEdit"},
        {"TColorBandTool", "Color Band", "Displays a coloured rectangle (band) at the specified axis and position.",
         "TColorBandToolEditor"},
        {"TColorLineTool", "Color Line", "Displays a draggable line across axes.", "TColorLineToolEditor"},
        {"TRotateTool", "Rotate", "Allows rotating Chart dragging with mouse button.", "TRotateToolEditor"},
        {"TChartImageTool", "Image",
         "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed or scrolled, "
         "the picture will follow the new boundaries.",
         "TChartImageToolEditor"},
        {"TMarksTipTool", "Mark Tips",
         "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series point.",
         "TMarksTipToolEdit"},
        {"TAnnotationTool", "Annotation", "Displays custom text at any location inside Chart.", "TAnnotationToolEdit"},
        {"TSeriesAnimationTool", "Series Animation", "Performs growing animation of Series points.",
         "TSeriesAnimToolEditor"},
        {"TGridBandTool", "Grid Band",
         "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the specified axis "
         "and position.",
         "TGridBandToolEdit"},
        {"TAxisScrollTool", "Axis Scroll", "Allows the scrolling of Axes by mouse dragging", "TAxisScrollEditor"},
        {"TRectangleTool", "Rectangle", "Displays custom text at any location inside Chart within a resizable box.",
         "TAnnotationToolEdit"},
        {"TClipSeriesTool", "Clip Series", "Restricts Series painting outside Series associated axes boundaries.",
         "TSeriesToolEditor"},
        {"TFullScreenTool", "Full Screen", "Show Chart maximized to full screen", ""},
    };
    for (const ToolText& t : texts) {
        const int index = [&] {
            for (int i = 0; i < PlotToolTypes().Count(); ++i)
                if (std::string(PlotToolTypes()[i].ClassName()) == t.ClassName)
                    return i;
            return -1;
        }();
        ASSERT_GE(index, 0) << t.ClassName;
        std::unique_ptr<TCustomChartElement> e(PlotToolTypes()[index].Create(nullptr));
        auto* tool = dynamic_cast<TPlotCustomTool*>(e.get());
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->Description(), t.Caption);
        EXPECT_EQ(tool->LongDescription(), t.LongDescription);
        EXPECT_EQ(tool->EditorClassName(), t.Editor);
    }
}

namespace {
class TToolsInTheDrawSequence : public ToolChartTest {};
}  // namespace

TEST_F(TToolsInTheDrawSequence, BandBehindComesBeforeTheSeriesAnnotationAfterAndInactiveToolsDrawNothing)
{
    TTestLineSeries& series = AddLine({{1, 10}, {9, 90}});
    series.SetSeriesColor(clBlue);
    TColorBandTool band;
    band.SetColor(clLime);
    band.SetStartValue(20);
    band.SetEndValue(40);
    band.SetAxis(chart.LeftAxis());
    TAnnotationTool note;
    note.SetText("Note");
    note.SetParentChart(&chart);
    TCursorTool cursor;
    cursor.SetActive(false);
    int cursorChanges = 0;
    cursor.OnChange = [&](TCursorTool&, int, int, double, double, TChartSeries*, int) { ++cursorChanges; };
    cursor.SetParentChart(&chart);
    Draw();
    int bandAt = -1, seriesAt = -1, noteAt = -1;
    const auto lines = device.Lines(true);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::string& l = lines[static_cast<std::size_t>(i)];
        if (bandAt < 0 && l.rfind("Rectangle", 0) == 0 && l.find("brush=[solid 0x00FF00") != std::string::npos)
            bandAt = i;
        if (seriesAt < 0 && l.rfind("LineTo", 0) == 0 && l.find("0xFF0000") != std::string::npos)
            seriesAt = i;
        if (noteAt < 0 && l.rfind("TextOut", 0) == 0 && l.find("Note") != std::string::npos)
            noteAt = i;
    }
    ASSERT_GE(bandAt, 0);
    ASSERT_GE(seriesAt, 0);
    ASSERT_GE(noteAt, 0);
    EXPECT_LT(bandAt, seriesAt);
    EXPECT_LT(seriesAt, noteAt);
    EXPECT_EQ(cursorChanges, 0);
    EXPECT_EQ(cursor.X(), -1);
    cursor.SetParentChart(nullptr);
    note.SetParentChart(nullptr);
    band.SetAxis(nullptr);
}
