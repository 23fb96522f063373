#include "window_base/web_editor.h"

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/event_guard.h"
#include "platform/web_view.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kFileFilter = QStringLiteral(
    "All files (*.*) |*.*| HTM files (*.htm) |*.htm| XML files (*.xml) |*.xml");

QToolButton* MakeButton(QWidget* parent, const QString& hint, QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(parent);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    if (icon != QStyle::SP_CustomBase)
        button->setIcon(parent->style()->standardIcon(icon));
    else
        button->setText(hint);
    return button;
}

QHBoxLayout* Row(QWidget* w)
{
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    return layout;
}

// The address has a scheme of its own ("https://…", "mailto:…", "file:…").
bool HasScheme(const QString& address)
{
    static const QRegularExpression withSlashes(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    static const QRegularExpression known(
        QStringLiteral("^(mailto|file|about|data|javascript):"), QRegularExpression::CaseInsensitiveOption);
    return withSlashes.match(address).hasMatch() || known.match(address).hasMatch();
}

} // namespace

QFont ScaledFont(QFont font, double Factor)
{
    // a font sized in pixels reports a point size of -1, and one in points a pixel size of -1
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::nearbyint(font.pixelSize() * Factor))));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * Factor);
    return font;
}

TWebEditor::TWebEditor(QWidget* parent)
    : QWidget(parent)
{
    // top: navigation bar
    barNavigation = new QWidget(this);
    barNavigation->setFixedHeight(20);
    auto* navRow = Row(barNavigation);
    ToolBarNavControls = new QWidget(barNavigation);
    auto* navButtons = Row(ToolBarNavControls);
    tbHome = MakeButton(ToolBarNavControls, QStringLiteral("Go to init page"), QStyle::SP_DirHomeIcon);
    tbBack = MakeButton(ToolBarNavControls, QStringLiteral("Navigate back"), QStyle::SP_ArrowBack);
    tbForward = MakeButton(ToolBarNavControls, QStringLiteral("Navigate forward"), QStyle::SP_ArrowForward);
    tbReload = MakeButton(ToolBarNavControls, QStringLiteral("Reload"), QStyle::SP_BrowserReload);
    bCancel = MakeButton(ToolBarNavControls, QStringLiteral("Stop"), QStyle::SP_BrowserStop);
    for (QToolButton* b : {tbHome, tbBack, tbForward, tbReload, bCancel})
        navButtons->addWidget(b);
    bCancel->hide();
    tbBack->setEnabled(false);
    tbForward->setEnabled(false);
    pNavigation = new QWidget(barNavigation);
    auto* addressRow = Row(pNavigation);
    bGo = new QToolButton(pNavigation);
    bGo->setText(QStringLiteral("Go!"));
    bGo->setAutoRaise(true);
    URLbar = new QLineEdit(QStringLiteral("..."), pNavigation);
    URLbar->setAutoFillBackground(true);
    URLbar->installEventFilter(this);
    {
        QPalette pal = URLbar->palette();
        pal.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
        URLbar->setPalette(pal);
    }
    SpeedButton1 = MakeButton(pNavigation, QStringLiteral("Open in your browser"), QStyle::SP_DesktopIcon);
    addressRow->addWidget(bGo);
    addressRow->addWidget(URLbar, 1);
    addressRow->addWidget(SpeedButton1);
    navRow->addWidget(ToolBarNavControls);
    navRow->addWidget(pNavigation, 1);

    // middle: source text or page
    m_front = new QStackedWidget(this);
    Memo1 = new QPlainTextEdit(m_front);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    WebBrowserp = new QWidget(m_front);
    auto* browserLayout = new QVBoxLayout(WebBrowserp);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = platform::CreateWebView(WebBrowserp);
    browserLayout->addWidget(WebBrowser1);
    lblNavigateError = new QLabel(WebBrowserp);
    lblNavigateError->setObjectName(QStringLiteral("lblNavigateError"));
    lblNavigateError->setAlignment(Qt::AlignCenter);
    lblNavigateError->setWordWrap(true);
    lblNavigateError->setTextFormat(Qt::PlainText);
    lblNavigateError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblNavigateError->setAutoFillBackground(true);
    {
        QPalette palette = lblNavigateError->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
        lblNavigateError->setPalette(palette);
        lblNavigateError->setFont(ScaledFont(lblNavigateError->font(), 1.2));
    }
    lblNavigateError->hide();
    browserLayout->addWidget(lblNavigateError, 1);
    m_front->addWidget(Memo1);
    m_front->addWidget(WebBrowserp);
    m_front->setCurrentWidget(WebBrowserp);

    // bottom: progress, tools, status
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setFixedHeight(7);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->hide();
    BarTools = new QWidget(this);
    auto* toolsRow = Row(BarTools);
    tbToggle = MakeButton(BarTools, QStringLiteral("Source / page"), QStyle::SP_FileDialogDetailedView);
    tbSave = MakeButton(BarTools, QStringLiteral("Save"), QStyle::SP_DialogSaveButton);
    tbOpen = MakeButton(BarTools, QStringLiteral("Open"), QStyle::SP_DialogOpenButton);
    tbToggle->setProperty("ImageIndex", 1);
    for (QToolButton* b : {tbToggle, tbSave, tbOpen})
        toolsRow->addWidget(b);
    toolsRow->addStretch(1);
    pBarStatus = new QWidget(this);
    auto* statusRow = Row(pBarStatus);
    ToolBarEdit = new QWidget(pBarStatus);
    auto* editRow = Row(ToolBarEdit);
    bTools = MakeButton(ToolBarEdit, QStringLiteral("Tools"), QStyle::SP_TitleBarUnshadeButton);
    bTools->setProperty("ImageIndex", 0);
    editRow->addWidget(bTools);
    barStatus = new QWidget(pBarStatus);
    auto* panels = Row(barStatus);
    const int widths[3] = {70, 18, 1000};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(barStatus);
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        StatusPanels[i]->setFixedWidth(widths[i]);
        panels->addWidget(StatusPanels[i]);
    }
    StatusPanels[1]->setAlignment(Qt::AlignCenter);
    panels->addStretch(1);
    statusRow->addWidget(ToolBarEdit);
    statusRow->addWidget(barStatus, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barNavigation);
    layout->addWidget(m_front, 1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(BarTools);
    layout->addWidget(pBarStatus);

    auto guarded = [this](void (TWebEditor::*command)()) {
        return [this, command] { platform::GuardEvent([&] { (this->*command)(); }); };
    };
    connect(bGo, &QToolButton::clicked, this, guarded(&TWebEditor::bGoClick));
    connect(URLbar, &QLineEdit::returnPressed, this, guarded(&TWebEditor::bGoClick));
    connect(bCancel, &QToolButton::clicked, this, guarded(&TWebEditor::bCancelClick));
    connect(tbBack, &QToolButton::clicked, this, guarded(&TWebEditor::tbBackClick));
    connect(tbForward, &QToolButton::clicked, this, guarded(&TWebEditor::tbForwardClick));
    connect(tbReload, &QToolButton::clicked, this, guarded(&TWebEditor::tbReloadClick));
    connect(tbHome, &QToolButton::clicked, this, guarded(&TWebEditor::tbHomeClick));
    connect(SpeedButton1, &QToolButton::clicked, this, guarded(&TWebEditor::SpeedButton1Click));
    connect(bTools, &QToolButton::clicked, this, guarded(&TWebEditor::bToolsClick));
    connect(tbToggle, &QToolButton::clicked, this, guarded(&TWebEditor::tbToggleClick));
    connect(tbSave, &QToolButton::clicked, this, [this] { platform::GuardEvent([this] { tbSaveClick(); }); });
    connect(tbOpen, &QToolButton::clicked, this, guarded(&TWebEditor::tbOpenClick));
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Memo1Change(); });
    // the caret is shown while the source text is in front
    connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (m_view == 0)
            ShowCaret();
    });

    WebBrowser1->OnBeforeNavigate = [this](const QString& url, bool& cancel) {
        if (OnBeforeNavigate)
            OnBeforeNavigate(url, cancel);
        else
            WebBrowser1BeforeNavigate2(url, cancel);
    };
    WebBrowser1->OnProgressChange = [this](int p, int max) { WebBrowser1ProgressChange(p, max); };
    WebBrowser1->OnCommandStateChange = [this](int c, bool e) { WebBrowser1CommandStateChange(c, e); };
    WebBrowser1->OnNavigateComplete = [this](const QString& url) { WebBrowser1NavigateComplete2(url); };
    WebBrowser1->OnDocumentComplete = [this](const QString& url) { WebBrowser1DocumentComplete(url); };
    WebBrowser1->OnNavigateError = [this](const QString& url, int code) { WebBrowser1NavigateError(url, code); };

    Setup(false, true);
}

