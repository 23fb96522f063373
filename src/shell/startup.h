#pragma once
// The start-up steps of the program's units, run once before the
// application object exists, in their fixed order; the shut-down steps run
// after the main window is gone, in the reverse order.
void RunUnitInitializations();
void RunUnitFinalizations();

// A normal start prints nothing: quiets Qt's debug, info and warning output
// and the web engine's own logging (the variables must be set before the
// application object exists). With VEXA_DIAGNOSTICS set to anything but 0
// nothing is changed; a QT_LOGGING_RULES or a --log-level in
// QTWEBENGINE_CHROMIUM_FLAGS that the user set is kept.
void ConfigureDiagnostics();
