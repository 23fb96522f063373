#pragma once
// What the tools of this folder ask of the chart they sit on.
#include "base/basic_types.h"
#include "chart/chart_input.h"

class TCanvas3D;
class TCustomPlotPanel;
class TPlotCustomTool;

// The panel the tool's chart draws on; nullptr without a chart.
TCustomPlotPanel* ToolPanel(const TPlotCustomTool& Tool);
// Tells the tool's chart that the mouse event was (not) taken.
void SetToolMouseHandled(const TPlotCustomTool& Tool, bool Value);
bool ToolMouseHandled(const TPlotCustomTool& Tool);
// Sets the mouse cursor of the tool's chart.
void SetToolChartCursor(const TPlotCustomTool& Tool, TCursor Cursor);
// RGB of the panel's colour, the default colour read as the button face.
TColor PanelBackRGB(const TCustomPlotPanel& Panel);
// The pen colour that exclusive-or drawing over the panel's colour shows as Color.
TColor XorPenColor(const TCustomPlotPanel& Panel, TColor Color);
