#include "window_base/wait_scope.h"

#include "window_base/message_window.h"

namespace {

QPointer<TFMsge> g_current;

} // namespace

TWaitScope::TWaitScope(const QString& Text, int FontSize, bool WithBackdrop, int Height, int Width)
{
    m_window = ShowWaitMessage(Text, FontSize, WithBackdrop, Height, Width);
    g_current = m_window;
}

TWaitScope::~TWaitScope()
{
    Free();
}

void TWaitScope::Free()
{
    if (g_current == m_window)
        g_current = nullptr;
    FreeMessageWindow(m_window);
}

void CloseWaitWindow()
{
    FreeMessageWindow(g_current);
}

TFMsge* CurrentWaitWindow()
{
    return g_current.data();
}
