// Test entry for suites that need a QApplication: headless, WebEngine-ready.
// Each test process gets a temporary folder of its own, since ctest runs many at
// once and the program writes files of fixed names there. Suites built with
// VEXA_TEST_CHART_ENGINE run between the chart engine's start-up and shut-down;
// suites built with VEXA_TEST_STILL_TIMERS start no window timer (their tests
// call the ticks).
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

#ifdef VEXA_TEST_CHART_ENGINE
#include "chart/chart_engine.h"
#endif
#ifdef VEXA_TEST_STILL_TIMERS
#include "windows/population_window.h"
#endif

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);

    QTemporaryDir processTemp(QDir::tempPath() + "/vexa-test-XXXXXX");
    if (processTemp.isValid())
        setenv("TMPDIR", processTemp.path().toLocal8Bit().constData(), 1);

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
#ifdef VEXA_TEST_STILL_TIMERS
        TFPoblacion::SetLiveTimers(false);
#endif
#ifdef VEXA_TEST_CHART_ENGINE
        StartChartEngine();
#endif
        result = RUN_ALL_TESTS();
#ifdef VEXA_TEST_CHART_ENGINE
        StopChartEngine();
#endif
    }
    return result;
}
