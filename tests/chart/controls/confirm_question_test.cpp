#include "chart/controls/confirm_question.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "chart/chart_input.h"
#include "chart/plot_panel.h"
#include "testing/fake_dialogs.h"

namespace {

class ConfirmQuestionTest : public ::testing::Test {
protected:
    ConfirmQuestionTest()
    {
        host.move(300, 400);
        owner.move(40, 50);
    }
    ~ConfirmQuestionTest() override { SetScreenCursor(crDefault); }

    QWidget host;
    QWidget owner{&host};
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
};

}  // namespace

TEST_F(ConfirmQuestionTest, BoxGoesTwentyRightAndThirtyBelowTheOwner)
{
    // the owner's top-left is at (300 + 40, 400 + 50) on screen
    EXPECT_EQ(QuestionPosition(owner), QPoint(360, 480));
    YesNoQuestion("Go on?", &owner);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].position, std::optional<QPoint>(QPoint(360, 480)));
    EXPECT_EQ(dialogs.Calls()[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Calls()[0].icon, platform::MsgIcon::Confirmation);
}

TEST_F(ConfirmQuestionTest, WithoutOwnerTheBoxIsCentred)
{
    YesNoQuestion("Go on?", nullptr);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].position, std::nullopt);
}

TEST_F(ConfirmQuestionTest, OnlyYesAnswersTrue)
{
    dialogs.QueueAnswer(platform::MsgAnswer::Yes);
    dialogs.QueueAnswer(platform::MsgAnswer::No);
    dialogs.QueueAnswer(platform::MsgAnswer::Cancel);
    EXPECT_TRUE(YesNoQuestion("a", &owner));
    EXPECT_FALSE(YesNoQuestion("b", &owner));
    EXPECT_FALSE(YesNoQuestion("c", &owner));
}

TEST_F(ConfirmQuestionTest, AskingResetsTheScreenCursor)
{
    SetScreenCursor(crHourGlass);
    YesNoQuestion("a", nullptr);
    EXPECT_EQ(ScreenCursor(), crDefault);
}

TEST_F(ConfirmQuestionTest, DeleteQuestionNamesWhatGoes)
{
    DeleteQuestion("Series1", &owner);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"Delete Series1 ?"});
}
