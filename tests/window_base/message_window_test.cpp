#include "window_base/message_window.h"

#include "platform/desktop.h"
#include "testing/fake_web_view.h"
#include "window_base/web_editor.h"
#include "support/shell_test_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QLineEdit>
#include <QToolButton>
#include <QWindow>

namespace {

using platform::FakeWebView;

class MessageWindowTest : public ShellFixture {
protected:
    void TearDown() override
    {
        FreeMessageWindow(Window);
        ShellFixture::TearDown();
    }
    FakeWebView* Browser() const { return dynamic_cast<FakeWebView*>(Window->TWebEditor1->WebBrowser1); }

    QPointer<TFMsge> Window;
};

TEST_F(MessageWindowTest, WaitMessageDefaults)
{
    Window = ShowWaitMessage(QStringLiteral("Leyendo datos..."), 0, false, 0, 0);
    ASSERT_TRUE(Window);
    EXPECT_EQ(Window->size(), QSize(150, 130));
    EXPECT_EQ(Window->Text->font().pointSize(), 12);
    EXPECT_TRUE(Window->Text->font().bold());
    EXPECT_EQ(Window->Text->text(), QStringLiteral("\nLeyendo datos..."));
    EXPECT_TRUE(Window->TWebEditor1->isHidden());
    EXPECT_TRUE(Window->pButtons->isHidden());
    EXPECT_FALSE(Window->pMsge->isHidden());
    EXPECT_EQ(Window->pMsge->height(), 58); // whole part of 0.45 * 130
    EXPECT_EQ(Window->pMsge->geometry().bottom(), Window->rect().bottom());
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->Backdrop(), nullptr);
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MessageWindowTest, WaitMessageAsTheMainWindowOpensAStudy)
{
    Window = ShowWaitMessage(QStringLiteral("Leyendo datos..."), 10, false, 125, 225);
    EXPECT_EQ(Window->size(), QSize(225, 125));
    EXPECT_EQ(Window->Text->font().pointSize(), 10);
    EXPECT_EQ(Window->pMsge->height(), 56);
}

TEST_F(MessageWindowTest, BackdropGoesWithTheWindow)
{
    Window = ShowWaitMessage(QStringLiteral("x"), 0, true, 0, 0);
    QPointer<TFFondoScreen> backdrop = Window->Backdrop();
    ASSERT_TRUE(backdrop);
    EXPECT_TRUE(backdrop->isVisible());
    EXPECT_NEAR(backdrop->windowOpacity(), 125.0 / 255.0, 0.01);
    FreeMessageWindow(Window);
    EXPECT_TRUE(Window.isNull());
    EXPECT_TRUE(backdrop.isNull());
    FreeMessageWindow(Window); // twice: nothing happens
    ProcessDeferredDeletes();
}

TEST_F(MessageWindowTest, ClosedUnderItsBackdropLeavesNothingOnScreen)
{
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), true, false, 0, 0);
    QPointer<TFFondoScreen> backdrop = Window->Backdrop();
    ASSERT_TRUE(backdrop);
    Window->close();
    EXPECT_TRUE(backdrop.isNull());
    EXPECT_FALSE(Window->isVisible());
    TFMsge* raw = Window.data();
    FreeMessageWindow(raw);
    EXPECT_EQ(raw, nullptr);
    FreeMessageWindow(raw);
    ProcessDeferredDeletes();
    EXPECT_TRUE(Window.isNull());
    FreeMessageWindow(Window); // the window is gone already
}

TEST_F(MessageWindowTest, CloseButtonFreesTheBackdrop)
{
    Window = ShowWebMessageOverBackdrop(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), 0, 0, false);
    QPointer<TFFondoScreen> backdrop = Window->Backdrop();
    ASSERT_TRUE(backdrop);
    Window->sbClose->click();
    EXPECT_TRUE(backdrop.isNull());
    EXPECT_FALSE(Window->isVisible());
}

