#include "platform/dialogs.h"

#include "platform/event_guard.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <utility>

namespace platform {

namespace {

Dialogs* g_dialogs = nullptr;

QtDialogs& SystemDialogs()
{
    static QtDialogs dialogs;
    return dialogs;
}

QString CaptionOrAppName(const QString& caption)
{
    if (!caption.isEmpty())
        return caption;
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

// Sets up a QFileDialog from the request (not executed).
void Prepare(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(request.caption);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    dialog.setDefaultSuffix(DefaultSuffix(request.defaultExt));
    QString dir = request.initialDir;
    QString name = request.fileName;
    const QFileInfo info(name);
    if (dir.isEmpty() && !name.isEmpty() && info.path() != QLatin1String(".")) {
        dir = info.path();
        name = info.fileName();
    }
    if (!dir.isEmpty())
        dialog.setDirectory(dir);
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')))
        dialog.selectFile(name);
}

// The chosen file; nullopt when the dialog is cancelled.
std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode acceptMode, QFileDialog::FileMode fileMode)
{
    QFileDialog dialog(parent);
    Prepare(dialog, request);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

Dialogs& CurrentDialogs()
{
    return g_dialogs ? *g_dialogs : SystemDialogs();
}

Dialogs* SetDialogs(Dialogs* dialogs)
{
    return std::exchange(g_dialogs, dialogs);
}

void ShowMessage(const QString& text, QWidget* parent)
{
    CurrentDialogs().MessageBox(parent, QString(), text, MsgButtons::Ok, MsgIcon::None);
}

void ShowError(const QString& text, QWidget* parent)
{
    CurrentDialogs().MessageBox(parent, QString(), text, MsgButtons::Ok, MsgIcon::Error);
}

void ReportException(const char* message) noexcept
{
    try {
        ShowError(QString::fromUtf8(message));
    } catch (...) {
        // nothing more can be done at an event boundary
    }
}

QString ScreenText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QStringList NameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (!t.isEmpty())
                patterns.append(t);
        }
        result.append(parts[i].trimmed() + QLatin1String(" (") + patterns.join(QLatin1Char(' '))
                      + QLatin1Char(')'));
    }
    return result;
}

QString DefaultSuffix(const QString& defaultExt)
{
    QString s = defaultExt.trimmed();
    while (s.startsWith(QLatin1Char('*')) || s.startsWith(QLatin1Char('.')))
        s.remove(0, 1);
    return s;
}

std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const QString& caption,
                                              const QString& text, MsgButtons buttons,
                                              MsgIcon icon, std::optional<QPoint> position)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(CaptionOrAppName(caption));
    box->setTextFormat(Qt::PlainText);
    box->setText(ScreenText(text));
    switch (icon) {
    case MsgIcon::None: box->setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box->setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box->setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box->setIcon(QMessageBox::Critical); break;
    case MsgIcon::Confirmation: box->setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // a moved box keeps its place when shown instead of being centred
    if (position)
        box->move(*position);
    return box;
}

MsgAnswer QtDialogs::MessageBox(QWidget* parent, const QString& caption, const QString& text,
                                MsgButtons buttons, MsgIcon icon, std::optional<QPoint> position)
{
    auto box = CreateMessageBox(parent, caption, text, buttons, icon, position);
    const int result = box->exec();
    switch (result) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default:
        // closed by the window's close button or Escape
        return buttons == MsgButtons::YesNo ? MsgAnswer::No
             : buttons == MsgButtons::Ok    ? MsgAnswer::Ok
                                            : MsgAnswer::Cancel;
    }
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(parent, request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
}

std::optional<TColor> QtDialogs::PickColor(QWidget* parent, TColor initial)
{
    // special values (none, default, system colours) start from white
    const QColor start = (initial & 0xFF000000u) != 0 || initial == clNone || initial == clDefault
        ? QColor(Qt::white)
        : QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial));
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return RGB(std::uint8_t(chosen.red()), std::uint8_t(chosen.green()),
               std::uint8_t(chosen.blue()));
}

} // namespace platform
