#pragma once
// The start-up steps of the program's units, run once before the
// application object exists, in their fixed order.
void RunUnitInitializations();
