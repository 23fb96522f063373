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

namespace {

TLinkLabel* LinkNamed(QWidget* panel, const QString& text)
{
    for (TLinkLabel* link : panel->findChildren<TLinkLabel*>())
        if (link->text() == text)
            return link;
    return nullptr;
}

void ClickRelease(QWidget* w)
{
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

} // namespace

TEST_F(TFAboutPages, LicenceLinksOfTheProgramPageShowTheLicence)
{
    for (const QString& text : {QStringLiteral("Licence"), QStringLiteral("Terms of use")}) {
        TFAbout box;
        box.PrepareAbout();
        box.show();
        box.PageControl()->setCurrentIndex(0);
        ASSERT_EQ(box.CurrentPage(), 1);
        TLinkLabel* link = LinkNamed(box.PagePanel(1), text);
        ASSERT_NE(link, nullptr) << text.toStdString();
        ClickRelease(link);
        EXPECT_EQ(box.CurrentPage(), 4) << text.toStdString();
        EXPECT_EQ(box.PageControl()->currentIndex(), 2) << text.toStdString();
    }
}

TEST_F(TFAboutPages, AClickOnTheProgramPageItselfStillShowsTheCredits)
{
    TFAbout box;
    box.PrepareAbout();
    box.show();
    box.PageControl()->setCurrentIndex(0);
    ClickRelease(box.PagePanel(1));
    EXPECT_EQ(box.CurrentPage(), 2);
}

TEST_F(TFAboutPages, PicturesAreDrawnAtTheSizeTheyAreShown)
{
    TFAbout box;
    for (const auto& [name, size] : {std::pair{QStringLiteral("Image1"), 64}, std::pair{QStringLiteral("Image3"), 32}}) {
        auto* label = box.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr);
        const QImage image = label->pixmap().toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << name.toStdString();
        // the drawing reaches the outer quarter of the box on every side
        int left = size, right = -1, top = size, bottom = -1;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(image.pixel(x, y)) > 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        EXPECT_LT(left, size / 4) << name.toStdString();
        EXPECT_GE(right, size * 3 / 4) << name.toStdString();
        EXPECT_LT(top, size / 4) << name.toStdString();
        EXPECT_GE(bottom, size * 3 / 4) << name.toStdString();
    }
}