TWebEditor::~TWebEditor() = default;

void TWebEditor::Setup(bool EditMode, bool Navigation)
{
    m_programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    WebBrowser1->SetSilent(true);
    m_homePage = m_programFolder + QStringLiteral("Appl.htm");
    BarTools->hide();
    bTools->setProperty("ImageIndex", 0);
    m_editMode = EditMode;
    m_navigationShown = Navigation;
    m_addressBarShown = Navigation;
    m_openButtonShown = false;
    ApplyVisibility();
    m_front->setCurrentWidget(WebBrowserp);
    m_currentAddress.clear();
    m_view = 1;
    m_modified = false;
    m_shown = false;
}

void TWebEditor::ApplyVisibility()
{
    ToolBarNavControls->setVisible(m_navigationShown);
    pNavigation->setVisible(m_addressBarShown);
    barNavigation->setVisible(m_navigationShown || m_addressBarShown);
    ToolBarEdit->setVisible(m_editMode || m_openButtonShown);
    pBarStatus->setVisible(m_editMode || m_openButtonShown);
    tbOpen->setVisible(m_openButtonShown);
    tbToggle->setVisible(m_editMode);
    tbSave->setVisible(m_editMode);
    barStatus->setVisible(m_editMode);
}

void TWebEditor::SetNavigationShown(bool value)
{
    m_navigationShown = value;
    ApplyVisibility();
}

