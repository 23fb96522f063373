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
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace platform {

namespace {

// Chromium's net::ERR_ABORTED: the load a cancelled navigation leaves behind.
constexpr int kErrAborted = -3;
// A link followed this long after a click or key on the view is the user's.
constexpr qint64 kUserLinkMs = 1500;

bool IsWeb(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// The file lies in the folder or below it (both canonical).
bool Within(const QString& file, const QString& folder)
{
    return !file.isEmpty() && !folder.isEmpty() && file.startsWith(folder + QLatin1Char('/'));
}

// Looked up once: every local request of a page asks for it.
const QString& ProgramFolder()
{
    static const QString folder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    return folder;
}

// Local files a page loads besides itself: pictures, styles, scripts and
// frames from its own folder (or below) and the program's; nothing for a
// web page; never read by script (XHR, fetch) or sent anywhere.
class LocalFileGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QUrl request = info.requestUrl();
        if (!request.isLocalFile())
            return;
        switch (info.resourceType()) {
        case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
            return; // asked in acceptNavigationRequest
        case QWebEngineUrlRequestInfo::ResourceTypeXhr:
        case QWebEngineUrlRequestInfo::ResourceTypePing:
        case QWebEngineUrlRequestInfo::ResourceTypeCspReport:
        case QWebEngineUrlRequestInfo::ResourceTypePluginResource:
            info.block(true);
            return;
        default:
            break;
        }
        const QUrl page = info.firstPartyUrl();
        if (!page.isLocalFile()) {
            info.block(true);
            return;
        }
        const QString file = QFileInfo(request.toLocalFile()).canonicalFilePath();
        const QString folder = QFileInfo(QFileInfo(page.toLocalFile()).absolutePath()).canonicalFilePath();
        if (!Within(file, folder) && !Within(file, ProgramFolder()))
            info.block(true);
    }
};

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
        // a server's redirect continues the navigation already asked for;
        // a page's own (a refresh) is asked like any other
        if (type == NavigationTypeRedirect && m_owner->ServerRedirect(url, isMainFrame))
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
    // a local page's own pictures and styles load; what else it reaches is the guard's
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_view->page()->setUrlRequestInterceptor(new LocalFileGuard(m_view->page()));
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // "mailto:" and other outside schemes come to acceptNavigationRequest only
    // from the user's clicks; the engine never hands them over itself (below)
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);

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
    m_programUrl = QUrl::fromUserInput(url, QDir::currentPath());
    m_view->setUrl(m_programUrl);
}

void QtWebView::Stop()
{
    m_view->stop();
}

void QtWebView::GoBack()
{
    m_programHistory = true;
    m_view->back();
}

void QtWebView::GoForward()
{
    m_programHistory = true;
    m_view->forward();
}

void QtWebView::Refresh()
{
    m_programHistory = true;
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
    return url.isLocalFile() && Within(QFileInfo(url.toLocalFile()).canonicalFilePath(), ProgramFolder());
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
    // the program's own requests, not a refresh or redirect of the page's that looks like one
    if (isMainFrame && type == QWebEnginePage::NavigationTypeTyped && !m_programUrl.isEmpty()) {
        m_programUrl.clear();
        return NavigationOrigin::Program;
    }
    if (isMainFrame && m_programHistory &&
        (type == QWebEnginePage::NavigationTypeBackForward || type == QWebEnginePage::NavigationTypeReload)) {
        m_programHistory = false;
        return NavigationOrigin::Program;
    }
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
        const bool toWeb = IsWeb(url);
        // a local page does not take the view to the web by itself
        if (origin == NavigationOrigin::Page && toWeb && !m_mainOnWeb)
            return false;
        if (FireBeforeNavigate(url.toString(), origin, !isMainFrame)) {
            if (isMainFrame)
                m_cancelled.append(url);
            return false;
        }
        // an outside scheme ("mailto:") is for the events to hand over, never for the engine
        if (!toWeb && scheme != QLatin1String("file") && scheme != QLatin1String("about") &&
            scheme != QLatin1String("data") && scheme != QLatin1String("qrc"))
            return false;
    }
    if (isMainFrame) {
        m_mainOnWeb = IsWeb(url);
        // the engine writes a folder's listing with script of its own
        const bool folder = url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir();
        m_view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, IsProgramPage(url) || folder);
    }
    return true;
}

bool QtWebView::ServerRedirect(const QUrl& url, bool isMainFrame) const
{
    // only a web address redirects to a web address
    return IsWeb(url) && (!isMainFrame || m_mainOnWeb);
}

void QtWebView::OpenNewWindow(const QUrl& url, int type)
{
    const NavigationOrigin origin = OriginOf(type, true);
    if (origin == NavigationOrigin::Page && IsWeb(url) && !m_mainOnWeb)
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
