#pragma once
// A frameless window covering the screen that holds one widget while shown.
// It remembers where the widget came from (parent, geometry, layout slot with
// its stretch and alignment) and puts it back there when released. Keys
// pressed in the window or the held widget reach OnKeyDown first.
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class QLayout;

namespace platform {

class FullScreenHost : public QWidget {
public:
    FullScreenHost();
    // Releases the held widget first.
    ~FullScreenHost() override;

    // Moves Widget into this window at the size of its screen and shows it.
    void Take(QWidget* Widget);
    // Gives the widget back to its former parent (no parent when that is
    // gone), geometry and layout slot; nothing when none is held.
    void Release();
    QWidget* Held() const { return m_held; }

    // A key went down (virtual key code); answer true when it is consumed.
    std::function<bool(int VirtualKey)> OnKeyDown;
    // The window is being closed by the system close command; it hides and
    // frees itself afterwards.
    std::function<void()> OnClose;

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool KeyDown(QKeyEvent* Event);

    QPointer<QWidget> m_held;
    QPointer<QWidget> m_parent;
    QPointer<QLayout> m_layout;
    QRect m_geometry;
    // the slot in the former layout: box index, or grid row, column and spans
    int m_index = -1;
    int m_row = -1;
    int m_column = -1;
    int m_rowSpan = 1;
    int m_columnSpan = 1;
    int m_stretch = 0;
    Qt::Alignment m_alignment;
    bool m_wasVisible = false;
};

// The virtual key code of a Qt key (0 when it has none).
int VirtualKeyOf(int QtKey);

}  // namespace platform
