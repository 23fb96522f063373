#include "../support/shell_test_support.h"
#include "platform/desktop.h"
#include "shell/about_box.h"

#include <QEnterEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using TFAboutPages = ShellFixture;

TEST_F(TFAboutPages, CreationStartsTheFadeWithOnlyTheFirstTab)
{
    TFAbout box;
    EXPECT_TRUE(box.FadeTimer()->isActive());
    EXPECT_EQ(box.FadeTimer()->interval(), 25);
    EXPECT_EQ(box.AlphaBlendValue(), 0);
    EXPECT_TRUE(box.PrevButton()->isHidden());
    EXPECT_TRUE(box.NextButton()->isHidden());
    EXPECT_TRUE(box.PageControl()->isTabVisible(0));
    for (int i = 1; i < 4; ++i)
        EXPECT_FALSE(box.PageControl()->isTabVisible(i)) << i;
    EXPECT_GE(box.width(), 596);
    EXPECT_GE(box.height(), 473);
}

TEST_F(TFAboutPages, FadeRisesBy25UpTo255)
{
    TFAbout box;
    int expected = 0;
    for (int tick = 0; tick < 12; ++tick) {
        box.Timer1Timer();
        expected = std::min(255, expected + 25);
        EXPECT_EQ(box.AlphaBlendValue(), expected) << tick;
    }
    EXPECT_EQ(box.AlphaBlendValue(), 255);
}

TEST_F(TFAboutPages, SplashIsOpaqueWithoutFade)
{
    TFAbout box;
    box.PrepareSplash();
    EXPECT_FALSE(box.FadeTimer()->isActive());
    EXPECT_EQ(box.AlphaBlendValue(), 255);
}

TEST_F(TFAboutPages, AboutShowsCreditsWithThreeTabs)
{
    TFAbout box;
    box.PrepareAbout();
    EXPECT_TRUE(box.isHidden());
    EXPECT_EQ(box.PageControl()->currentIndex(), 1);
    EXPECT_EQ(box.CurrentPage(), 2);
    EXPECT_TRUE(box.PageControl()->isTabVisible(0));
    EXPECT_TRUE(box.PageControl()->isTabVisible(1));
    EXPECT_TRUE(box.PageControl()->isTabVisible(2));
    EXPECT_FALSE(box.PageControl()->isTabVisible(3));
}

TEST_F(TFAboutPages, PageButtonsWalkThePagesAndCloseBeyondThem)
{
    TFAbout box;
    box.show();
    box.PrepareAbout(); // page 2 in front
    box.pageav(-1);
    EXPECT_EQ(box.CurrentPage(), 1);
    EXPECT_EQ(box.PrevButton()->text(), "X");
    EXPECT_EQ(box.NextButton()->text(), ">>");
    EXPECT_FALSE(box.PrevButton()->isHidden());
    box.pageav(1);
    box.pageav(1);
    EXPECT_EQ(box.CurrentPage(), 3);
    // page 3 is the browser: it loads the program's web page once
    EXPECT_TRUE(box.BrowserLoaded());
    box.pageav(1);
    EXPECT_EQ(box.CurrentPage(), 4);
    EXPECT_EQ(box.NextButton()->text(), "X");
    EXPECT_EQ(box.PrevButton()->text(), "<<");
    box.show();
    box.pageav(1);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(TFAboutPages, CloseButtonEndsWithModalResultOne)
{
    TFAbout box;
    box.PrepareAbout();
    int result = -1;
    QObject::connect(&box, &QDialog::finished, [&](int r) { result = r; });
    box.open();
    box.CloseButton()->click();
    EXPECT_EQ(result, 1);
}

TEST_F(TFAboutPages, EveryTabOfTheAboutBoxShowsItsOwnPage)
{
    TFAbout box;
    box.PrepareAbout(); // credits in front
    box.PageControl()->setCurrentIndex(0);
    EXPECT_FALSE(box.PagePanel(1)->isHidden());
    EXPECT_EQ(box.CurrentPage(), 1);
    box.PageControl()->setCurrentIndex(2); // the licence
    EXPECT_FALSE(box.PagePanel(4)->isHidden());
    EXPECT_EQ(box.CurrentPage(), 4);
    box.PageControl()->setCurrentIndex(1);
    EXPECT_FALSE(box.PagePanel(2)->isHidden());
    EXPECT_EQ(box.CurrentPage(), 2);
    EXPECT_FALSE(box.BrowserLoaded());
}

namespace {

QColor TextColour(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

void Hover(QWidget* w, bool enter)
{
    if (enter) {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(w, &e);
    } else {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(w, &e);
    }
}

} // namespace

TEST_F(TFAboutPages, LinksTurnRedUnderTheMouseAndReportAFailedOpen)
{
    TFAbout box;
    auto* webdir = box.findChild<TLinkLabel*>(QStringLiteral("webdir"));
    auto* feedback = box.findChild<TLinkLabel*>(QStringLiteral("feedback"));
    ASSERT_NE(webdir, nullptr);
    ASSERT_NE(feedback, nullptr);
    EXPECT_EQ(TextColour(webdir), QColor(Qt::blue));
    EXPECT_EQ(TextColour(feedback), QColor(Qt::black));
    Hover(webdir, true);
    EXPECT_EQ(TextColour(webdir), QColor(Qt::red));
    Hover(webdir, false);
    EXPECT_EQ(TextColour(webdir), QColor(Qt::blue));

    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });
    webdir->OnClick();
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty());
    platform::SetDesktopOpener([](const QUrl&) { return false; });
    webdir->OnClick();
    platform::SetDesktopOpener(nullptr);
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList({"Unable to connect"}));
}
