#include "platform/window_system.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#ifdef VEXA_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#endif

namespace platform {

namespace {

std::optional<bool> g_opacityShows;

#ifdef VEXA_HAVE_XCB
xcb_connection_t* X11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// A compositing manager owns the selection _NET_WM_CM_S<screen>.
bool CompositorRunning(xcb_connection_t* c)
{
    const std::string name = "_NET_WM_CM_S0";  // the default screen
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool running = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return running;
}
#endif

} // namespace

bool WindowOpacityShows()
{
    if (g_opacityShows)
        return *g_opacityShows;
#ifdef VEXA_HAVE_XCB
    if (xcb_connection_t* c = X11Connection())
        return CompositorRunning(c);
#endif
    return true;
}

void SetWindowOpacityShows(std::optional<bool> answer)
{
    g_opacityShows = answer;
}

void ShowPaintedNow(QWidget* widget)
{
    if (!widget || !widget->isVisible())
        return;
    // the window's pending paint, which Qt may keep for its next frame:
    // every widget changed since the last one, painted and flushed together
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(widget->window(), &request);
    // and the window system has taken it when this returns
    QGuiApplication::sync();
}

} // namespace platform
