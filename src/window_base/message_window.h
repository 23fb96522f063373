#pragma once
// Short-lived windows above everything: the wait message and web-page
// messages, optionally over a backdrop that dims the screen.
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;
class TWebEditor;

// A borderless black window over the whole screen, half transparent. It
// never takes the focus, and its messages stay above it.
class TFFondoScreen : public QWidget {
    Q_OBJECT
public:
    explicit TFFondoScreen(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

class TFMsge : public QWidget {
    Q_OBJECT
public:
    explicit TFMsge(QWidget* parent = nullptr);
    // Closes and frees a remaining backdrop.
    ~TFMsge() override;

    // The backdrop is taken over: the window frees it when it closes.
    void SetBackdrop(TFFondoScreen* backdrop) { m_backdrop = backdrop; }
    TFFondoScreen* Backdrop() const { return m_backdrop.data(); }
    // Closes and frees the backdrop, if any.
    void FreeBackdrop();
    // Makes the window transient for its shown backdrop, so that it stays above it.
    void KeepAboveBackdrop();
    int NavigationCount() const { return m_navigationCount; }
    void SetNavigationCount(int count) { m_navigationCount = count; }

    void sbCloseClick();
    // Counts the navigation and runs the frame's own handling; from the
    // second one on the window turns into a small browser.
    void WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel);

    QFrame* pMsge = nullptr;
    QLabel* Text = nullptr;
    QWidget* pButtons = nullptr;
    QToolButton* sbClose = nullptr;
    TWebEditor* TWebEditor1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void BecomeBrowser();

    QPointer<TFFondoScreen> m_backdrop;
    int m_navigationCount = 0;
    bool m_browser = false;
};

// Each returns the shown window; the caller frees it with FreeMessageWindow.
// A size of 0 takes the default.
TFMsge* ShowWaitMessage(const QString& Text, int FontSize, bool WithBackdrop, int Height, int Width);
TFMsge* ShowWebMessage(const QString& Caption, const QString& URL, bool WithBackdrop, bool Sizeable,
                       int Height, int Width);
TFMsge* ShowWebMessageOverBackdrop(const QString& Caption, const QString& URL, int WidthPercent,
                                   int HeightPercent, bool Sizeable);

// Frees the window and its backdrop and clears the variable; a cleared
// variable is left alone, and so is a window already gone when the variable
// is a QPointer. The window goes at the next return to the event loop.
void FreeMessageWindow(QPointer<TFMsge>& Window);
void FreeMessageWindow(TFMsge*& Window);

// Size of a web message over a backdrop of the given size: each side less
// its percentage (0 stands for 25), rounded halves to even.
QSize WebMessageSizeOverBackdrop(QSize backdrop, int WidthPercent, int HeightPercent);
