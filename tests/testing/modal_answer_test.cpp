#include "testing/modal_answer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class TitledDialog : public QDialog {
public:
    QLabel* Title = new QLabel(QStringLiteral("question"), this);
};

} // namespace

TEST(ModalAnswerScope, EndsTheDialogLoopWithTheAnswersResult)
{
    int shown = 0;
    QString seen;
    platform::ScopedModalAnswer<TitledDialog> answer([&](TitledDialog& dialog) {
        ++shown;
        seen = dialog.Title->text();
        return 7;
    });
    TitledDialog dialog;
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(seen, QStringLiteral("question"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalAnswerScope, AModelessDialogIsLeftAlone)
{
    int shown = 0;
    platform::ScopedModalAnswer<TitledDialog> answer([&](TitledDialog&) {
        ++shown;
        return 1;
    });
    TitledDialog dialog;
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(dialog.isVisible());
}
