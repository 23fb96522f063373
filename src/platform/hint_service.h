#pragma once
// The application's hint window: one text at a time, shown at a screen point
// once the hint pause has passed since it was asked for and hidden again after
// the hide pause. Both pauses are shared by everything that shows hints. Time
// comes from the platform clock; Tick() moves the state on (a timer calls it
// while a hint is pending or shown, tests call it themselves).
#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <string>

namespace platform {

class HintService {
public:
    enum class State { Idle, Pending, Shown };

    HintService() = default;
    ~HintService();
    HintService(const HintService&) = delete;
    HintService& operator=(const HintService&) = delete;

    // Milliseconds from asking for a hint to showing it (negative reads as 0).
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int Value);
    // Milliseconds a shown hint stays up (negative reads as 0).
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int Value);

    // Replaces any hint by Text at the screen point; it shows after the hint pause.
    void ActivateHint(const QPoint& ScreenPoint, const std::string& Text);
    // Hides the hint, pending or shown; nothing when there is none.
    void CancelHint();
    // Shows a pending hint whose pause has passed, hides a shown one whose
    // hide pause has passed.
    void Tick();

    State CurrentState() const { return m_state; }
    const std::string& Text() const { return m_text; }
    QPoint Position() const { return m_position; }
    // The window showing the hint, nullptr when none is shown.
    QLabel* Window() const { return m_window; }

private:
    double Now() const;
    void Show();
    void Hide();
    void StartTimer();

    int m_hintPause = 500;
    int m_hintHidePause = 2500;
    State m_state = State::Idle;
    std::string m_text;
    QPoint m_position;
    // clock seconds when the current state began
    double m_since = 0;
    QPointer<QLabel> m_window;
    QPointer<QTimer> m_timer;
};

// The one hint service of the application.
HintService& ApplicationHints();

}  // namespace platform
