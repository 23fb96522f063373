#include "platform/qt_web_view.h"

#include <QDir>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform {

namespace {

// Chromium's net::ERR_ABORTED: the load a cancelled navigation leaves behind.
constexpr int kErrAborted = -3;

class NavigationPage : public QWebEnginePage {
public:
    NavigationPage(QtWebView* owner, QObject* parent)
        : QWebEnginePage(parent), m_owner(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        // a server's redirect continues the navigation already asked for
        if (type == NavigationTypeRedirect)
            return true;
        return m_owner->AcceptNavigation(url, isMainFrame);
    }

    // Links that ask for a new window open in this one.
    QWebEnginePage* createWindow(WebWindowType) override { return this; }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override
    {
        if (!m_owner->Silent())
            QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

    void javaScriptAlert(const QUrl& origin, const QString& msg) override
    {
        if (!m_owner->Silent())
            QWebEnginePage::javaScriptAlert(origin, msg);
    }

    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override
    {
        return m_owner->Silent() ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
    }

    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                          QString* result) override
    {
        return m_owner->Silent() ? false
                                 : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
    }

private:
    QtWebView* m_owner;
};

} // namespace

QtWebView::QtWebView(QWidget* parent)
    : WebView(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_view->setPage(new NavigationPage(this, m_view));
    layout->addWidget(m_view);

    QWebEnginePage* page = m_view->page();
    connect(page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { FireProgressChange(progress, 100); });
    connect(page, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        if (url.isEmpty() || m_cancelled.contains(url))
            return;
        FireNavigateComplete(url.toString());
        UpdateCommandState();
    });
    connect(page, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) { LoadingChanged(info); });
}

QtWebView::~QtWebView()
{
    // No engine signal may reach the events once they are gone.
    m_view->page()->disconnect(this);
    delete m_view;
}

void QtWebView::Navigate(const QString& url)
{
    m_view->setUrl(QUrl::fromUserInput(url, QDir::currentPath()));
}

void QtWebView::Stop()
{
    m_view->stop();
}

void QtWebView::GoBack()
{
    m_view->back();
}

void QtWebView::GoForward()
{
    m_view->forward();
}

void QtWebView::Refresh()
{
    m_view->reload();
}

QString QtWebView::LocationURL() const
{
    return m_view->url().toString();
}

void QtWebView::SetSilent(bool silent)
{
    m_silent = silent;
}

bool QtWebView::AcceptNavigation(const QUrl& url, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    if (!FireBeforeNavigate(url.toString()))
        return true;
    m_cancelled.append(url);
    return false;
}

bool QtWebView::TakeCancelled(const QUrl& url, int errorCode)
{
    if (m_cancelled.removeOne(url))
        return true;
    // The engine may report the aborted load under the page's former address.
    if (errorCode == kErrAborted && !m_cancelled.isEmpty()) {
        m_cancelled.removeFirst();
        return true;
    }
    return false;
}

void QtWebView::LoadingChanged(const QWebEngineLoadingInfo& info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        m_cancelled.clear();
        UpdateCommandState();
        FireDocumentComplete(info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        UpdateCommandState();
        if (!TakeCancelled(info.url(), info.errorCode()))
            FireNavigateError(info.url().toString(), info.errorCode());
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        // a cancelled request ends here (Qt 6.4) or as a failed load
        TakeCancelled(info.url(), info.errorCode());
        UpdateCommandState();
        break;
    default:
        break;
    }
}

void QtWebView::UpdateCommandState()
{
    QWebEngineHistory* history = m_view->history();
    SetCommandState(history->canGoBack(), history->canGoForward());
}

} // namespace platform
