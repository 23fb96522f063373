#include "chart/tools/tool_registry.h"

#include "chart/tools/annotation_tool.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/color_line_tool.h"
#include "chart/tools/cursor_tool.h"
#include "chart/tools/draw_line_tool.h"
#include "chart/tools/grid_band_tool.h"
#include "chart/tools/rectangle_tool.h"

std::vector<TToolClass> PlotToolClasses()
{
    // the table's order; the classes of the other tools take their places between these
    return {
        ToolClassOf<TCursorTool>(),
        ToolClassOf<TDrawLineTool>(),
        ToolClassOf<TColorBandTool>(),
        ToolClassOf<TColorLineTool>(),
        ToolClassOf<TAnnotationTool>(),
        ToolClassOf<TGridBandTool>(),
        ToolClassOf<TRectangleTool>(),
    };
}

void RegisterPlotTools() { RegisterToolTypes(PlotToolClasses()); }

void UnregisterPlotTools() { UnregisterToolTypes(PlotToolClasses()); }
