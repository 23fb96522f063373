#include "chart/tools/tool_chart.h"

#include "chart/chart_tool.h"
#include "chart/plot_panel.h"
#include "platform/system_colors.h"

TCustomPlotPanel* ToolPanel(const TPlotCustomTool& Tool)
{
    TSeriesParent* chart = Tool.ParentChart();
    return chart ? chart->Panel() : nullptr;
}

void SetToolMouseHandled(const TPlotCustomTool& Tool, bool Value)
{
    if (TSeriesParent* chart = Tool.ParentChart())
        chart->SetMouseHandled(Value);
}

bool ToolMouseHandled(const TPlotCustomTool& Tool)
{
    TSeriesParent* chart = Tool.ParentChart();
    return chart && chart->IsMouseHandled();
}

void SetToolChartCursor(const TPlotCustomTool& Tool, TCursor Cursor)
{
    if (TCustomPlotPanel* panel = ToolPanel(Tool))
        panel->SetCursor(Cursor);
}

TColor PanelBackRGB(const TCustomPlotPanel& Panel)
{
    TColor c = Panel.Color();
    if (c == clDefault)
        c = platform::SystemColor(platform::SystemColorIndex::BtnFace);
    return platform::ColorToRGB(c) & 0xFFFFFFu;
}

TColor XorPenColor(const TCustomPlotPanel& Panel, TColor Color)
{
    return (platform::ColorToRGB(Color) ^ PanelBackRGB(Panel)) & 0xFFFFFFu;
}
