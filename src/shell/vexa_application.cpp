#include "shell/vexa_application.h"

#include "platform/event_guard.h"
#include "window_base/wait_scope.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
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

namespace {

// Sees the window hidden by its accepted close. The close's own questions
// may run event loops of their own while the close event is still being
// handled, so it is the hiding that counts, not the close event.
class TCloseWatch : public QObject {
public:
    TCloseWatch(QWidget* window, std::function<void()> onClosed)
        : QObject(window), m_window(window), m_onClosed(std::move(onClosed))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // minimising hides the window on the window system's say, not the program's
        if (watched == m_window && event->type() == QEvent::Hide && !event->spontaneous())
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_window && m_window->isHidden() && m_onClosed && !m_done) {
                        m_done = true;
                        m_onClosed();
                    }
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_onClosed;
    bool m_done = false;
};

} // namespace

void WhenMainWindowCloses(QWidget* Window, std::function<void()> OnClosed)
{
    if (Window)
        new TCloseWatch(Window, std::move(OnClosed));
}

int RunMainWindow(QWidget& MainWindow)
{
    // the loop ends with the main window, not with the last window shown
    QApplication::setQuitOnLastWindowClosed(false);
    WhenMainWindowCloses(&MainWindow, [] { QCoreApplication::quit(); });
    MainWindow.show();
    MainWindow.activateWindow();
    return QCoreApplication::exec();
}
