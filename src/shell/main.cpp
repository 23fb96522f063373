// The program: unit start-up, the application object titled "VeXA" and the
// main window, then the message loop until the main window closes, and the
// units' shut-down.
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/vexa_application.h"

#include <QByteArray>
#include <unistd.h>

int main(int argc, char** argv)
{
    ConfigureDiagnostics();
    RunUnitInitializations();
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TVexaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VeXA"));

    int result = 0;
    {
        TFMain mainWindow;
        result = RunMainWindow(mainWindow);
    }
    RunUnitFinalizations();
    return result;
}
