#include "window_base/message_window.h"

#include "base/basic_types.h"
#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "platform/web_view.h"
#include "platform/window_system.h"
#include "window_base/web_editor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr Qt::WindowFlags kMessageFlags =
    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

QRect ScreenRect()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

void CentreOnScreen(QWidget* w)
{
    QRect r(QPoint(0, 0), w->size());
    r.moveCenter(ScreenRect().center());
    w->move(r.topLeft());
}

TFFondoScreen* NewBackdrop()
{
    auto* backdrop = new TFFondoScreen;
    backdrop->setGeometry(ScreenRect()); // maximised
    return backdrop;
}

// The backdrop shows only where the window system dims it: an opaque one
// would hide the whole desktop.
void ShowBackdrop(TFFondoScreen* backdrop)
{
    if (backdrop && platform::WindowOpacityShows())
        backdrop->show();
}

void ShowAndPaint(TFMsge* window)
{
    ShowBackdrop(window->Backdrop());
    window->KeepAboveBackdrop();
    window->show();
    QCoreApplication::processEvents();
}

} // namespace

TFFondoScreen::TFFondoScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setWindowOpacity(125.0 / 255.0);
}

bool TFFondoScreen::event(QEvent* event)
{
    // brought to the front (a click on it), it puts its messages back above it
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::MouseButtonPress) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* message = qobject_cast<TFMsge*>(w); message && message->Backdrop() == this &&
                                                           message->isVisible())
                message->raise();
    }
    return QWidget::event(event);
}

TFMsge::TFMsge(QWidget* parent)
    : QWidget(parent, kMessageFlags)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    pMsge = new QFrame(this);
    pMsge->setAutoFillBackground(true);
    pMsge->setPalette(pal);
    Text = new QLabel(QStringLiteral("... please wait"), pMsge);
    Text->setAlignment(Qt::AlignCenter);
    Text->setWordWrap(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    Text->setFont(font);
    QPalette textPal = Text->palette();
    textPal.setColor(QPalette::WindowText, QColor(0x80, 0, 0)); // maroon
    Text->setPalette(textPal);
    auto* textLayout = new QVBoxLayout(pMsge);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(Text);

    pButtons = new QWidget(this);
    pButtons->setAutoFillBackground(true);
    pButtons->setPalette(pal);
    sbClose = new QToolButton(pButtons);
    sbClose->setAutoRaise(true);
    sbClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    sbClose->setToolTip(QStringLiteral("Close"));
    auto* buttonRow = new QHBoxLayout(pButtons);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->addStretch(1);
    buttonRow->addWidget(sbClose);

    TWebEditor1 = new TWebEditor(this);
    TWebEditor1->OnBeforeNavigate = [this](const QString& url, bool& cancel) {
        WebBrowser1BeforeNavigate2(url, cancel);
    };
    connect(sbClose, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { sbCloseClick(); }); });

    resize(410, 432);
    CentreOnScreen(this);
}

TFMsge::~TFMsge()
{
    FreeBackdrop();
}

void TFMsge::KeepAboveBackdrop()
{
    if (!m_backdrop || m_backdrop->isHidden())
        return;
    // a dialog transient for the backdrop: window managers keep it above
    // (X11 marks only dialogs and tool windows as transient)
    if (windowType() != Qt::Dialog)
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    m_backdrop->winId();
    winId();
    if (windowHandle() && m_backdrop->windowHandle())
        windowHandle()->setTransientParent(m_backdrop->windowHandle());
}

void TFMsge::FreeBackdrop()
{
    if (m_backdrop) {
        if (windowHandle())
            windowHandle()->setTransientParent(nullptr);
        TFFondoScreen* backdrop = m_backdrop.data();
        m_backdrop = nullptr;
        backdrop->hide();
        delete backdrop;
    }
}

void TFMsge::sbCloseClick()
{
    FreeBackdrop();
    close();
}

void TFMsge::closeEvent(QCloseEvent* event)
{
    FreeBackdrop();
    event->accept();
}

void TFMsge::WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel)
{
    // a frame inside the page is no navigation of the message's
    if (!TWebEditor1->WebBrowser1->SubFrame())
        ++m_navigationCount;
    TWebEditor1->WebBrowser1BeforeNavigate2(URL, Cancel);
    if (m_navigationCount >= 2 && !m_browser)
        BecomeBrowser();
}

