#include "../support/shell_test_support.h"
#include "shell/vexa_application.h"
#include "window_base/wait_scope.h"

#include <QCloseEvent>
#include <QWidget>

using EventBoundary = ShellFixture;

TEST_F(EventBoundary, ExceptionClosesTheWaitWindowThenShowsOneErrorBox)
{
    TWaitScope wait(QStringLiteral("Leyendo datos..."), 10, false, 125, 225);
    QPointer<TFMsge> window = wait.Window();
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(CurrentWaitWindow(), window.data());
    HandleEventException("Invalid class typecast");
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    ProcessDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Invalid class typecast"}));
}

TEST_F(EventBoundary, WaitScopeFreesItsWindowWhenWorkThrows)
{
    QPointer<TFMsge> window;
    try {
        TWaitScope wait(QStringLiteral("Leyendo datos..."), 10, false, 125, 225);
        window = wait.Window();
        EXPECT_EQ(window->width(), 225);
        EXPECT_EQ(window->height(), 125);
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CurrentWaitWindow(), nullptr);
    ProcessDeferredDeletes();
    EXPECT_TRUE(window.isNull());
}

namespace {

class RefusingWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

TEST_F(EventBoundary, TheProgramEndsWithItsMainWindowAlone)
{
    int ended = 0;
    QWidget main;
    QWidget message; // another top-level window still on screen
    main.show();
    message.show();
    WhenMainWindowCloses(&main, [&] { ++ended; });
    RefusingWindow refusing;
    refusing.show();
    int refusedEnds = 0;
    WhenMainWindowCloses(&refusing, [&] { ++refusedEnds; });

    refusing.close();
    main.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(refusedEnds, 0);
    EXPECT_TRUE(message.isVisible());
}
