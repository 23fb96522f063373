// Drives the real Qt WebEngine: a local page links to a study, the link is
// cancelled in before-navigate and handed to the main window.
#include "platform/desktop.h"
#include "platform/qt_web_view.h"
#include "window_base/message_window.h"
#include "window_base/web_editor.h"
#include "shell/web_nav.h"
#include "support/event_wait.h"
#include "support/shell_test_support.h"
#include "support/web_click.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class WebEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Write(QStringLiteral("study.xml"), "<?xml version=\"1.0\"?><vexa filetype=\"study\"/>");
        Write(QStringLiteral("index.htm"), QByteArray("<html><body><a id=\"s\" style=\"") + kClickBoxStyle +
                                               "\" href=\"study.xml\">study</a></body></html>");
        m_before = QApplication::topLevelWidgets().size();
        Parent = std::make_unique<TestParent>();
    }
    void TearDown() override
    {
        Parent.reset();
        ProcessDeferredDeletes();
        EXPECT_EQ(QApplication::topLevelWidgets().size(), m_before);
    }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(Dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir Dir;
    std::unique_ptr<TestParent> Parent;

private:
    qsizetype m_before = 0;
};

TEST_F(WebEngineTest, StudyLinkIsCancelledAndHandedOver)
{
    const QString index = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("index.htm"))).toString();
    const QString study = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("study.xml"))).toString();

    auto* page = new TFWebNav(Parent.get(), index);
    auto* view = dynamic_cast<platform::QtWebView*>(page->TWebEditor1->WebBrowser1);
    ASSERT_NE(view, nullptr) << "the web page window must use the WebEngine view";
    QStringList documents;
    QStringList errors;
    auto frameDocument = view->OnDocumentComplete;
    view->OnDocumentComplete = [&](const QString& url) {
        documents.append(url);
        frameDocument(url);
    };
    auto frameError = view->OnNavigateError;
    view->OnNavigateError = [&](const QString& url, int code) {
        errors.append(QStringLiteral("%1 %2").arg(url).arg(code));
        frameError(url, code);
    };
    Parent->show();
    page->show();

    ASSERT_TRUE(WaitFor([&] { return !documents.isEmpty(); }, 15000)) << "the local page did not load";
    EXPECT_EQ(documents.first(), index);
    EXPECT_EQ(page->TWebEditor1->URLbar->text(), index);

    ASSERT_TRUE(ClickPage(*view));
    ASSERT_TRUE(WaitFor([&] { return !Parent->Opened.isEmpty(); }, 15000)) << "the link was not handed over";
    EXPECT_EQ(Parent->Opened, QStringList{study});
    // let the engine finish the cancelled load: it is no navigate error
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char(';')).toStdString();
    EXPECT_EQ(view->LocationURL(), index);
    EXPECT_EQ(documents.size(), 1);
}

TEST_F(WebEngineTest, SpreadsheetLinkGoesToTheDesktopAndLeavesNoProgressBar)
{
    Write(QStringLiteral("sheet.csv"), "a;b\n1;2\n");
    Write(QStringLiteral("sheets.htm"), QByteArray("<html><body><a id=\"c\" style=\"") + kClickBoxStyle +
                                            "\" href=\"sheet.csv\">sheet</a></body></html>");
    const QString index = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("sheets.htm"))).toString();
    const QString sheet = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("sheet.csv"))).toString();
    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });

    auto* page = new TFWebNav(Parent.get(), index);
    auto* view = dynamic_cast<platform::QtWebView*>(page->TWebEditor1->WebBrowser1);
    ASSERT_NE(view, nullptr);
    QStringList documents;
    auto frameDocument = view->OnDocumentComplete;
    view->OnDocumentComplete = [&](const QString& url) {
        documents.append(url);
        frameDocument(url);
    };
    Parent->show();
    page->show();
    ASSERT_TRUE(WaitFor([&] { return !documents.isEmpty(); }, 15000)) << "the local page did not load";

    ASSERT_TRUE(ClickPage(*view));
    const bool handed = WaitFor([&] { return !opened.isEmpty(); }, 15000);
    platform::SetDesktopOpener(nullptr);
    ASSERT_TRUE(handed) << "the sheet was not handed to the desktop";
    EXPECT_EQ(opened, QStringList{sheet});
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(page->TWebEditor1->ProgressBar1->isHidden());
    EXPECT_EQ(view->LocationURL(), index);
}

