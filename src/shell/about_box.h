#pragma once
// The about box: the splash at start-up and the Help "About..." box. Four
// pages (presentation, credits, licence, the program's web page in a
// browser) that fade in on a 25 ms timer.
#include <QDialog>
#include <QLabel>
#include <functional>

class QPushButton;
class QTabWidget;
class QTimer;

namespace platform {
class WebView;
}

// A text that acts as a link: red under the mouse, its own colour otherwise.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& text, const QColor& color, QWidget* parent = nullptr);

    std::function<void()> OnClick;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetColor(const QColor& color);
    QColor m_color;
};

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);

    // Splash: no fade, fully opaque.
    void PrepareSplash();
    // About box: the credits page in front, tabs for presentation, credits and licence.
    void PrepareAbout();
    // Shows the box modally and answers the modal result.
    int Execute();

    // Fade-in step; raises the alpha value by 25 up to 255.
    void Timer1Timer();
    int AlphaBlendValue() const { return m_alpha; }
    QTimer* FadeTimer() const { return Timer1; }

    // Page buttons: moves by the button's Tag (-1 or 1); outside 1..4 closes.
    void pageav(int Tag);
    // Page now in front: the last visible page panel in the order 1..4, 0 for none.
    int CurrentPage() const;
    void ShowPage(int Page);
    bool BrowserLoaded() const { return m_browserLoaded; }

    QTabWidget* PageControl() const { return PageControl1; }
    QWidget* PagePanel(int Page) const;
    QPushButton* PrevButton() const { return btprev; }
    QPushButton* NextButton() const { return btNext; }
    QPushButton* CloseButton() const { return m_closeButton; }
    platform::WebView* Browser() const { return WebBrowser1; }

private:
    QWidget* MakePage(QWidget* sheet);
    void BuildPresentation();
    void BuildCredits();
    void BuildLicence();
    void StartBrowser();
    // Shows exactly the given panels' page; the tab holding it comes to the front.
    void ShowOnly(QWidget* panel);
    void OpenLink(const QString& address);
    TLinkLabel* PageLink(const QString& text, QWidget* parent, std::function<void()> action);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel4 = nullptr;
    QWidget* Panel5 = nullptr;
    QPushButton* btprev = nullptr;
    QPushButton* btNext = nullptr;
    QPushButton* m_closeButton = nullptr;
    platform::WebView* WebBrowser1 = nullptr;
    QTimer* Timer1 = nullptr;
    int m_alpha = 0;
    bool m_browserLoaded = false;
};
