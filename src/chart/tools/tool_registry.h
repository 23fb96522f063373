#pragma once
// The chart tool classes in their registration order, handed to the tool-type
// registry when the tools unit starts and taken out when it stops.
#include <vector>

#include "chart/series_types.h"

std::vector<TToolClass> PlotToolClasses();
void RegisterPlotTools();
void UnregisterPlotTools();
