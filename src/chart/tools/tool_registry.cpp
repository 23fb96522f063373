#include "chart/tools/tool_registry.h"

#include "chart/tools/annotation_tool.h"
#include "chart/tools/axis_arrow_tool.h"
#include "chart/tools/axis_scroll_tool.h"
#include "chart/tools/chart_image_tool.h"
#include "chart/tools/clip_series_tool.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/color_line_tool.h"
#include "chart/tools/cursor_tool.h"
#include "chart/tools/drag_marks_tool.h"
#include "chart/tools/draw_line_tool.h"
#include "chart/tools/full_screen_tool.h"
#include "chart/tools/grid_band_tool.h"
#include "chart/tools/marks_tip_tool.h"
#include "chart/tools/nearest_tool.h"
#include "chart/tools/rectangle_tool.h"
#include "chart/tools/rotate_tool.h"
#include "chart/tools/series_animation_tool.h"

std::vector<TToolClass> PlotToolClasses()
{
    return {
        ToolClassOf<TCursorTool>(),          ToolClassOf<TDragMarksTool>(),  ToolClassOf<TAxisArrowTool>(),
        ToolClassOf<TDrawLineTool>(),        ToolClassOf<TNearestTool>(),    ToolClassOf<TColorBandTool>(),
        ToolClassOf<TColorLineTool>(),       ToolClassOf<TRotateTool>(),     ToolClassOf<TChartImageTool>(),
        ToolClassOf<TMarksTipTool>(),        ToolClassOf<TAnnotationTool>(), ToolClassOf<TSeriesAnimationTool>(),
        ToolClassOf<TGridBandTool>(),        ToolClassOf<TAxisScrollTool>(), ToolClassOf<TRectangleTool>(),
        ToolClassOf<TClipSeriesTool>(),      ToolClassOf<TFullScreenTool>(),
    };
}

void RegisterPlotTools() { RegisterToolTypes(PlotToolClasses()); }

void UnregisterPlotTools() { UnregisterToolTypes(PlotToolClasses()); }
