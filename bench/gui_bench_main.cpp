// Benchmark entry for drawing benchmarks: a headless QApplication for fonts and
// the instrument widgets, the chart engine started around the runs.
#include "chart/chart_engine.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    StartChartEngine();
    benchmark::RunSpecifiedBenchmarks();
    StopChartEngine();
    benchmark::Shutdown();
    return 0;
}
