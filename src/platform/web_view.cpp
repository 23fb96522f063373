#include "platform/web_view.h"

#include "platform/event_guard.h"
#include "platform/qt_web_view.h"

#include <utility>

namespace platform {

bool WebView::FireBeforeNavigate(const QString& url, NavigationOrigin origin, bool subFrame)
{
    bool cancel = false;
    const NavigationOrigin outerOrigin = std::exchange(m_origin, origin);
    const bool outerFrame = std::exchange(m_subFrame, subFrame);
    if (OnBeforeNavigate)
        GuardEvent([&] { OnBeforeNavigate(url, cancel); });
    m_origin = outerOrigin;
    m_subFrame = outerFrame;
    return cancel;
}

void WebView::FireNavigateComplete(const QString& url)
{
    if (OnNavigateComplete)
        GuardEvent([&] { OnNavigateComplete(url); });
}

void WebView::FireDocumentComplete(const QString& url)
{
    if (OnDocumentComplete)
        GuardEvent([&] { OnDocumentComplete(url); });
}

void WebView::FireCommandStateChange(int command, bool enabled)
{
    if (OnCommandStateChange)
        GuardEvent([&] { OnCommandStateChange(command, enabled); });
}

void WebView::FireProgressChange(int progress, int progressMax)
{
    if (OnProgressChange)
        GuardEvent([&] { OnProgressChange(progress, progressMax); });
}

void WebView::FireNavigateError(const QString& url, int statusCode)
{
    if (OnNavigateError)
        GuardEvent([&] { OnNavigateError(url, statusCode); });
}

void WebView::SetCommandState(bool back, bool forward)
{
    if (forward != m_canGoForward) {
        m_canGoForward = forward;
        FireCommandStateChange(CSC_NAVIGATEFORWARD, forward);
    }
    if (back != m_canGoBack) {
        m_canGoBack = back;
        FireCommandStateChange(CSC_NAVIGATEBACK, back);
    }
}

namespace {

WebViewFactory& Factory()
{
    static WebViewFactory factory;
    return factory;
}

} // namespace

WebView* CreateWebView(QWidget* parent)
{
    if (Factory())
        return Factory()(parent);
    return new QtWebView(parent);
}

WebViewFactory SetWebViewFactory(WebViewFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}

} // namespace platform