QString TWebEditor::LocalPath(const QString& address)
{
    const QUrl url(address);
    if (url.isLocalFile())
        return url.toLocalFile();
    return address;
}

bool TWebEditor::LoadSourceFile(const QString& address)
{
    QString text;
    QString error;
    platform::TextFileEncoding encoding;
    if (!platform::ReadTextFile(LocalPath(address), text, encoding, &error)) {
        platform::ShowError(QStringLiteral("Cannot open file \"%1\". %2").arg(LocalPath(address), error), this);
        return false;
    }
    m_encoding = encoding;
    m_loadingText = true;
    Memo1->setPlainText(text);
    m_loadingText = false;
    return true;
}

void TWebEditor::LoadPage(const QString& URL, bool LoadSource, bool Navigation)
{
    Setup(LoadSource, Navigation);
    m_currentAddress = URL;
    m_homePage = URL;
    if (LoadSource)
        LoadSourceFile(URL);
    SetModifiedState(false);
    ShowPage();
}

void TWebEditor::ShowPage()
{
    if (m_editMode) {
        QString error;
        // not beside the program, which may not be writable, nor at a fixed
        // name in the shared temporary folder, where another user may have
        // put a link: in a folder of our own
        if (!m_tempDir) {
            auto dir = std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(QStringLiteral("vexa-XXXXXX")));
            if (!dir->isValid()) {
                platform::ShowError(QStringLiteral("Cannot create a temporary folder. %1").arg(dir->errorString()), this);
                return;
            }
            m_tempDir = std::move(dir);
            m_tempFile = m_tempDir->filePath(QStringLiteral("TempFile~01.htm"));
        }
        if (!platform::WriteTextFile(m_tempFile, Memo1->toPlainText(), m_encoding, &error)) {
            platform::ShowError(QStringLiteral("Cannot create file \"%1\". %2").arg(m_tempFile, error), this);
            return;
        }
        WebBrowser1->Navigate(QUrl::fromLocalFile(m_tempFile).toString());
    } else {
        WebBrowser1->Navigate(m_currentAddress);
    }
    m_shown = true;
}

void TWebEditor::SetModifiedState(bool value)
{
    m_modified = value;
    if (value)
        m_shown = false;
    if (!barStatus->isHidden())
        StatusPanels[1]->setText(value ? QStringLiteral("*") : QString());
}

void TWebEditor::Memo1Change()
{
    if (m_loadingText)
        return;
    m_shown = false;
    SetModifiedState(true);
}

QString TWebEditor::CaretText(int line, int column)
{
    const QString blanks(5, QLatin1Char(' '));
    return (blanks + QString::number(line)).right(5) + QLatin1Char(':')
         + (blanks + QString::number(column)).right(5);
}

void TWebEditor::ShowCaret()
{
    const QTextCursor cursor = Memo1->textCursor();
    StatusPanels[0]->setText(CaretText(cursor.blockNumber() + 1, cursor.positionInBlock() + 1));
}