TEST_F(WebEngineTest, WebMessageTurnsIntoABrowserOnlyWhenALinkIsFollowed)
{
    Write(QStringLiteral("next.htm"), "<html><body>next</body></html>");
    Write(QStringLiteral("message.htm"), QByteArray("<html><body><a id=\"n\" style=\"") + kClickBoxStyle +
                                             "\" href=\"next.htm\">next</a></body></html>");
    const QString first = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("message.htm"))).toString();
    const QString next = QUrl::fromLocalFile(Dir.filePath(QStringLiteral("next.htm"))).toString();

    QPointer<TFMsge> window = ShowWebMessage(QStringLiteral("Help"), first, false, false, 0, 0);
    auto* view = dynamic_cast<platform::QtWebView*>(window->TWebEditor1->WebBrowser1);
    ASSERT_NE(view, nullptr);
    TWebEditor* frame = window->TWebEditor1;
    // the page loads through the event loop, so nothing is missed by hooking in now
    QStringList documents;
    auto frameDocument = view->OnDocumentComplete;
    view->OnDocumentComplete = [&](const QString& url) {
        documents.append(url);
        frameDocument(url);
    };
    ASSERT_TRUE(WaitFor([&] { return documents.contains(first) && frame->ProgressBar1->isHidden(); }, 15000))
        << "the message page did not load";
    EXPECT_EQ(frame->URLbar->text(), first);
    EXPECT_EQ(window->NavigationCount(), 1);
    EXPECT_TRUE(frame->barNavigation->isHidden());
    EXPECT_FALSE(window->pButtons->isHidden());

    ASSERT_TRUE(ClickPage(*view));
    ASSERT_TRUE(WaitFor([&] { return frame->URLbar->text() == next; }, 15000)) << "the link was not followed";
    EXPECT_EQ(window->NavigationCount(), 2);
    EXPECT_FALSE(frame->barNavigation->isHidden());
    EXPECT_FALSE(frame->pNavigation->isHidden());
    EXPECT_TRUE(window->pButtons->isHidden());
    TFMsge* raw = window.data();
    FreeMessageWindow(raw);
    EXPECT_TRUE(WaitFor([&] { return window.isNull(); }, 5000));
}

TEST_F(WebEngineTest, ScriptThatClicksLinksHandsNothingToTheDesktop)
{
    // a page of the program's own, so that its script runs
    QTemporaryDir own(QCoreApplication::applicationDirPath() + QStringLiteral("/web-XXXXXX"));
    ASSERT_TRUE(own.isValid());
    QByteArray links;
    for (const char* name : {"run.sh", "start.desktop", "tool.jar", "setup.exe", "guide.pdf"}) {
        QFile file(own.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        links += QByteArray("<a class=\"l\" href=\"") + name + "\">" + name + "</a> ";
    }
    QFile page(own.filePath(QStringLiteral("bundled.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>start</title></head><body>" + links +
               "<script>var ls = document.getElementsByClassName('l');"
               "for (var i = 0; i < ls.length; ++i) ls[i].click(); document.title = 'clicked';</script></body></html>");
    page.close();
    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });
    auto* window = new TFWebNav(Parent.get(), QUrl::fromLocalFile(page.fileName()).toString());
    auto* view = dynamic_cast<platform::QtWebView*>(window->TWebEditor1->WebBrowser1);
    ASSERT_NE(view, nullptr);
    Parent->show();
    window->show();
    const bool ran = WaitFor([&] { return view->Engine()->title() == QLatin1String("clicked"); }, 15000);
    WaitFor([] { return false; }, 500);
    platform::SetDesktopOpener(nullptr);
    ASSERT_TRUE(ran) << "the page's script did not run";
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(Parent->Opened.isEmpty());
}

} // namespace
