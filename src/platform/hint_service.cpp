#include "platform/hint_service.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <algorithm>

#include "platform/clock.h"

namespace platform {

namespace {
// How often the timer looks at the clock while a hint is pending or shown.
constexpr int kTickMilliseconds = 25;
}  // namespace

HintService::~HintService()
{
    // after the application object is gone a window can no longer be freed;
    // the timer went with it
    if (QCoreApplication::instance() && m_window)
        delete m_window.data();
}

HintService& ApplicationHints()
{
    static HintService service;
    return service;
}

void HintService::SetHintPause(int Value) { m_hintPause = std::max(Value, 0); }

void HintService::SetHintHidePause(int Value) { m_hintHidePause = std::max(Value, 0); }

double HintService::Now() const { return CurrentClock().MonotonicSeconds(); }

void HintService::ActivateHint(const QPoint& ScreenPoint, const std::string& Text)
{
    Hide();
    m_text = Text;
    m_position = ScreenPoint;
    m_state = State::Pending;
    m_since = Now();
    StartTimer();
    Tick();
}

void HintService::CancelHint()
{
    if (m_state == State::Idle)
        return;
    Hide();
    m_state = State::Idle;
    if (m_timer)
        m_timer->stop();
}

void HintService::Tick()
{
    const double elapsed = (Now() - m_since) * 1000.0;
    if (m_state == State::Pending && elapsed >= m_hintPause) {
        m_state = State::Shown;
        m_since = Now();
        Show();
    } else if (m_state == State::Shown && elapsed >= m_hintHidePause) {
        CancelHint();
    }
}

void HintService::Show()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (!m_window) {
        m_window = new QLabel;
        m_window->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        m_window->setObjectName("HintWindow");
        m_window->setAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setMargin(2);
        m_window->setStyleSheet("QLabel { background: #FFFFE1; color: black; border: 1px solid black; }");
    }
    m_window->setText(QString::fromStdString(m_text));
    m_window->adjustSize();
    // below and right of the point, as the mouse cursor leaves the text free
    m_window->move(m_position + QPoint(0, 20));
    m_window->show();
}

void HintService::Hide()
{
    if (m_window)
        delete m_window.data();
}

void HintService::StartTimer()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (!m_timer) {
        m_timer = new QTimer(app);
        QObject::connect(m_timer.data(), &QTimer::timeout, [this] { Tick(); });
    }
    m_timer->start(kTickMilliseconds);
}

}  // namespace platform
