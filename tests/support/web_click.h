#pragma once
// A user's click on a page shown by the WebEngine view: a mouse move, press
// and release on the engine's own widget, as the window system delivers them.
#include "platform/qt_web_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointF>
#include <QWebEngineView>

// Pages put the element to click at the top left, 200 x 100 pixels.
inline constexpr const char* kClickBoxStyle =
    "position:absolute;left:0;top:0;width:200px;height:100px;display:block";

inline bool ClickPage(platform::QtWebView& View, QPointF At = QPointF(50, 50))
{
    QWidget* target = View.Engine()->focusProxy();
    if (!target)
        return false;
    const QPointF global = target->mapToGlobal(At);
    QMouseEvent move(QEvent::MouseMove, At, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent press(QEvent::MouseButtonPress, At, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, At, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    return true;
}