// Commands

QString TWebEditor::GoAddress(const QString& typed)
{
    if (typed.contains(QLatin1String("www")) && !HasScheme(typed))
        return QStringLiteral("http://") + typed;
    return typed;
}

void TWebEditor::bGoClick()
{
    tbReload->hide();
    bCancel->show();
    WebBrowser1->Navigate(GoAddress(URLbar->text()));
}

void TWebEditor::bCancelClick()
{
    WebBrowser1->Stop();
    bGo->show();
    bCancel->hide();
}

void TWebEditor::tbBackClick()
{
    WebBrowser1->GoBack();
}

void TWebEditor::tbForwardClick()
{
    WebBrowser1->GoForward();
}

void TWebEditor::tbReloadClick()
{
    if (!WebBrowser1->LocationURL().isEmpty())
        WebBrowser1->Refresh();
}

void TWebEditor::tbHomeClick()
{
    WebBrowser1->Navigate(m_homePage);
}

void TWebEditor::SpeedButton1Click()
{
    QPointer<TWebEditor> self(this);
    platform::OpenWithDesktop(URLbar->text(), [self] {
        platform::ShowError(QStringLiteral("(ERROR) Invalid URL address"), self);
    });
}

void TWebEditor::bToolsClick()
{
    BarTools->setVisible(BarTools->isHidden());
    bTools->setProperty("ImageIndex", BarTools->isHidden() ? 0 : 1);
}

void TWebEditor::tbToggleClick()
{
    if (m_view == 0) {
        m_front->setCurrentWidget(WebBrowserp);
        m_view = 1;
        tbToggle->setProperty("ImageIndex", 1);
        if (m_modified && !m_shown)
            ShowPage();
        StatusPanels[0]->clear();
        ApplyVisibility();
    } else {
        tbToggle->setProperty("ImageIndex", 0);
        m_front->setCurrentWidget(Memo1);
        m_view = 0;
        ShowCaret();
        barNavigation->hide();
    }
}

platform::FileDialogRequest TWebEditor::FileRequest(bool WithName) const
{
    platform::FileDialogRequest request;
    request.filter = kFileFilter;
    if (!m_currentAddress.isEmpty()) {
        const QFileInfo info(LocalPath(m_currentAddress));
        request.initialDir = info.absolutePath();
        request.defaultExt = info.suffix();
        if (WithName)
            request.fileName = info.fileName();
    }
    return request;
}

void TWebEditor::ShowFile(const QString& FileName)
{
    m_currentAddress = FileName;
    SetModifiedState(false);
    ShowPage();
}

bool TWebEditor::tbSaveClick()
{
    platform::FileDialogRequest request = FileRequest(true);
    request.overwritePrompt = true;
    const auto chosen = platform::CurrentDialogs().SaveFile(this, request);
    if (!chosen)
        return false;
    QString error;
    if (!platform::WriteTextFile(*chosen, Memo1->toPlainText(), m_encoding, &error)) {
        // the text stays marked as modified
        platform::ShowError(QStringLiteral("Cannot save file \"%1\". %2").arg(*chosen, error), this);
        return false;
    }
    ShowFile(*chosen);
    return true;
}

void TWebEditor::tbOpenClick()
{
    if (m_modified) {
        const platform::MsgAnswer answer = platform::CurrentDialogs().MessageBox(
            this, QString(), QStringLiteral("Save actual file?"), platform::MsgButtons::YesNoCancel,
            platform::MsgIcon::Warning);
        if (answer == platform::MsgAnswer::Cancel)
            return;
        // a save that was cancelled or failed keeps the unsaved text on screen
        if (answer == platform::MsgAnswer::Yes && !tbSaveClick())
            return;
    }
    const auto chosen = platform::CurrentDialogs().OpenFile(this, FileRequest(false));
    if (!chosen)
        return;
    if (!LoadSourceFile(*chosen))
        return;
    ShowFile(*chosen);
}

// Browser events

void TWebEditor::WebBrowser1ProgressChange(int, int)
{
    const int next = ProgressBar1->value() + 10;
    ProgressBar1->setValue(next > ProgressBar1->maximum() ? ProgressBar1->minimum() : next);
}

void TWebEditor::WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel)
{
    if (!WebBrowser1->SubFrame()) {
        ProgressBar1->setValue(0);
        ProgressBar1->show();
    }
    HandOverDocument(URL, Cancel);
}

