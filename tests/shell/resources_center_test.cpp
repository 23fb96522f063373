// Tools "Go to Resources center" chosen with the mouse on a computer without
// a network: the page window says so in place of an empty page.
#include "main_window_fixture.h"

#include "testing/fake_web_view.h"
#include "shell/web_addresses.h"
#include "shell/web_nav.h"
#include "window_base/web_editor.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// Web views whose first load fails as without a network (the engine's
// "internet disconnected", -106).
platform::WebView* OfflineView(QWidget* parent)
{
    auto* view = new platform::FakeWebView(parent);
    view->FailNext(-106);
    return view;
}

QAction* ActionNamed(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions)
        if (QString(a->text()).remove(QLatin1Char('&')) == text)
            return a;
    return nullptr;
}

// Pixels of the picture in the colour.
int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

using ResourcesCenter = MainWindowFixture;

} // namespace

TEST_F(ResourcesCenter, WithoutANetworkThePageSaysSo)
{
    platform::ScopedWebViewFactory offline{OfflineView};
    TFMain& main = CreateMain();
    main.resize(1000, 700);
    main.show();
    // on a window system the activation, with its welcome page, comes a little later
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QCoreApplication::processEvents();

    // Tools, then "Go to Resources center", with the mouse
    QMenuBar* bar = main.menuBar();
    QAction* tools = ActionNamed(bar->actions(), QStringLiteral("Tools"));
    ASSERT_NE(tools, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(tools).center());
    QMenu* menu = tools->menu();
    QTRY_VERIFY(menu->isVisible());
    QAction* resources = ActionNamed(menu->actions(), QStringLiteral("Go to Resources center"));
    ASSERT_NE(resources, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(resources).center());
    QTRY_VERIFY(!menu->isVisible());
    QCoreApplication::processEvents();

    auto* window = qobject_cast<TFWebNav*>(NodeData(Root()->child(0)));
    ASSERT_NE(window, nullptr);
    TWebEditor* editor = window->TWebEditor1;
    ASSERT_TRUE(editor->lblNavigateError->isVisible());
    EXPECT_FALSE(editor->WebBrowser1->isVisible());
    const QString text = editor->lblNavigateError->text();
    EXPECT_EQ(text, QStringLiteral("The page cannot be shown:\n") + ResourcesAddress +
                        QStringLiteral("\n\nThe computer has no connection to the network, or the web server cannot "
                                       "be reached. Check the connection and try again."));
    EXPECT_EQ(editor->URLbar->text(), ResourcesAddress);
    // the message is painted, in its dark red
    const QImage shot = editor->WebBrowserp->grab().toImage();
    shot.save(QCoreApplication::applicationDirPath() + "/resources_center_offline.png");
    EXPECT_GT(CountColour(shot, qRgb(0x80, 0, 0)), 50);

    // a page that loads takes the message's place again
    const QString page = WriteFile(QStringLiteral("local.htm"), "<html><body>here</body></html>");
    editor->URLbar->setFocus();
    editor->URLbar->selectAll();
    QTest::keyClicks(editor->URLbar, page);
    QTest::keyClick(editor->URLbar, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor->lblNavigateError->isVisible());
    EXPECT_TRUE(editor->WebBrowser1->isVisible());

    // an error of the server names its status
    EXPECT_EQ(TWebEditor::NavigateErrorText(QStringLiteral("http://x/a.htm"), 404),
              QStringLiteral("The page cannot be shown:\nhttp://x/a.htm\n\nThe web server answered with error 404."));
}
