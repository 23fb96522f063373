#include "shell/startup.h"

#include "chart/chart_engine.h"
#include "core/random_numbers.h"
#include "shell/mdi_child.h"
#include "shell/version_info.h"

void RunUnitInitializations()
{
    // string and sorting units, chart unit (randomizes), matrix unit, string
    // centring unit: the generator leaves start-up in a fixed state
    InitializeRandomSeeding();
    SetGlobalAskOnClose(true);
    // the chart engine's own start-up leaves the generator alone
    StartChartEngine();
    InitializeVersionInfo();
}

void RunUnitFinalizations()
{
    StopChartEngine();
}