TEST_F(MessageWindowTest, WebMessageSizes)
{
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), false, false, 0, 0);
    EXPECT_EQ(Window->size(), QSize(500, 500));
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Help"));
    FreeMessageWindow(Window);
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), false, true, 300, 200);
    EXPECT_EQ(Window->size(), QSize(200, 300));
    EXPECT_FALSE(Window->windowFlags() & Qt::FramelessWindowHint);
    FreeMessageWindow(Window);
    // sizeable: a frame with its caption that the window system draws, the
    // size asked for, and room to resize
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), false, true, 500, 1000);
    ASSERT_TRUE(Window->windowHandle());
    for (Qt::WindowFlags flags : {Window->windowFlags(), Window->windowHandle()->flags()}) {
        EXPECT_FALSE(flags & Qt::FramelessWindowHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);  // its own close button only
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    }
    EXPECT_EQ(Window->size(), QSize(1000, 500));
    EXPECT_LT(Window->minimumWidth(), 1000);
    EXPECT_GT(Window->maximumWidth(), 1000);
    EXPECT_TRUE(Window->sbClose->isVisible());
    FreeMessageWindow(Window);
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), true, false, 0, 0);
    const QSize backdrop = Window->Backdrop()->size();
    EXPECT_EQ(Window->size(), QSize(backdrop.width() - 150, backdrop.height() - 100));
}

TEST_F(MessageWindowTest, OverBackdropSizeFromPercentages)
{
    EXPECT_EQ(WebMessageSizeOverBackdrop(QSize(1000, 800), 0, 0), QSize(750, 600));
    EXPECT_EQ(WebMessageSizeOverBackdrop(QSize(1000, 800), 10, 50), QSize(900, 400));
    // 1010 * 25 / 100 = 252.5 -> 252; 1030 * 25 / 100 = 257.5 -> 258 (halves to even)
    EXPECT_EQ(WebMessageSizeOverBackdrop(QSize(1010, 1030), 0, 0), QSize(758, 772));

    Window = ShowWebMessageOverBackdrop(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), 0, 0, false);
    ASSERT_TRUE(Window->Backdrop());
    EXPECT_FALSE(Window->Backdrop()->isEnabled());
    EXPECT_EQ(Window->size(), WebMessageSizeOverBackdrop(Window->Backdrop()->size(), 0, 0));
}

TEST_F(MessageWindowTest, SecondNavigationTurnsTheMessageIntoABrowser)
{
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), false, false, 0, 0);
    EXPECT_EQ(Browser()->Navigations(), QStringList{QStringLiteral("file:///a.htm")});
    EXPECT_EQ(Window->NavigationCount(), 1);
    EXPECT_TRUE(Window->TWebEditor1->barNavigation->isHidden());
    EXPECT_FALSE(Window->pButtons->isHidden());
    EXPECT_TRUE(Window->windowFlags() & Qt::FramelessWindowHint);

    Browser()->FollowLink(QStringLiteral("file:///b.htm"));
    EXPECT_EQ(Window->NavigationCount(), 2);
    EXPECT_FALSE(Window->TWebEditor1->ToolBarNavControls->isHidden());
    EXPECT_FALSE(Window->TWebEditor1->pNavigation->isHidden());
    EXPECT_FALSE(Window->TWebEditor1->barNavigation->isHidden());
    EXPECT_TRUE(Window->pButtons->isHidden());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->TWebEditor1->URLbar->text(), QStringLiteral("file:///b.htm"));
}

TEST_F(MessageWindowTest, FramesOfTheMessagePageLeaveItAMessage)
{
    Window = ShowWebMessage(QStringLiteral("Help"), QStringLiteral("file:///a.htm"), false, false, 0, 0);
    EXPECT_TRUE(Browser()->FrameNavigate(QStringLiteral("file:///frame.htm")));
    EXPECT_TRUE(Browser()->FrameNavigate(QStringLiteral("file:///other.htm")));
    EXPECT_EQ(Window->NavigationCount(), 1);
    EXPECT_TRUE(Window->TWebEditor1->barNavigation->isHidden());
    EXPECT_FALSE(Window->pButtons->isHidden());
    EXPECT_TRUE(Window->TWebEditor1->ProgressBar1->isHidden());
}

TEST_F(MessageWindowTest, AStartUpMessageThatPointsAtAProgramOpensNothing)
{
    QTemporaryDir dir;
    const QString jar = dir.filePath(QStringLiteral("start.jar"));
    {
        QFile file(jar);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("PK");
    }
    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });
    Window = ShowWebMessage(QStringLiteral("Start"), QUrl::fromLocalFile(jar).toString(), false, false, 0, 0);
    QCoreApplication::processEvents();
    platform::SetDesktopOpener(nullptr);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList{QStringLiteral("Unable to open \r") + jar});
}

} // namespace
