#include "chart/chart_engine.h"
#include "chart/chart_messages.h"
#include "core/random_numbers.h"
#include "window_base/mdi_child.h"
#include "shell/startup.h"
#include "shell/version_info.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <optional>

TEST(StartUp, LeavesTheGeneratorInAFixedState)
{
    SetRandSeed(99);
    RunUnitInitializations();
    RunUnitFinalizations();
    const std::uint32_t first = RandSeed();
    SetRandSeed(12345);
    Randomize();
    RunUnitInitializations();
    RunUnitFinalizations();
    EXPECT_EQ(RandSeed(), first);
    SetRandSeed(0);
    InitializeRandomSeeding();
    EXPECT_EQ(RandSeed(), first);
}

TEST(StartUp, VersionTextsAndSwitches)
{
    SetGlobalAskOnClose(false);
    RunUnitInitializations();
    RunUnitFinalizations();
    EXPECT_TRUE(GlobalAskOnClose());
    EXPECT_EQ(ProgramTitle(), "Vexa 1.0");
    EXPECT_EQ(BuildDate(), "2/2011");
    EXPECT_EQ(ApplicationFolder(), "");
    SetApplicationFolder(QStringLiteral("/opt/vexa"));
    EXPECT_EQ(ApplicationFolder(), "/opt/vexa/");
    EXPECT_EQ(DocumentsFolder(), "/opt/vexa/Docs");
    EXPECT_EQ(SpreadsheetsFolder(), "/opt/vexa/Excel");
    InitializeVersionInfo();
    EXPECT_EQ(DocumentsFolder(), "");
}

TEST(StartUp, StartsTheChartEngineAndStopsIt)
{
    // the test program has started the engine already: one more start and stop
    // keeps it running
    RunUnitInitializations();
    EXPECT_EQ(ChartEngineUnits().front(), "PlotHtml");
    EXPECT_EQ(PlotMsgValuesX, "X");
    RunUnitFinalizations();
    EXPECT_TRUE(ChartEngineLastShutDown().empty());
    EXPECT_EQ(PlotMsgValuesX, "X");
}

namespace {

// Sets the variables for one test and puts the former values back.
class ScopedEnvironment {
public:
    ScopedEnvironment()
    {
        for (const char* name : Names)
            m_saved.append(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt);
        for (const char* name : Names)
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        QLoggingCategory::setFilterRules(QString());
        for (int i = 0; i < Names.size(); ++i) {
            if (m_saved[i])
                qputenv(Names[i], *m_saved[i]);
            else
                qunsetenv(Names[i]);
        }
    }
    const QList<const char*> Names{"VEXA_DIAGNOSTICS", "QT_LOGGING_RULES", "QTWEBENGINE_CHROMIUM_FLAGS"};

private:
    QList<std::optional<QByteArray>> m_saved;
};

} // namespace

TEST(StartUpDiagnostics, ANormalStartQuietsQtAndTheWebEngine)
{
    ScopedEnvironment env;
    ConfigureDiagnostics();
    EXPECT_EQ(qgetenv("QT_LOGGING_RULES"), "*.debug=false;*.info=false;*.warning=false");
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), "--log-level=3");
    // this process's logging already read the environment: its rules are set too
    const QLoggingCategory category("vexa.startup.test");
    EXPECT_FALSE(category.isWarningEnabled());
    EXPECT_FALSE(category.isInfoEnabled());
    EXPECT_TRUE(category.isCriticalEnabled());
}

TEST(StartUpDiagnostics, TheUsersOwnSettingsAreKept)
{
    ScopedEnvironment env;
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=true");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    ConfigureDiagnostics();
    EXPECT_EQ(qgetenv("QT_LOGGING_RULES"), "qt.webenginecontext.info=true");
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), "--disable-gpu --log-level=3");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--log-level=0");
    ConfigureDiagnostics();
    EXPECT_EQ(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), "--log-level=0");
}

TEST(StartUpDiagnostics, DiagnosticsVariableLeavesEverythingAsItWas)
{
    ScopedEnvironment env;
    qputenv("VEXA_DIAGNOSTICS", "1");
    ConfigureDiagnostics();
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_LOGGING_RULES"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"));
    qputenv("VEXA_DIAGNOSTICS", "0");
    ConfigureDiagnostics();
    EXPECT_TRUE(qEnvironmentVariableIsSet("QT_LOGGING_RULES"));
}
