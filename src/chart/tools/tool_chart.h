#pragma once
// What the tools of this folder ask of the chart they sit on.
#include "base/basic_types.h"
#include "chart/chart_input.h"

class TCanvas3D;
class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;
class TCustomPlotPanel;
class TPlotCustomTool;

// The panel the tool's chart draws on; nullptr without a chart.
TCustomPlotPanel* ToolPanel(const TPlotCustomTool& Tool);
// The tool's chart with its series and axes; nullptr without one.
TCustomAxisPanel* ToolAxisPanel(const TPlotCustomTool& Tool);
// Tells the tool's chart that the mouse event was (not) taken.
void SetToolMouseHandled(const TPlotCustomTool& Tool, bool Value);
bool ToolMouseHandled(const TPlotCustomTool& Tool);
// Sets the mouse cursor of the tool's chart.
void SetToolChartCursor(const TPlotCustomTool& Tool, TCursor Cursor);
// RGB of the panel's colour, the default colour read as the button face.
TColor PanelBackRGB(const TCustomPlotPanel& Panel);
// The pen colour that exclusive-or drawing over the panel's colour shows as Color.
TColor XorPenColor(const TCustomPlotPanel& Panel, TColor Color);
// The pen colour that shows Color over the chart's colour in not-exclusive-or
// mode: (white - background) exclusive-or Color.
TColor NotXorPenColor(const TCustomPlotPanel& Panel, TColor Color);
// The active series of the tool's chart, last to first, whose visible marks
// or whose point hit test find a point at (X, Y): the series, or nullptr, and
// the point's index (-1 with nullptr).
TChartSeries* SeriesMarkAt(const TPlotCustomTool& Tool, int X, int Y, int& Index);
TChartSeries* SeriesPointAt(const TPlotCustomTool& Tool, int X, int Y, int& Index);
