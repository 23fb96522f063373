#pragma once
// Start-up and shut-down of the chart engine's shared state, unit by unit in a
// fixed order (shut-down in the reverse order). Each unit keeps a start count:
// it starts on its first start request and stops on its last stop request.
// Start-up never touches the random generator.
#include <string>
#include <vector>

void StartChartEngine();
void StopChartEngine();

// The started units, in start-up order.
std::vector<std::string> ChartEngineUnits();
// The units the last StopChartEngine shut down, in the order it did.
std::vector<std::string> ChartEngineLastShutDown();
