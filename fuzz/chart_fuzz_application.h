#pragma once
// What a fuzz target on the chart engine and its controls starts with: the
// application and the engine once, and for each input a dialog double that
// answers a question or an error box at once.
#include "qt_fuzz_application.h"

#include "chart/chart_engine.h"
#include "testing/fake_dialogs.h"

inline void StartChartFuzzApplication(int* argc, char*** argv)
{
    StartFuzzApplication(argc, argv);
    StartChartEngine();
}

struct AnsweredDialogs {
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs answering{dialogs};
};
