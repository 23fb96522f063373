#pragma once
// Scripted dialogs for tests: every call is recorded, answers come from
// queues set beforehand. With an empty queue a message box answers Ok,
// No or Cancel (the safe button of its kind) and file and colour dialogs
// are cancelled.
#include "platform/dialogs.h"

#include <deque>
#include <vector>

namespace platform {

struct DialogCall {
    enum class Kind { Message, Open, Save, Color };
    Kind kind = Kind::Message;
    QString caption;
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    FileDialogRequest request;
    TColor color = 0;
    std::optional<QPoint> position;  // where a message box was asked to go
};

class FakeDialogs : public Dialogs {
public:
    MsgAnswer MessageBox(QWidget* parent, const QString& caption, const QString& text,
                         MsgButtons buttons, MsgIcon icon,
                         std::optional<QPoint> position = std::nullopt) override;
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<TColor> PickColor(QWidget* parent, TColor initial) override;

    void QueueAnswer(MsgAnswer answer) { m_answers.push_back(answer); }
    // nullopt stands for a cancelled dialog.
    void QueueFile(std::optional<QString> fileName) { m_files.push_back(std::move(fileName)); }
    void QueueColor(std::optional<TColor> color) { m_colors.push_back(color); }

    const std::vector<DialogCall>& Calls() const { return m_calls; }
    // Texts of the message boxes shown, in order.
    QStringList MessageTexts() const;
    void Clear();

private:
    // Records an open or save dialog and answers the next queued file.
    std::optional<QString> FileCall(DialogCall::Kind kind, const FileDialogRequest& request);
    std::optional<QString> TakeFile();

    std::vector<DialogCall> m_calls;
    std::deque<MsgAnswer> m_answers;
    std::deque<std::optional<QString>> m_files;
    std::deque<std::optional<TColor>> m_colors;
};

// Installs dialogs for the lifetime of the guard, then brings back the ones before.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& dialogs) : m_previous(SetDialogs(&dialogs)) {}
    ~ScopedDialogs() { SetDialogs(m_previous); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* m_previous;
};

} // namespace platform