void TFMsge::BecomeBrowser()
{
    m_browser = true;
    TWebEditor1->SetAddressBarShown(true);
    TWebEditor1->SetNavigationShown(true);
    pButtons->hide();
    LayOut();
    // New window flags recreate the native window: not inside the browser's call.
    QTimer::singleShot(0, this, [this] {
        const bool wasVisible = isVisible();
        setWindowFlags((windowFlags() & ~Qt::FramelessWindowHint) | Qt::WindowTitleHint
                       | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        KeepAboveBackdrop();
        if (wasVisible)
            show();
    });
}

void TFMsge::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TFMsge::LayOut()
{
    QRect area = rect();
    if (!pButtons->isHidden()) {
        pButtons->setGeometry(area.left(), area.top(), area.width(), 22);
        area.setTop(area.top() + 22);
    }
    if (!pMsge->isHidden()) {
        const int h = pMsge->property("PanelHeight").isValid() ? pMsge->property("PanelHeight").toInt()
                                                              : area.height();
        pMsge->setGeometry(area.left(), area.bottom() - h + 1, area.width(), h);
    }
    TWebEditor1->setGeometry(area);
}

TFMsge* ShowWaitMessage(const QString& Text, int FontSize, bool WithBackdrop, int Height, int Width)
{
    TFFondoScreen* backdrop = WithBackdrop ? NewBackdrop() : nullptr;
    auto* window = new TFMsge;
    window->SetBackdrop(backdrop);
    window->TWebEditor1->hide();
    window->pMsge->show();
    if (!backdrop) {
        // a bevel around the text
        window->pMsge->setFrameStyle(QFrame::Panel | QFrame::Raised);
        window->pMsge->setLineWidth(2);
    }
    window->pButtons->hide();
    window->resize(Width != 0 ? Width : 150, Height != 0 ? Height : 130);
    window->Text->setText(platform::ScreenText(QStringLiteral("\r") + Text));
    QFont font = window->Text->font();
    font.setPointSize(FontSize != 0 ? FontSize : 12);
    window->Text->setFont(font);
    window->pMsge->setProperty("PanelHeight", int(Trunc(0.45 * window->height())));
    CentreOnScreen(window);
    ShowAndPaint(window);
    return window;
}

namespace {

TFMsge* NewWebMessage(const QString& Caption, const QString& URL, TFFondoScreen* backdrop, bool Sizeable)
{
    auto* window = new TFMsge;
    window->SetBackdrop(backdrop);
    window->setWindowTitle(Caption);
    window->SetNavigationCount(0);
    window->TWebEditor1->show();
    window->pMsge->hide();
    window->pButtons->show();
    window->TWebEditor1->LoadPage(URL, false, false);
    // a sizeable border: frame and caption from the window manager, closed
    // with the window's own button (no second close button on the frame)
    if (Sizeable)
        window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowStaysOnTopHint);
    return window;
}

} // namespace

TFMsge* ShowWebMessage(const QString& Caption, const QString& URL, bool WithBackdrop, bool Sizeable,
                       int Height, int Width)
{
    TFFondoScreen* backdrop = WithBackdrop ? NewBackdrop() : nullptr;
    TFMsge* window = NewWebMessage(Caption, URL, backdrop, Sizeable);
    window->resize(Width != 0 ? Width : 500, Height != 0 ? Height : 500);
    if (backdrop) {
        ShowBackdrop(backdrop);
        window->resize(backdrop->width() - 150, backdrop->height() - 100);
    }
    CentreOnScreen(window);
    ShowAndPaint(window);
    return window;
}

QSize WebMessageSizeOverBackdrop(QSize backdrop, int WidthPercent, int HeightPercent)
{
    const int wp = WidthPercent != 0 ? WidthPercent : 25;
    const int hp = HeightPercent != 0 ? HeightPercent : 25;
    const int w = backdrop.width() - int(Round(double(backdrop.width()) * wp / 100.0));
    const int h = backdrop.height() - int(Round(double(backdrop.height()) * hp / 100.0));
    return QSize(w, h);
}

TFMsge* ShowWebMessageOverBackdrop(const QString& Caption, const QString& URL, int WidthPercent,
                                   int HeightPercent, bool Sizeable)
{
    TFFondoScreen* backdrop = NewBackdrop();
    backdrop->setEnabled(false);
    TFMsge* window = NewWebMessage(Caption, URL, backdrop, Sizeable);
    ShowBackdrop(backdrop);
    window->resize(WebMessageSizeOverBackdrop(backdrop->size(), WidthPercent, HeightPercent));
    CentreOnScreen(window);
    ShowAndPaint(window);
    return window;
}

void FreeMessageWindow(QPointer<TFMsge>& Window)
{
    TFMsge* window = Window.data();
    Window = nullptr;
    if (!window)
        return;
    window->FreeBackdrop();
    window->hide();
    // may be called from one of the window's own handlers
    window->deleteLater();
}

void FreeMessageWindow(TFMsge*& Window)
{
    QPointer<TFMsge> guard(Window);
    Window = nullptr;
    FreeMessageWindow(guard);
}
