#include "shell/startup.h"

#include "core/random_numbers.h"
#include "window_base/mdi_child.h"
#include "shell/version_info.h"

void RunUnitInitializations()
{
    // string and sorting units, chart unit (randomizes), matrix unit, string
    // centring unit: the generator leaves start-up in a fixed state
    InitializeRandomSeeding();
    SetGlobalAskOnClose(true);
    InitializeVersionInfo();
}
