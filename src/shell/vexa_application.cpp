#include "shell/vexa_application.h"

#include "platform/event_guard.h"
#include "shell/wait_scope.h"

#include <exception>

TVexaApplication::TVexaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVexaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        HandleEventException(e.what());
    } catch (...) {
        HandleEventException("Unknown error");
    }
    return false;
}

void HandleEventException(const char* message) noexcept
{
    try {
        CloseWaitWindow();
    } catch (...) {
        // the error box below still has to come
    }
    platform::ReportException(message);
}
