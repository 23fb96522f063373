#include "platform/qt_web_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace platform {

namespace {

// Chromium's net::ERR_ABORTED: the load a cancelled navigation leaves behind.
constexpr int kErrAborted = -3;
// A link followed this long after a click or key on the view is the user's.
constexpr qint64 kUserLinkMs = 1500;

// The page a new window would show: it never loads, it hands its first
// address to the view that asked and goes.
class NewWindowPage : public QWebEnginePage {
public:
    NewWindowPage(QtWebView* owner, QObject* parent) : QWebEnginePage(parent), m_owner(owner) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        if (isMainFrame && !m_done && !url.isEmpty() && url != QUrl(QStringLiteral("about:blank"))) {
            m_done = true;
            QPointer<QtWebView> owner(m_owner);
            const int kind = type;
            QMetaObject::invokeMethod(
                parent(), [owner, url, kind] { if (owner) owner->OpenNewWindow(url, kind); }, Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QtWebView* m_owner;
    bool m_done = false;
};

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
        return m_owner->AcceptNavigation(url, type, isMainFrame);
    }

    // A new window's address comes back to this view and is asked for here.
    QWebEnginePage* createWindow(WebWindowType) override { return new NewWindowPage(m_owner, this); }

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
    // the engine's own widget comes as a child of the view: its clicks and keys are watched
    m_view->installEventFilter(this);
    for (QObject* child : m_view->children())
        child->installEventFilter(this);

    QWebEngineSettings* settings = m_view->page()->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false); // until a program page
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);

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

bool QtWebView::IsProgramPage(const QUrl& url)
{
    if (!url.isLocalFile())
        return false;
    const QString folder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    const QString file = QFileInfo(url.toLocalFile()).canonicalFilePath();
    return !folder.isEmpty() && file.startsWith(folder + QLatin1Char('/'));
}

bool QtWebView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_view)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        break;
    case QEvent::MouseButtonRelease:
        m_userInput.start();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
            m_userInput.start();
        break;
    }
    default:
        break;
    }
    return WebView::eventFilter(watched, event);
}

NavigationOrigin QtWebView::OriginOf(int type, bool isMainFrame)
{
    if (type == QWebEnginePage::NavigationTypeLinkClicked || type == QWebEnginePage::NavigationTypeFormSubmitted) {
        // one click or key, one link of the user's
        if (m_userInput.isValid() && m_userInput.elapsed() <= kUserLinkMs) {
            m_userInput.invalidate();
            return NavigationOrigin::UserLink;
        }
        return NavigationOrigin::Page;
    }
    if (isMainFrame && (type == QWebEnginePage::NavigationTypeTyped || type == QWebEnginePage::NavigationTypeBackForward ||
                        type == QWebEnginePage::NavigationTypeReload))
        return NavigationOrigin::Program;
    return NavigationOrigin::Page;
}

bool QtWebView::AcceptNavigation(const QUrl& url, int type, bool isMainFrame)
{
    NavigationOrigin origin = OriginOf(type, isMainFrame);
    if (isMainFrame && !m_newWindow.isEmpty() && url == m_newWindow) {
        // a new window's address, asked for when it came
        m_newWindow.clear();
        origin = NavigationOrigin::Program;
    } else {
        const QString scheme = url.scheme().toLower();
        const bool toWeb = scheme == QLatin1String("http") || scheme == QLatin1String("https");
        const QUrl current = m_view->url();
        // a local page does not take the view to the web by itself
        if (origin == NavigationOrigin::Page && toWeb && (current.isEmpty() || current.isLocalFile()))
            return false;
        if (FireBeforeNavigate(url.toString(), origin, !isMainFrame)) {
            if (isMainFrame)
                m_cancelled.append(url);
            return false;
        }
    }
    if (isMainFrame)
        m_view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, IsProgramPage(url));
    return true;
}

void QtWebView::OpenNewWindow(const QUrl& url, int type)
{
    const NavigationOrigin origin = OriginOf(type, true);
    const QString scheme = url.scheme().toLower();
    const bool toWeb = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    const QUrl current = m_view->url();
    if (origin == NavigationOrigin::Page && toWeb && (current.isEmpty() || current.isLocalFile()))
        return;
    if (FireBeforeNavigate(url.toString(), origin))
        return;
    m_newWindow = url;
    m_view->setUrl(url);
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
