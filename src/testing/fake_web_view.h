#pragma once
// A web view for tests: records every navigation and fires the events at
// once, in the order the engine fires them (before-navigate, progress,
// navigate-complete, command-state, document-complete).
#include "platform/web_view.h"

#include <QStringList>

namespace platform {

class FakeWebView : public WebView {
    Q_OBJECT
public:
    explicit FakeWebView(QWidget* parent = nullptr) : WebView(parent) {}

    void Navigate(const QString& url) override;
    void Stop() override { ++m_stopCount; }
    void GoBack() override;
    void GoForward() override;
    void Refresh() override { ++m_refreshCount; }
    QString LocationURL() const override;
    void SetSilent(bool silent) override { m_silent = silent; }
    bool Silent() const override { return m_silent; }

    // A link the user clicked inside the page: the same road as Navigate.
    void FollowLink(const QString& url) { Go(url, NavigationOrigin::UserLink); }
    // A navigation the page started by itself (script, a refresh).
    void PageNavigate(const QString& url) { Go(url, NavigationOrigin::Page); }
    // A frame inside the page loads: asked, recorded, nothing else happens.
    bool FrameNavigate(const QString& url);
    // The next navigation fails with this status code.
    void FailNext(int statusCode) { m_failNext = statusCode; }

    // Every address asked for, cancelled ones included.
    const QStringList& Navigations() const { return m_navigations; }
    const QStringList& Cancelled() const { return m_cancelled; }
    const QStringList& History() const { return m_history; }
    int StopCount() const { return m_stopCount; }
    int RefreshCount() const { return m_refreshCount; }

private:
    void Go(const QString& url, NavigationOrigin origin);
    bool Load(const QString& url, NavigationOrigin origin = NavigationOrigin::Program);
    void Complete(const QString& url);
    void UpdateCommandState();

    QStringList m_navigations;
    QStringList m_cancelled;
    QStringList m_history;
    int m_index = -1;
    int m_failNext = 0;
    int m_stopCount = 0;
    int m_refreshCount = 0;
    bool m_silent = false;
};

// Installs a web-view factory for the lifetime of the guard, then brings back
// the one before.
class ScopedWebViewFactory {
public:
    explicit ScopedWebViewFactory(WebViewFactory factory) : m_previous(SetWebViewFactory(std::move(factory))) {}
    ~ScopedWebViewFactory() { SetWebViewFactory(std::move(m_previous)); }
    ScopedWebViewFactory(const ScopedWebViewFactory&) = delete;
    ScopedWebViewFactory& operator=(const ScopedWebViewFactory&) = delete;

private:
    WebViewFactory m_previous;
};

} // namespace platform
