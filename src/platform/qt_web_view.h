#pragma once
// The web view over Qt WebEngine. Navigations of the page and of its frames
// are asked through OnBeforeNavigate from the page's acceptNavigationRequest
// (a server's redirect is not asked again); a cancelled one ends in a failed
// load that is not reported as an error. A link counts as the user's when a
// mouse click or key on the view came just before it. Script runs only in
// the program's own pages (files in the program's folder) and the engine's
// listings of local folders; local pages may
// not read other local files nor reach the web by script, and a page cannot
// take the view to the web by itself. New windows a page asks for are
// navigations of this view, asked like any other.
#include "platform/web_view.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QList>

class QWebEngineView;
class QWebEngineLoadingInfo;

namespace platform {

class QtWebView : public WebView {
    Q_OBJECT
public:
    explicit QtWebView(QWidget* parent = nullptr);
    ~QtWebView() override;

    void Navigate(const QString& url) override;
    void Stop() override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    QString LocationURL() const override;
    void SetSilent(bool silent) override;
    bool Silent() const override { return m_silent; }

    QWebEngineView* Engine() const { return m_view; }

    // Called by the page for every navigation request; false cancels it.
    // type is the engine's QWebEnginePage::NavigationType.
    bool AcceptNavigation(const QUrl& url, int type, bool isMainFrame);
    // A redirect that continues a navigation already asked for.
    bool ServerRedirect(const QUrl& url, bool isMainFrame) const;
    // A new window asked for by the page: navigated here when accepted.
    void OpenNewWindow(const QUrl& url, int type);

    // A file in the program's folder (or below it): its script runs.
    static bool IsProgramPage(const QUrl& url);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NavigationOrigin OriginOf(int type, bool isMainFrame);
    void LoadingChanged(const QWebEngineLoadingInfo& info);
    void UpdateCommandState();
    bool TakeCancelled(const QUrl& url, int errorCode);

    QWebEngineView* m_view = nullptr;
    QList<QUrl> m_cancelled; // cancelled requests whose failed load is still to come
    QElapsedTimer m_userInput; // since the last click or key on the view
    QUrl m_newWindow;          // a new window's address, already asked for
    QUrl m_programUrl;         // asked for by Navigate, not yet come
    bool m_programHistory = false; // back, forward or reload asked for, not yet come
    bool m_mainOnWeb = false;      // the page shown (or coming) is a web page
    bool m_silent = false;
};

} // namespace platform
