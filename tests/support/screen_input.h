#pragma once
// Input and pictures through the window system, for the runs on a real X
// display: clicks sent to the X server (XTEST) reach the program as a
// user's would, through the window manager, and pictures of the screen are
// read from the X server, so they show what reached it, from a thread of
// their own while the program is busy. Elsewhere (offscreen) the clicks are
// Qt's test input and the pictures the platform's grab of the screen.
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <thread>
#include <vector>

#ifdef VEXA_TEST_X11_INPUT
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#endif

inline bool OnX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

#ifdef VEXA_TEST_X11_INPUT
namespace screen_input_detail {

// A connection of its own to the X server; null when there is none.
class TX11Link {
public:
    TX11Link()
    {
        int screen = 0;
        m_connection = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(m_connection)) {
            xcb_disconnect(m_connection);
            m_connection = nullptr;
            return;
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screen && it.rem; ++i)
            xcb_screen_next(&it);
        m_root = it.data->root;
    }
    ~TX11Link()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }
    TX11Link(const TX11Link&) = delete;
    TX11Link& operator=(const TX11Link&) = delete;

    bool Valid() const { return m_connection != nullptr; }

    void Click(QPoint global, std::uint8_t button)
    {
        const auto x = static_cast<std::int16_t>(global.x());
        const auto y = static_cast<std::int16_t>(global.y());
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, x, y, 0);
        xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        Sync();
    }

    // Notches of the wheel at a point: X11 gives each as a press and release
    // of button 4 (away from the user) or 5 (towards the user).
    void Wheel(QPoint global, int notches)
    {
        const auto x = static_cast<std::int16_t>(global.x());
        const auto y = static_cast<std::int16_t>(global.y());
        const std::uint8_t button = notches > 0 ? 4 : 5;
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, x, y, 0);
        for (int i = 0; i < std::abs(notches); ++i) {
            xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        }
        Sync();
    }

    // Presses the keys of Keysyms in order, then releases them in reverse
    // order (modifiers first, the key last).
    void Keys(std::initializer_list<std::uint32_t> keysyms)
    {
        std::vector<std::uint8_t> codes;
        for (const std::uint32_t keysym : keysyms)
            if (const std::uint8_t code = KeyCode(keysym))
                codes.push_back(code);
        for (const std::uint8_t code : codes)
            xcb_test_fake_input(m_connection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto it = codes.rbegin(); it != codes.rend(); ++it)
            xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        Sync();
    }

    // The root window's pixels in Area (24-bit depth), as the X server holds them.
    QImage Grab(const QRect& area)
    {
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            m_connection,
            xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, static_cast<std::int16_t>(area.x()),
                          static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
                          static_cast<std::uint16_t>(area.height()), ~0u),
            nullptr);
        if (!reply)
            return {};
        QImage image;
        if (xcb_get_image_data_length(reply) >= area.width() * area.height() * 4)
            image = QImage(xcb_get_image_data(reply), area.width(), area.height(), area.width() * 4,
                           QImage::Format_RGB32)
                        .copy();
        std::free(reply);
        return image;
    }

private:
    void Sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    // The key that gives Keysym without shift, or 0.
    std::uint8_t KeyCode(std::uint32_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const std::uint8_t first = setup->min_keycode;
        const auto count = static_cast<std::uint8_t>(setup->max_keycode - first + 1);
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, first, count), nullptr);
        if (!reply)
            return 0;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        const int per = reply->keysyms_per_keycode;
        std::uint8_t found = 0;
        for (int k = 0; k < count && !found; ++k)
            if (per > 0 && syms[k * per] == keysym)
                found = static_cast<std::uint8_t>(first + k);
        std::free(reply);
        return found;
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
};

inline TX11Link& Link()
{
    static TX11Link link;
    return link;
}

} // namespace screen_input_detail
#endif

// True when clicks and pictures go through the X server.
inline bool ScreenInputThroughX11()
{
#ifdef VEXA_TEST_X11_INPUT
    return OnX11() && screen_input_detail::Link().Valid();
#else
    return false;
#endif
}

#ifdef VEXA_TEST_X11_INPUT
namespace screen_input_detail {

// Sends input through the X server with send. The input comes back through
// the window manager, late on a busy machine: waits until an event of type
// release (the input's last) reaches the program.
template <class TSend>
void SendAndWait(QEvent::Type release, TSend send)
{
    struct TReleaseSeen : QObject {
        QEvent::Type type = QEvent::None;
        bool seen = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == type)
                seen = true;
            return false;
        }
    } seen;
    seen.type = release;
    qApp->installEventFilter(&seen);
    send();
    const bool arrived = QTest::qWaitFor([&seen] { return seen.seen; }, 10000);
    qApp->removeEventFilter(&seen);
    if (arrived)
        QTest::qWait(50);
}

} // namespace screen_input_detail
#endif

