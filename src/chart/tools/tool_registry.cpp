#include "chart/tools/tool_registry.h"

#include "chart/tools/cursor_tool.h"

std::vector<TToolClass> PlotToolClasses()
{
    // the table's order; the classes of the other tools take their places between these
    return {
        ToolClassOf<TCursorTool>(),
    };
}

void RegisterPlotTools() { RegisterToolTypes(PlotToolClasses()); }

void UnregisterPlotTools() { UnregisterToolTypes(PlotToolClasses()); }
