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

// Sees the close event go by; whether it was accepted shows once it has been handled.
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
        if (watched == m_window && event->type() == QEvent::Close)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_window && !m_window->isVisible() && m_onClosed)
                        m_onClosed();
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_onClosed;
};

} // namespace

void WhenMainWindowCloses(QWidget* Window, std::function<void()> OnClosed)
{
    if (Window)
        new TCloseWatch(Window, std::move(OnClosed));
}