QString TWebEditor::NavigateErrorText(const QString& URL, int Code)
{
    QString reason;
    if (Code >= 400)
        reason = QStringLiteral("The web server answered with error %1.").arg(Code);
    else if (Code < 0)
        reason = QStringLiteral("The computer has no connection to the network, or the web server cannot be "
                                "reached. Check the connection and try again.");
    else
        reason = QStringLiteral("The page could not be loaded (error %1).").arg(Code);
    return QStringLiteral("The page cannot be shown:\n%1\n\n%2").arg(URL, reason);
}

void TWebEditor::ShowNavigateError(bool Shown)
{
    lblNavigateError->setVisible(Shown);
    WebBrowser1->setVisible(!Shown);
}

bool TWebEditor::IsUnshownFile(const QString& address, QString& path)
{
    const QUrl url(address);
    if (url.isLocalFile())
        path = url.toLocalFile();
    else if (url.scheme().isEmpty())
        path = address;
    else
        return false;
    const QFileInfo info(path);
    if (info.isDir())
        return false;
    static const QStringList shown = {
        QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("xhtml"), QStringLiteral("shtml"),
        QStringLiteral("xml"), QStringLiteral("txt"),  QStringLiteral("css"),   QStringLiteral("js"),
        QStringLiteral("json"), QStringLiteral("png"), QStringLiteral("jpg"),   QStringLiteral("jpeg"),
        QStringLiteral("gif"), QStringLiteral("bmp"),  QStringLiteral("svg"),   QStringLiteral("webp"),
        QStringLiteral("ico")};
    const QString suffix = info.suffix().toLower();
    return !suffix.isEmpty() && !shown.contains(suffix);
}

bool TWebEditor::IsDesktopDocument(const QString& address)
{
    QString path;
    return IsUnshownFile(address, path) && platform::IsDocumentFileName(path);
}

bool TWebEditor::HandOverDocument(const QString& URL, bool& Cancel)
{
    const platform::NavigationOrigin origin = WebBrowser1->Origin();
    const bool mail = URL.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    QString path;
    if (!mail && !IsUnshownFile(URL, path))
        return false;
    Cancel = true;
    if (!WebBrowser1->SubFrame())
        ProgressBar1->hide(); // no load follows
    // nothing leaves the program on the page's own say
    if (origin == platform::NavigationOrigin::Page)
        return true;
    // the mail program for an address; a document's program only for a link the user clicked
    const bool handOver = mail || (origin == platform::NavigationOrigin::UserLink && platform::IsDocumentFileName(path));
    const QString shown = mail ? URL : path;
    QPointer<TWebEditor> self(this);
    QTimer::singleShot(0, this, [self, URL, shown, handOver] {
        if (!self)
            return;
        platform::GuardEvent([&] {
            // the desktop may say only later that it has no program for it
            const auto unable = [self, shown] { platform::ShowError(QStringLiteral("Unable to open \r") + shown, self); };
            if (handOver)
                platform::OpenWithDesktop(URL, unable);
            else
                unable();
        });
    });
    return true;
}

void TWebEditor::WebBrowser1CommandStateChange(int Command, bool Enable)
{
    if (Command == platform::CSC_NAVIGATEFORWARD)
        tbForward->setEnabled(Enable);
    else if (Command == platform::CSC_NAVIGATEBACK)
        tbBack->setEnabled(Enable);
}

void TWebEditor::WebBrowser1NavigateComplete2(const QString& URL)
{
    ShowNavigateError(false);
    ProgressBar1->hide();
    URLbar->setText(URL);
}

void TWebEditor::WebBrowser1DocumentComplete(const QString&)
{
    ProgressBar1->hide();
    bCancel->hide();
    tbReload->show();
}

void TWebEditor::WebBrowser1NavigateError(const QString& URL, int Code)
{
    // a clear message in place of an empty page
    lblNavigateError->setText(NavigateErrorText(URL, Code));
    ShowNavigateError(true);
    URLbar->setText(URL);
    bGo->show();
    bCancel->hide();
    ProgressBar1->hide();
}

bool TWebEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == URLbar && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        QPalette pal = URLbar->palette();
        pal.setColor(QPalette::Base, event->type() == QEvent::Enter
                                         ? QColor(Qt::white)
                                         : QApplication::palette().color(QPalette::Button));
        URLbar->setPalette(pal);
    }
    return QWidget::eventFilter(watched, event);
}
