#pragma once
// A frame that shows a web page in an embedded browser and can show, edit
// and save the page's source text. Used by web page windows, message
// windows and the web tabs of study windows.
#include "platform/text_file.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QStackedWidget;
class QTemporaryDir;
class QToolButton;

namespace platform {
struct FileDialogRequest;
class WebView;
}

// The font at Factor times its size, whether it is sized in points or in pixels.
QFont ScaledFont(QFont font, double Factor);

class TWebEditor : public QWidget {
    Q_OBJECT
public:
    explicit TWebEditor(QWidget* parent = nullptr);
    ~TWebEditor() override;

    void Setup(bool EditMode, bool Navigation);
    void LoadPage(const QString& URL, bool LoadSource, bool Navigation);
    void ShowPage();

    bool NavigationShown() const { return m_navigationShown; }
    // Stores the switch and applies the visibility rule again.
    void SetNavigationShown(bool value);
    bool AddressBarShown() const { return m_addressBarShown; }
    // Only stores the switch; it takes effect at the next application of the rule.
    void SetAddressBarShown(bool value) { m_addressBarShown = value; }
    bool EditMode() const { return m_editMode; }
    bool OpenButtonShown() const { return m_openButtonShown; }

    const QString& HomePage() const { return m_homePage; }
    const QString& CurrentAddress() const { return m_currentAddress; }
    const QString& ProgramFolder() const { return m_programFolder; }
    // The page of the edit mode, in a folder of the temporary folder that only
    // the user can reach, made at the first show and removed with the frame;
    // empty before.
    const QString& TempFile() const { return m_tempFile; }
    // 0: source text in front, 1: page in front.
    int View() const { return m_view; }
    bool IsModified() const { return m_modified; }
    bool IsShown() const { return m_shown; }

    // Browser events, in slot order.
    virtual void WebBrowser1ProgressChange(int Progress, int ProgressMax);
    virtual void WebBrowser1BeforeNavigate2(const QString& URL, bool& Cancel);
    virtual void WebBrowser1CommandStateChange(int Command, bool Enable);
    virtual void WebBrowser1NavigateComplete2(const QString& URL);
    void WebBrowser1DocumentComplete(const QString& URL);
    void WebBrowser1NavigateError(const QString& URL, int StatusCode);

    // A window that owns the frame handles the browser's before-navigate
    // event in place of the frame when this is set.
    std::function<void(const QString& URL, bool& Cancel)> OnBeforeNavigate;

    // Commands.
    void bGoClick();
    void bCancelClick();
    void tbBackClick();
    void tbForwardClick();
    void tbReloadClick();
    void tbHomeClick();
    void SpeedButton1Click();
    void bToolsClick();
    void tbToggleClick();
    // True when the text was written.
    bool tbSaveClick();
    void tbOpenClick();

    // A local file the browser cannot show (not a page, picture, plain text
    // or folder, and not a web address); path is the file's.
    static bool IsUnshownFile(const QString& address, QString& path);
    // Such a file that is a document (PDF, office document, spreadsheet).
    static bool IsDesktopDocument(const QString& address);
    // Before a navigation: a file the browser cannot show is not navigated
    // to. A document behind a link the user clicked goes to the desktop's
    // application for it, a "mailto:" address to the mail program (once the
    // browser's call has returned); any other such file, or a failure, is
    // "Unable to open"; a page's own navigation to one is dropped without a
    // word. True when it cancelled.
    bool HandOverDocument(const QString& URL, bool& Cancel);

    // The address the Go command navigates to for what was typed.
    static QString GoAddress(const QString& typed);
    // "    3:   12": line and column from 1, each right-aligned in five characters.
    static QString CaretText(int line, int column);

    // Controls, as the frame's form names them. Tool buttons carry their
    // image index in the dynamic property "ImageIndex".
    QPlainTextEdit* Memo1 = nullptr;
    QWidget* BarTools = nullptr;
    QToolButton* tbToggle = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbOpen = nullptr;
    QWidget* barNavigation = nullptr;
    QWidget* ToolBarNavControls = nullptr;
    QToolButton* tbHome = nullptr;
    QToolButton* tbBack = nullptr;
    QToolButton* tbForward = nullptr;
    QToolButton* tbReload = nullptr;
    QToolButton* bCancel = nullptr;
    QWidget* pNavigation = nullptr;
    QToolButton* bGo = nullptr;
    QLineEdit* URLbar = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QWidget* WebBrowserp = nullptr;
    platform::WebView* WebBrowser1 = nullptr;
    QWidget* pBarStatus = nullptr;
    QWidget* ToolBarEdit = nullptr;
    QToolButton* bTools = nullptr;
    QWidget* barStatus = nullptr;
    QLabel* StatusPanels[3] = {nullptr, nullptr, nullptr};
    QProgressBar* ProgressBar1 = nullptr;
    // Shown instead of the browser when a page could not be loaded.
    QLabel* lblNavigateError = nullptr;

    // The text of lblNavigateError for a failed load of URL with the
    // engine's error code (negative: a network error; 400 and up: the
    // server's HTTP status).
    static QString NavigateErrorText(const QString& URL, int Code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyVisibility();
    void ShowNavigateError(bool Shown);
    void Memo1Change();
    void ShowCaret();
    void SetModifiedState(bool value);
    // The local file behind an address ("file:" URL or path).
    static QString LocalPath(const QString& address);
    bool LoadSourceFile(const QString& address);
    // The open and save dialogs start in the current file's folder, with its
    // extension (and its name when WithName).
    platform::FileDialogRequest FileRequest(bool WithName) const;
    // The page now is FileName, unmodified.
    void ShowFile(const QString& FileName);

    QStackedWidget* m_front = nullptr;
    QString m_programFolder;
    QString m_homePage;
    QString m_currentAddress;
    QString m_tempFile;
    std::unique_ptr<QTemporaryDir> m_tempDir;
    platform::TextFileEncoding m_encoding;
    bool m_editMode = false;
    bool m_navigationShown = false;
    bool m_addressBarShown = false;
    bool m_openButtonShown = false;
    int m_view = 1;
    bool m_modified = false;
    bool m_shown = false;
    bool m_loadingText = false;
};
