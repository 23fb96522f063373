#include "chart/controls/confirm_question.h"

#include <QWidget>
#include <optional>

#include "chart/chart_input.h"
#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "platform/dialogs.h"

QPoint QuestionPosition(const QWidget& Owner) { return Owner.mapToGlobal(QPoint(0, 0)) + QPoint(20, 30); }

bool YesNoQuestion(const std::string& Text, QWidget* Owner)
{
    SetScreenCursor(crDefault);
    std::optional<QPoint> position;
    if (Owner)
        position = QuestionPosition(*Owner);
    return platform::CurrentDialogs().MessageBox(Owner, QString(), QString::fromStdString(Text),
                                                 platform::MsgButtons::YesNo, platform::MsgIcon::Confirmation,
                                                 position) == platform::MsgAnswer::Yes;
}

bool DeleteQuestion(const std::string& Name, QWidget* Owner)
{
    std::string text = PlotMsgConfirmDelete;
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, Name);
    return YesNoQuestion(text, Owner);
}
