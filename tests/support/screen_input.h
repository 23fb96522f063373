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

// A left click at a point of a shown widget, as the user's hand gives it.
inline void ClickOnScreen(QWidget* widget, QPoint at)
{
#ifdef VEXA_TEST_X11_INPUT
    if (ScreenInputThroughX11()) {
        // the press and release come back through the window manager, late
        // on a busy machine: wait for the release to reach the program
        struct TReleaseSeen : QObject {
            bool seen = false;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::MouseButtonRelease)
                    seen = true;
                return false;
            }
        } release;
        qApp->installEventFilter(&release);
        screen_input_detail::Link().Click(widget->mapToGlobal(at), 1);
        const bool seen = QTest::qWaitFor([&release] { return release.seen; }, 10000);
        qApp->removeEventFilter(&release);
        if (seen)
            QTest::qWait(50);
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
