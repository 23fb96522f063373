#pragma once
// The start-up steps of the program's units, run once before the
// application object exists, in their fixed order; the shut-down steps run
// after the main window is gone, in the reverse order.
void RunUnitInitializations();
void RunUnitFinalizations();
