#include "chart/tools/clip_series_tool.h"

#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"

TClipSeriesTool::TClipSeriesTool(QObject* Owner) : TPlotCustomToolSeries(Owner) {}

std::string TClipSeriesTool::Description() const { return ProMsgToolClipSeries; }
std::string TClipSeriesTool::LongDescription() const { return ProMsgToolClipSeriesDesc; }

void TClipSeriesTool::SeriesDrawEvent(int Event)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    if (Event == 1) {
        const TChartAxis* h = GetHorizAxis();
        const TChartAxis* v = GetVertAxis();
        if (!h || !v || !panel->CanClip())
            return;
        panel->Canvas()->ClipRectangle(TRect{h->StartPos(), v->StartPos(), h->EndPos(), v->EndPos()});
        m_clipped = true;
    } else if (Event == 4 && m_clipped) {
        panel->Canvas()->UnClip();
        m_clipped = false;
    }
}
