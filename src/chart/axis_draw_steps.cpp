#include "chart/axis_draw_steps.h"

#include "chart/chart_axis.h"
#include "chart/series_parent.h"

void PrepareChartAxes(const TSeriesParent& Chart)
{
    // hidden axes scale too: their series are still placed through them
    for (int i = 0; i < Chart.AxisListCount(); ++i)
        Chart.AxisListItem(i)->AdjustMaxMin();
    SetAxesStartEnd(Chart);
}

TRect ShrinkByAxes(const TSeriesParent& Chart, const TRect& ChartRect,
                   const std::function<void(TChartAxis&, TRect&)>& OnInvisible)
{
    TRect working = ChartRect;
    for (int i = 0; i < Chart.AxisListCount(); ++i) {
        TChartAxis* axis = Chart.AxisListItem(i);
        if (!Chart.AxisShown(*axis)) {
            if (OnInvisible)
                OnInvisible(*axis, working);
            continue;
        }
        TRect copy = working;
        axis->CalcRect(copy, i < 5);
        const bool intersects = copy.Left < ChartRect.Right && ChartRect.Left < copy.Right &&
                                copy.Top < ChartRect.Bottom && ChartRect.Top < copy.Bottom;
        if (intersects)
            working = copy;
    }
    return working;
}

void SetAxesStartEnd(const TSeriesParent& Chart)
{
    for (int i = 0; i < Chart.AxisListCount(); ++i)
        Chart.AxisListItem(i)->SetStartEnd();
}

void WidenAxisByMargins(TChartAxis& Axis, const TRect& Margins)
{
    Axis.AdjustMaxMinRect(Margins);
}

void DrawShownAxes(const TSeriesParent& Chart, const TChartAxis* Skip)
{
    for (int i = 0; i < Chart.AxisListCount(); ++i) {
        TChartAxis* axis = Chart.AxisListItem(i);
        if (axis != Skip && Chart.AxisShown(*axis))
            axis->Draw(true);
    }
}
