#pragma once
// The axis steps of the chart's draw sequence, over the chart's axis list.
#include <functional>

#include "chart/plot_geometry.h"

class TChartAxis;
class TSeriesParent;

// Limits of every shown axis adjusted to the series, then every axis' start and end.
void PrepareChartAxes(const TSeriesParent& Chart);
// ChartRect shrunk by each shown axis in list order (the first five count as
// standard axes); a step that would leave ChartRect is not taken. An axis
// not shown hands the working rectangle to OnInvisible when it is set.
TRect ShrinkByAxes(const TSeriesParent& Chart, const TRect& ChartRect,
                   const std::function<void(TChartAxis&, TRect&)>& OnInvisible = {});
void SetAxesStartEnd(const TSeriesParent& Chart);
// Keeps Margins pixels free at both ends of the axis.
void WidenAxisByMargins(TChartAxis& Axis, const TRect& Margins);
// Every shown axis but Skip draws itself.
void DrawShownAxes(const TSeriesParent& Chart, const TChartAxis* Skip);
