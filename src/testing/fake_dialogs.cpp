#include "testing/fake_dialogs.h"

namespace platform {

MsgAnswer FakeDialogs::MessageBox(QWidget*, const QString& caption, const QString& text,
                                  MsgButtons buttons, MsgIcon icon, std::optional<QPoint> position)
{
    DialogCall call;
    call.kind = DialogCall::Kind::Message;
    call.caption = caption;
    call.text = text;
    call.buttons = buttons;
    call.icon = icon;
    call.position = position;
    m_calls.push_back(call);
    if (!m_answers.empty()) {
        const MsgAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

std::optional<QString> FakeDialogs::OpenFile(QWidget*, const FileDialogRequest& request)
{
    return FileCall(DialogCall::Kind::Open, request);
}

std::optional<QString> FakeDialogs::SaveFile(QWidget*, const FileDialogRequest& request)
{
    return FileCall(DialogCall::Kind::Save, request);
}

std::optional<TColor> FakeDialogs::PickColor(QWidget*, TColor initial)
{
    DialogCall call;
    call.kind = DialogCall::Kind::Color;
    call.color = initial;
    m_calls.push_back(call);
    if (m_colors.empty())
        return std::nullopt;
    auto color = m_colors.front();
    m_colors.pop_front();
    return color;
}

std::optional<QString> FakeDialogs::FileCall(DialogCall::Kind kind, const FileDialogRequest& request)
{
    DialogCall call;
    call.kind = kind;
    call.caption = request.caption;
    call.request = request;
    m_calls.push_back(call);
    return TakeFile();
}

std::optional<QString> FakeDialogs::TakeFile()
{
    if (m_files.empty())
        return std::nullopt;
    const bool chosen = m_files.front().has_value();
    const QString name = chosen ? *m_files.front() : QString();
    m_files.pop_front();
    if (!chosen)
        return std::nullopt;
    return name;
}

QStringList FakeDialogs::MessageTexts() const
{
    QStringList texts;
    for (const DialogCall& call : m_calls)
        if (call.kind == DialogCall::Kind::Message)
            texts.append(call.text);
    return texts;
}

void FakeDialogs::Clear()
{
    m_calls.clear();
    m_answers.clear();
    m_files.clear();
    m_colors.clear();
}

} // namespace platform
