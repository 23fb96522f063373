#pragma once
// A plain-text editor frame with open, save and clear commands and a
// three-panel status line (caret position, modified mark, file name).
#include "platform/text_file.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QToolButton;
namespace platform {
struct FileDialogRequest;
}

class TTextEditor : public QWidget {
    Q_OBJECT
public:
    explicit TTextEditor(QWidget* parent = nullptr);

    // Dialog defaults, no file, not modified.
    void Setup();

    const QString& GetArchivo() const { return FArchivo; }
    void SetArchivo(const QString& Value) { FArchivo = Value; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Commands of the tool bar.
    void tbOpenClick();
    void tbSaveClick();
    void tbDelClick();
    void ToolButton1Click();
    // Writes the caret's line and column to status panel 0.
    void ActualizarPos();

    // Names longer than 30 characters: first 5 + "..." + last 23.
    static QString ShortFileName(const QString& FileName);

    QPlainTextEdit* Memo() const { return Memo1; }
    QWidget* ToolBar() const { return ToolBar1; }
    QToolButton* OpenButton() const { return tbOpen; }
    QToolButton* SaveButton() const { return tbSave; }
    QToolButton* ClearButton() const { return tbDel; }
    QToolButton* ToolBarButton() const { return ToolButton1; }
    int ToolBarButtonImage() const { return m_toolButtonImage; }
    QString StatusPanel(int Index) const;
    QString StatusHint() const;
    const QString& DefaultExt() const { return m_defaultExt; }
    const QString& Filter() const { return m_filter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HasLines() const;
    void UpdateDelButton();
    // Writes the text to the file; false (after an error box) when it cannot.
    bool WriteFile(const QString& FileName);
    void ShowFileName();
    // The open and save dialogs start at the current file.
    platform::FileDialogRequest FileRequest() const;
    // The text now is that of FileName, unmodified.
    void SetFile(const QString& FileName);
    void ClearText();

    QPlainTextEdit* Memo1 = nullptr;
    QWidget* ToolBar1 = nullptr;
    QToolButton* tbOpen = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbDel = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QWidget* StatusBar1 = nullptr;
    QLabel* m_panels[3] = {nullptr, nullptr, nullptr};
    QString FArchivo;
    bool FModified = false;
    bool m_loading = false;
    int m_toolButtonImage = 0;
    QString m_defaultExt;
    QString m_filter;
    // a file is saved in the encoding it was read in
    platform::TextFileEncoding m_encoding;
};
