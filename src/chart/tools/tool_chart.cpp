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

TColor NotXorPenColor(const TCustomPlotPanel& Panel, TColor Color)
{
    return XorPenColor(Panel, Color) ^ 0xFFFFFFu;
}

namespace {

// The first active series of the tool's chart, last to first, for which Hit
// answers an index other than -1.
template <typename H>
TChartSeries* FirstSeriesHit(const TPlotCustomTool& Tool, int& Index, H Hit)
{
    Index = -1;
    const TCustomAxisPanel* chart = ToolAxisPanel(Tool);
    if (!chart)
        return nullptr;
    for (int i = chart->SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = chart->Series(i);
        if (!s->Active())
            continue;
        Index = Hit(*s);
        if (Index != -1)
            return s;
    }
    return nullptr;
}

}  // namespace

TChartSeries* SeriesMarkAt(const TPlotCustomTool& Tool, int X, int Y, int& Index)
{
    return FirstSeriesHit(Tool, Index,
                          [X, Y](const TChartSeries& S) { return S.Marks().Visible() ? S.Marks().Clicked(X, Y) : -1; });
}

TChartSeries* SeriesPointAt(const TPlotCustomTool& Tool, int X, int Y, int& Index)
{
    return FirstSeriesHit(Tool, Index, [X, Y](const TChartSeries& S) { return S.Clicked(X, Y); });
}
