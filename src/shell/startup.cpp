#include "shell/startup.h"

#include "chart/chart_engine.h"
#include "core/random_numbers.h"
#include "window_base/mdi_child.h"
#include "shell/version_info.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QtGlobal>

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

void ConfigureDiagnostics()
{
    const QByteArray diagnostics = qgetenv("VEXA_DIAGNOSTICS");
    if (!diagnostics.isEmpty() && diagnostics != "0")
        return;
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        // the variable for the web engine's helper process; the rules for this
        // one, whose logging may have read the environment already
        qputenv("QT_LOGGING_RULES", "*.debug=false;*.info=false;*.warning=false");
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    }
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level")) {
        // 3: fatal errors only
        flags += flags.isEmpty() ? "--log-level=3" : " --log-level=3";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
}
