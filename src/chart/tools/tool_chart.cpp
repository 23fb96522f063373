#include "chart/tools/tool_chart.h"

#include "chart/axis_panel.h"
#include "chart/chart_series.h"
#include "chart/chart_tool.h"
#include "chart/plot_panel.h"
#include "platform/system_colors.h"

TCustomPlotPanel* ToolPanel(const TPlotCustomTool& Tool)
{
    TSeriesParent* chart = Tool.ParentChart();
    return chart ? chart->Panel() : nullptr;
}

TCustomAxisPanel* ToolAxisPanel(const TPlotCustomTool& Tool)
{
    return dynamic_cast<TCustomAxisPanel*>(Tool.ParentChart());
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

TChartSeries* SeriesMarkAt(const TPlotCustomTool& Tool, int X, int Y, int& Index)
{
    Index = -1;
    const TCustomAxisPanel* chart = ToolAxisPanel(Tool);
    if (!chart)
        return nullptr;
    for (int i = chart->SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = chart->Series(i);
        if (!s->Active() || !s->Marks().Visible())
            continue;
        Index = s->Marks().Clicked(X, Y);
        if (Index != -1)
            return s;
    }
    return nullptr;
}

TChartSeries* SeriesPointAt(const TPlotCustomTool& Tool, int X, int Y, int& Index)
{
    Index = -1;
    const TCustomAxisPanel* chart = ToolAxisPanel(Tool);
    if (!chart)
        return nullptr;
    for (int i = chart->SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = chart->Series(i);
        if (!s->Active())
            continue;
        Index = s->Clicked(X, Y);
        if (Index != -1)
            return s;
    }
    return nullptr;
}