// A left click at a point of a shown widget, as the user's hand gives it.
inline void ClickOnScreen(QWidget* widget, QPoint at)
{
#ifdef VEXA_TEST_X11_INPUT
    if (ScreenInputThroughX11()) {
        screen_input_detail::SendAndWait(QEvent::MouseButtonRelease, [&] {
            screen_input_detail::Link().Click(widget->mapToGlobal(at), 1);
        });
        return;
    }
#endif
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

// Notches of the mouse wheel over a point of a shown widget, through the X
// server; positive turns away from the user. Answers whether the program
// got them all (off X11 nothing is sent: false).
inline bool WheelOnScreen(QWidget* widget, QPoint at, int notches)
{
#ifdef VEXA_TEST_X11_INPUT
    if (ScreenInputThroughX11()) {
        struct TWheelsSeen : QObject {
            int steps = 0;  // in eighths of a degree, as the events carry them
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Wheel)
                    steps += std::abs(static_cast<QWheelEvent*>(event)->angleDelta().y());
                return false;
            }
        } wheels;
        // the window's own events: each notch once, before a widget takes it
        widget->window()->windowHandle()->installEventFilter(&wheels);
        screen_input_detail::Link().Wheel(widget->mapToGlobal(at), notches);
        const int wanted = 120 * std::abs(notches);
        const bool seen = QTest::qWaitFor([&wheels, wanted] { return wheels.steps >= wanted; }, 10000);
        widget->window()->windowHandle()->removeEventFilter(&wheels);
        QTest::qWait(50);
        return seen;
    }
#endif
    (void)widget;
    (void)at;
    (void)notches;
    return false;
}

#ifdef VEXA_TEST_X11_INPUT
namespace screen_input_detail {

// The X keysym of a key without shift: digits, lower-case letters and the
// keys named below; 0 for any other.
inline std::uint32_t Keysym(Qt::Key key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint32_t>(key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint32_t>(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 0xffbe + static_cast<std::uint32_t>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_Period:
        return 0x2e;
    default:
        return 0;
    }
}

} // namespace screen_input_detail
#endif

// A key pressed with Modifiers (Control, Alt, Shift) held, as the user types
// it, on the window that has the keyboard: Widget's, which must be active.
inline void KeyOnScreen(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
#ifdef VEXA_TEST_X11_INPUT
    if (ScreenInputThroughX11()) {
        const std::uint32_t keysym = screen_input_detail::Keysym(key);
        std::uint32_t held = 0;
        if (modifiers & Qt::ControlModifier)
            held = 0xffe3;  // Control_L
        else if (modifiers & Qt::AltModifier)
            held = 0xffe9;  // Alt_L
        else if (modifiers & Qt::ShiftModifier)
            held = 0xffe1;  // Shift_L
        screen_input_detail::SendAndWait(QEvent::KeyRelease, [&] {
            if (held)
                screen_input_detail::Link().Keys({held, keysym});
            else
                screen_input_detail::Link().Keys({keysym});
        });
        return;
    }
#endif
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : widget;
    QTest::keyClick(target, key, modifiers);
    QApplication::processEvents();
}

// The screen's pixels in Area (global coordinates) as they are shown now.
inline QImage ScreenShot(const QRect& area)
{
    QApplication::processEvents();
#ifdef VEXA_TEST_X11_INPUT
    if (ScreenInputThroughX11())
        return screen_input_detail::Link().Grab(area);
#endif
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage() : QImage();
}

// Where the widget lies on the screen, the screen shows it as it paints
// itself now.
inline bool ShowsOnScreen(QWidget* widget)
{
    const QRect place(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    return ScreenShot(place) == widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pictures of a screen area taken every IntervalMs by a thread of its own,
// from Start to Stop: what reached the X server while the program's own
// thread was busy. Records nothing off X11.
class TScreenRecorder {
public:
    ~TScreenRecorder() { Stop(); }
    void Start(const QRect& area, int intervalMs)
    {
#ifdef VEXA_TEST_X11_INPUT
        if (!ScreenInputThroughX11())
            return;
        m_running = true;
        m_thread = std::thread([this, area, intervalMs] {
            screen_input_detail::TX11Link link;
            const auto start = std::chrono::steady_clock::now();
            int k = 0;
            while (m_running && link.Valid()) {
                QImage frame = link.Grab(area);
                {
                    const std::lock_guard<std::mutex> lock(m_mutex);
                    m_frames.push_back(std::move(frame));
                }
                ++k;
                std::this_thread::sleep_until(start + std::chrono::milliseconds(k * intervalMs));
            }
        });
#else
        (void)area;
        (void)intervalMs;
#endif
    }
    std::vector<QImage> Stop()
    {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_frames;
    }

private:
    std::atomic<bool> m_running{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<QImage> m_frames;
};
