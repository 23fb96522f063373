#pragma once
// The web view over Qt WebEngine. Navigations of the main frame are asked
// through OnBeforeNavigate from the page's acceptNavigationRequest (a server's
// redirect is not asked again); a cancelled one ends in a failed load that is
// not reported as an error.
#include "platform/web_view.h"

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
    bool AcceptNavigation(const QUrl& url, bool isMainFrame);

private:
    void LoadingChanged(const QWebEngineLoadingInfo& info);
    void UpdateCommandState();
    bool TakeCancelled(const QUrl& url, int errorCode);

    QWebEngineView* m_view = nullptr;
    QList<QUrl> m_cancelled; // cancelled requests whose failed load is still to come
    bool m_silent = false;
};

} // namespace platform
