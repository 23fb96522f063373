#include "shell/web_nav.h"

#include "platform/desktop.h"
#include "testing/fake_web_view.h"
#include "window_base/study_node.h"
#include "window_base/web_editor.h"
#include "support/shell_test_support.h"

#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QTreeWidget>

namespace {

using platform::FakeWebView;

class TFWebNavTest : public ShellFixture {
protected:
    TFWebNav* NewPage(const QString& url)
    {
        auto* page = new TFWebNav(&MainWindow(), url);
        page->setWindowTitle(QStringLiteral("Vexa 1.0 Vexa Home Page"));
        page->show();
        return page;
    }
    static FakeWebView* Browser(TFWebNav* page)
    {
        return dynamic_cast<FakeWebView*>(page->TWebEditor1->WebBrowser1);
    }
};

TEST_F(TFWebNavTest, LoadsItsAddressWithNavigationMaximised)
{
    TFWebNav* page = NewPage(QStringLiteral("file:///app/vexainit.htm"));
    EXPECT_EQ(page->URL(), QStringLiteral("file:///app/vexainit.htm"));
    EXPECT_EQ(Browser(page)->Navigations(), QStringList{QStringLiteral("file:///app/vexainit.htm")});
    EXPECT_TRUE(page->isMaximized());
    EXPECT_EQ(page->widget(), page->TWebEditor1);
    EXPECT_FALSE(page->TWebEditor1->ToolBarNavControls->isHidden());
    EXPECT_FALSE(page->TWebEditor1->pNavigation->isHidden());
    EXPECT_FALSE(page->TWebEditor1->EditMode());
}

TEST_F(TFWebNavTest, XmlLinkIsHandedToTheMainWindow)
{
    TFWebNav* page = NewPage(QStringLiteral("file:///app/index.htm"));
    FakeWebView* browser = Browser(page);
    browser->FollowLink(QStringLiteral("file:///app/xml/Estudio%201.xml"));
    EXPECT_EQ(browser->Cancelled(), QStringList{QStringLiteral("file:///app/xml/Estudio%201.xml")});
    EXPECT_EQ(browser->LocationURL(), QStringLiteral("file:///app/index.htm"));
    EXPECT_TRUE(page->TWebEditor1->ProgressBar1->isHidden()); // no load follows
    QCoreApplication::processEvents();
    EXPECT_EQ(MainWindow().Opened, QStringList{QStringLiteral("file:///app/xml/Estudio%201.xml")});
}

TEST_F(TFWebNavTest, TheStudyExtensionIgnoresCase)
{
    TFWebNav* page = NewPage(QStringLiteral("file:///app/index.htm"));
    FakeWebView* browser = Browser(page);
    browser->FollowLink(QStringLiteral("file:///app/b.XML"));
    browser->FollowLink(QStringLiteral("http://server/b.Xml"));
    browser->FollowLink(QStringLiteral("http://server/xml/page.htm"));
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->Cancelled(),
              QStringList({QStringLiteral("file:///app/b.XML"), QStringLiteral("http://server/b.Xml")}));
    EXPECT_EQ(MainWindow().Opened,
              QStringList({QStringLiteral("file:///app/b.XML"), QStringLiteral("http://server/b.Xml")}));
    EXPECT_EQ(browser->LocationURL(), QStringLiteral("http://server/xml/page.htm"));

    EXPECT_TRUE(TFWebNav::IsStudyAddress(QStringLiteral("http://server/a.xml")));
    EXPECT_TRUE(TFWebNav::IsStudyAddress(QStringLiteral("/home/u/a.xml")));
    EXPECT_TRUE(TFWebNav::IsStudyAddress(QStringLiteral("/home/u/A.XML")));
    EXPECT_TRUE(TFWebNav::IsStudyAddress(QStringLiteral("http://server/a.xml?v=2")));
    EXPECT_FALSE(TFWebNav::IsStudyAddress(QString()));
    EXPECT_FALSE(TFWebNav::IsStudyAddress(QStringLiteral("http://server.xml/")));
    EXPECT_FALSE(TFWebNav::IsStudyAddress(QStringLiteral("http://server/a.xmlx")));
}

TEST_F(TFWebNavTest, ASpreadsheetLinkIsHandedToTheDesktop)
{
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("muestra.csv"));
    {
        QFile file(sheet);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("a;b\n1;2\n");
    }
    const QString address = QUrl::fromLocalFile(sheet).toString();
    QStringList opened;
    platform::SetDesktopOpener([&](const QUrl& url) {
        opened.append(url.toString());
        return true;
    });
    TFWebNav* page = NewPage(QStringLiteral("file:///app/index.htm"));
    FakeWebView* browser = Browser(page);
    browser->FollowLink(address);
    EXPECT_EQ(browser->Cancelled(), QStringList{address});
    EXPECT_EQ(browser->LocationURL(), QStringLiteral("file:///app/index.htm"));
    EXPECT_TRUE(page->TWebEditor1->ProgressBar1->isHidden());
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, QStringList{address});
    EXPECT_TRUE(Dialogs.MessageTexts().isEmpty());
    EXPECT_TRUE(MainWindow().Opened.isEmpty());

    // no application for it: said so
    platform::SetDesktopOpener([](const QUrl&) { return false; });
    browser->FollowLink(address);
    QCoreApplication::processEvents();
    platform::SetDesktopOpener(nullptr);
    EXPECT_EQ(Dialogs.MessageTexts(), QStringList{QStringLiteral("Unable to open \r") + sheet});
}

TEST(TWebEditorDocuments, OnlyLocalFilesTheBrowserCannotShowAreDesktopDocuments)
{
    EXPECT_TRUE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/Excel/muestra_ejemplo.csv")));
    EXPECT_TRUE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/Excel/Hoja.XLSX")));
    EXPECT_TRUE(TWebEditor::IsDesktopDocument(QStringLiteral("/app/Docs/guia.pdf")));
    EXPECT_TRUE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/Docs/notes.odt")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/Docs/index.HTM")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/images/tree_01.png")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/xml/a.xml")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QStringLiteral("file:///app/Excel")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QStringLiteral("http://server/sheet.xlsx")));
    EXPECT_FALSE(TWebEditor::IsDesktopDocument(QString()));
}

TEST_F(TFWebNavTest, HandOverIsDroppedWhenTheWindowHasGone)
{
    TFWebNav* page = NewPage(QStringLiteral("file:///app/index.htm"));
    Browser(page)->FollowLink(QStringLiteral("file:///app/a.xml"));
    delete page;
    QCoreApplication::processEvents();
    EXPECT_TRUE(MainWindow().Opened.isEmpty());
}

TEST_F(TFWebNavTest, ClosingRearmsTheWelcomePageAndRemovesItsNode)
{
    auto* tree = new QTreeWidget(&MainWindow());
    auto* root = new QTreeWidgetItem(tree, QStringList{QStringLiteral("Vexa 1.0")});
    TFWebNav* page = NewPage(QStringLiteral("file:///app/vexainit.htm"));
    page->SetAskOnClose(false);
    auto* node = new QTreeWidgetItem(root, QStringList{page->windowTitle()});
    page->SetTreeLinks(tree, node);
    SetNodeData(node, page);
    MainWindow().SetWelcomeFlag(false);
    EXPECT_TRUE(page->close());
    ProcessDeferredDeletes();
    EXPECT_TRUE(MainWindow().WelcomeFlag());
    EXPECT_EQ(root->childCount(), 0);
    EXPECT_EQ(TreeNodeCount(tree), 1);
}

} // namespace
