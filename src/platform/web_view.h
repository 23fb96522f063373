#pragma once
// Embedded web browser: an abstract view, the Qt WebEngine one, and the
// factory through which windows create theirs.
#include <QString>
#include <QWidget>
#include <functional>

namespace platform {

// Command codes of OnCommandStateChange.
constexpr int CSC_NAVIGATEFORWARD = 1;
constexpr int CSC_NAVIGATEBACK = 2;

// Who started a navigation: the program (Navigate, history, reload), the
// user by clicking a link, or the page itself (script, a frame, a refresh).
enum class NavigationOrigin { Program, UserLink, Page };

class WebView : public QWidget {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual void Navigate(const QString& url) = 0;
    virtual void Stop() = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    // Address of the page shown; empty before the first navigation.
    virtual QString LocationURL() const = 0;
    // Silent: script errors and dialogs are not shown to the user.
    virtual void SetSilent(bool silent) = 0;
    virtual bool Silent() const = 0;
    // Inside OnBeforeNavigate: who started the navigation asked for, and
    // whether it is one of a frame inside the page.
    NavigationOrigin Origin() const { return m_origin; }
    bool SubFrame() const { return m_subFrame; }

    // Every navigation of the page or of one of its frames (typed, scripted
    // or a followed link) asks first; setting cancel stops it without a
    // navigate error. Origin() tells who started it.
    std::function<void(const QString& url, bool& cancel)> OnBeforeNavigate;
    std::function<void(const QString& url)> OnNavigateComplete;
    std::function<void(const QString& url)> OnDocumentComplete;
    // command is CSC_NAVIGATEFORWARD or CSC_NAVIGATEBACK
    std::function<void(int command, bool enabled)> OnCommandStateChange;
    // progress of the current load, 0..progressMax
    std::function<void(int progress, int progressMax)> OnProgressChange;
    std::function<void(const QString& url, int statusCode)> OnNavigateError;

protected:
    // Event dispatch that never lets an exception out into the engine's callbacks.
    bool FireBeforeNavigate(const QString& url, NavigationOrigin origin = NavigationOrigin::Program,
                            bool subFrame = false);
    void FireNavigateComplete(const QString& url);
    void FireDocumentComplete(const QString& url);
    void FireCommandStateChange(int command, bool enabled);
    void FireProgressChange(int progress, int progressMax);
    void FireNavigateError(const QString& url, int statusCode);
    // Fires OnCommandStateChange for each of forward and back that changed.
    void SetCommandState(bool back, bool forward);

private:
    NavigationOrigin m_origin = NavigationOrigin::Program;
    bool m_subFrame = false;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
};

using WebViewFactory = std::function<WebView*(QWidget* parent)>;

// A new web view owned by parent, from the factory in force.
WebView* CreateWebView(QWidget* parent);
// Installs a factory; an empty one brings back the Qt WebEngine view.
// Answers the factory installed before.
WebViewFactory SetWebViewFactory(WebViewFactory factory);

} // namespace platform
