#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

namespace {
Clipboard* g_clipboard = nullptr;
}

Clipboard& CurrentClipboard()
{
    static QtClipboard system;
    return g_clipboard ? *g_clipboard : system;
}

void SetClipboard(Clipboard* clipboard)
{
    g_clipboard = clipboard;
}

QString QtClipboard::Text() const
{
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::SetText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

} // namespace platform
