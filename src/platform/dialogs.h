#pragma once
// Modal dialogs through one replaceable service: message boxes, open and
// save file dialogs, the colour dialog.
#include "base/basic_types.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace platform {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Warning, Error, Confirmation };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// A file dialog as the system sets one up. The filter is in the system's
// form: pairs of description and patterns, all separated by "|"
// ("XML files (*.xml)|*.xml|All files (*.*)|*.*"); patterns separated by ";".
struct FileDialogRequest {
    QString caption;
    QString initialDir;
    QString fileName;
    QString filter;
    int filterIndex = 1;     // from 1
    QString defaultExt;      // without or with the dot; "*.xml" is accepted
    bool overwritePrompt = true;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty caption stands for the application's name. A "\r" in the text
    // breaks the line on screen. The box's top-left corner goes to `position`
    // (screen pixels) when one is given, else the box is centred.
    virtual MsgAnswer MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                 MsgButtons buttons, MsgIcon icon,
                                 std::optional<QPoint> position = std::nullopt) = 0;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<TColor> PickColor(QWidget* parent, TColor initial) = 0;
};

// The dialogs in force; the Qt ones unless others were installed.
Dialogs& CurrentDialogs();
// Installs dialogs (not taken over); nullptr brings back the Qt ones.
// Answers the dialogs installed before (nullptr for the Qt ones).
Dialogs* SetDialogs(Dialogs* dialogs);

// Shorthands over CurrentDialogs() with the application's name as caption.
void ShowMessage(const QString& text, QWidget* parent = nullptr);
void ShowError(const QString& text, QWidget* parent = nullptr);

// A message text as shown on screen: each "\r" (or "\r\n") becomes a line break.
QString ScreenText(const QString& text);
// Qt name filters from a filter in the system's form.
QStringList NameFilters(const QString& filter);
// The suffix QFileDialog expects: "*.xml", ".xml" and "xml" all give "xml".
QString DefaultSuffix(const QString& defaultExt);
// The box the Qt dialogs show (not yet executed), moved to `position` when given.
std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const QString& caption,
                                              const QString& text, MsgButtons buttons,
                                              MsgIcon icon,
                                              std::optional<QPoint> position = std::nullopt);

class QtDialogs : public Dialogs {
public:
    MsgAnswer MessageBox(QWidget* parent, const QString& caption, const QString& text,
                         MsgButtons buttons, MsgIcon icon,
                         std::optional<QPoint> position = std::nullopt) override;
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<TColor> PickColor(QWidget* parent, TColor initial) override;
};

} // namespace platform
