#include "window_base/ui_routines.h"

#include "testing/fake_web_view.h"
#include "platform/xml_dom.h"
#include "window_base/web_editor.h"
#include "support/shell_test_support.h"

#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

using platform::XmlDocument;

class XMLNodeToTreeTest : public ShellFixture {
protected:
    QTreeWidget Tree;
};

TEST_F(XMLNodeToTreeTest, AttributesComeBeforeChildElements)
{
    const XmlDocument doc = XmlDocument::LoadFromBytes("<a x=\"1\"><b>t</b></a>");
    XMLNodeToTree(&Tree, platform::XmlNode(doc.DocumentElement()), nullptr);
    ASSERT_EQ(Tree.topLevelItemCount(), 1);
    QTreeWidgetItem* a = Tree.topLevelItem(0);
    EXPECT_EQ(a->text(0), QStringLiteral("a"));
    ASSERT_EQ(a->childCount(), 2);
    EXPECT_EQ(a->child(0)->text(0), QStringLiteral("[x = \"1\"]"));
    EXPECT_EQ(a->child(1)->text(0), QStringLiteral("b = t"));
    EXPECT_EQ(a->child(1)->childCount(), 0);
}

TEST_F(XMLNodeToTreeTest, MixedContentAndOrderOfEverything)
{
    const XmlDocument doc = XmlDocument::LoadFromBytes(
        "<r p=\"P\" q=\"Población\">lead<c1/><!-- note --><c2 k=\"v\"><d>x</d></c2>tail</r>");
    auto* parent = new QTreeWidgetItem(&Tree, QStringList{QStringLiteral("root")});
    new QTreeWidgetItem(parent, QStringList{QStringLiteral("before")});
    XMLNodeToTree(&Tree, doc.DocumentElement(), parent);
    ASSERT_EQ(parent->childCount(), 2);
    QTreeWidgetItem* r = parent->child(1);
    EXPECT_EQ(r->text(0), QStringLiteral("r")); // not only text: no value
    ASSERT_EQ(r->childCount(), 4);
    EXPECT_EQ(r->child(0)->text(0), QStringLiteral("[p = \"P\"]"));
    EXPECT_EQ(r->child(1)->text(0), QStringLiteral("[q = \"Población\"]"));
    EXPECT_EQ(r->child(2)->text(0), QStringLiteral("c1"));
    EXPECT_EQ(r->child(3)->text(0), QStringLiteral("c2"));
    ASSERT_EQ(r->child(3)->childCount(), 2);
    EXPECT_EQ(r->child(3)->child(0)->text(0), QStringLiteral("[k = \"v\"]"));
    EXPECT_EQ(r->child(3)->child(1)->text(0), QStringLiteral("d = x"));
}

TEST_F(XMLNodeToTreeTest, TextNodeAddsNothing)
{
    XMLNodeToTree(&Tree, platform::XmlNode(std::string("loose text")), nullptr);
    EXPECT_EQ(Tree.topLevelItemCount(), 0);
    XMLNodeToTree(&Tree, platform::XmlElement(), nullptr);
    EXPECT_EQ(Tree.topLevelItemCount(), 0);
}

TEST_F(XMLNodeToTreeTest, TenThousandLevelsDeep)
{
    constexpr int depth = 10000;
    XmlDocument doc = XmlDocument::LoadFromBytes("<e0/>");
    platform::XmlElement e = doc.DocumentElement();
    for (int i = 1; i < depth; ++i)
        e = e.AppendChild("e" + std::to_string(i));
    e.SetText("bottom");
    XMLNodeToTree(&Tree, doc.DocumentElement(), nullptr);
    ASSERT_EQ(Tree.topLevelItemCount(), 1);
    int levels = 1;
    QTreeWidgetItem* item = Tree.topLevelItem(0);
    while (item->childCount() == 1) {
        item = item->child(0);
        ++levels;
    }
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(item->text(0), QStringLiteral("e9999 = bottom"));
}

int CountRows(QTreeWidgetItem* item)
{
    int rows = 1;
    for (int i = 0; i < item->childCount(); ++i)
        rows += CountRows(item->child(i));
    return rows;
}

TEST_F(XMLNodeToTreeTest, LongTextShowsABoundedPrefixCutBetweenCharacters)
{
    // 3 MB of two-byte characters in one element, and a long attribute value
    std::string text;
    for (int i = 0; i < 1500000; ++i)
        text += "\xC3\xA9"; // é
    const std::string value(5000, 'v');
    const XmlDocument doc = XmlDocument::LoadFromBytes("<r><docum>" + text + "</docum><e a=\"" + value +
                                                       "\"/><f>" + std::string(200, 'x') + "</f></r>");
    XMLNodeToTree(&Tree, doc.DocumentElement(), nullptr);
    QTreeWidgetItem* r = Tree.topLevelItem(0);
    ASSERT_EQ(r->childCount(), 3);
    EXPECT_EQ(r->child(0)->text(0), QStringLiteral("docum = ") + QString(200, QChar(0xE9)) + QChar(0x2026));
    EXPECT_EQ(r->child(1)->child(0)->text(0),
              QStringLiteral("[a = \"") + QString(200, QLatin1Char('v')) + QChar(0x2026) + QStringLiteral("\"]"));
    // a text of exactly the limit is shown whole
    EXPECT_EQ(r->child(2)->text(0), QStringLiteral("f = ") + QString(200, QLatin1Char('x')));
}

TEST_F(XMLNodeToTreeTest, AHugeDocumentShowsItsFirstRowsAndSaysItWasCut)
{
    std::string xml = "<r>";
    for (int i = 0; i < 150000; ++i)
        xml += "<v i=\"1\"/>";
    xml += "</r>";
    const XmlDocument doc = XmlDocument::LoadFromBytes(xml);
    XMLNodeToTree(&Tree, doc.DocumentElement(), nullptr);
    QTreeWidgetItem* r = Tree.topLevelItem(0);
    // the root, then element and attribute rows up to the limit, then the note
    EXPECT_EQ(CountRows(r), TreeRowLimit + 1);
    ASSERT_EQ(r->childCount(), 50001);
    EXPECT_EQ(r->child(49998)->childCount(), 1);
    EXPECT_EQ(r->child(49999)->childCount(), 0); // its attribute would be row 100001
    EXPECT_EQ(r->child(r->childCount() - 1)->text(0),
              QString(QChar(0x2026)) + QStringLiteral(" the document is larger: the tree shows its first 100000 rows"));
    EXPECT_EQ(r->child(0)->text(0), QStringLiteral("v"));
}

class SelectComboItemTest : public ShellFixture {
protected:
    void Fill(const QStringList& items, int current)
    {
        Combo.addItems(items);
        Combo.setCurrentIndex(current);
    }
    QComboBox Combo;
};

TEST_F(SelectComboItemTest, LastTrimmedCaselessMatchWins)
{
    Fill({QStringLiteral("pop"), QStringLiteral("Pop"), QStringLiteral("other")}, 2);
    QList<int> changes;
    QObject::connect(&Combo, &QComboBox::currentIndexChanged, [&](int index) { changes.append(index); });
    SelectComboItem(&Combo, QStringLiteral(" Pop "));
    EXPECT_EQ(Combo.currentIndex(), 1);
    EXPECT_EQ(changes, QList<int>{1}); // the first match is never selected on the way
}

TEST_F(SelectComboItemTest, NoMatchKeepsTheSelection)
{
    Fill({QStringLiteral("pop"), QStringLiteral("Pop"), QStringLiteral("other")}, 2);
    SelectComboItem(&Combo, QStringLiteral("none"));
    EXPECT_EQ(Combo.currentIndex(), 2);
    SelectComboItem(&Combo, QString());
    EXPECT_EQ(Combo.currentIndex(), 2);
}

TEST_F(SelectComboItemTest, FoldsOnlyAsciiAndTrimsControlCharacters)
{
    Fill({QStringLiteral("\tPOBLACIÓN\n"), QStringLiteral("ALTURA"), QStringLiteral("x")}, 2);
    SelectComboItem(&Combo, QStringLiteral("población"));
    EXPECT_EQ(Combo.currentIndex(), 2); // Ó is not folded
    SelectComboItem(&Combo, QStringLiteral("poblaciÓn"));
    EXPECT_EQ(Combo.currentIndex(), 0);
    SelectComboItem(&Combo, QStringLiteral("\x01" "altura\x1f"));
    EXPECT_EQ(Combo.currentIndex(), 1);
}

class AddWebTabTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Pages.addTab(new QWidget, QStringLiteral("Data"));
        Pages.addTab(new QWidget, QStringLiteral("Charts"));
        Pages.setCurrentIndex(1);
    }
    platform::FakeWebView* Browser(int index)
    {
        auto* frame = Pages.widget(index)->findChild<TWebEditor*>();
        return frame ? dynamic_cast<platform::FakeWebView*>(frame->WebBrowser1) : nullptr;
    }
    QTabWidget Pages;
};

TEST_F(AddWebTabTest, NewSheetIsFirstAndActiveWhateverThePosition)
{
    for (int position : {0, 1, 2, 99, -1}) {
        const int before = Pages.count();
        AddWebTab(&Pages, position, QStringLiteral("Help %1").arg(position), QStringLiteral("http://x/a.htm"));
        ASSERT_EQ(Pages.count(), before + 1);
        EXPECT_EQ(Pages.tabText(0), QStringLiteral("Help %1").arg(position));
        EXPECT_EQ(Pages.currentIndex(), 0);
        EXPECT_TRUE(Pages.isTabVisible(0));
    }
    EXPECT_EQ(Pages.tabText(Pages.count() - 2), QStringLiteral("Data"));
    EXPECT_EQ(Pages.tabText(Pages.count() - 1), QStringLiteral("Charts"));
}

TEST_F(AddWebTabTest, FrameShowsTheExpandedAddressWithoutSource)
{
    AddWebTab(&Pages, 1, QStringLiteral("Help"), QStringLiteral("{appdir}help/a.htm"));
    platform::FakeWebView* browser = Browser(0);
    ASSERT_NE(browser, nullptr);
    const QString cwd = QDir::currentPath();
    EXPECT_EQ(browser->Navigations(), QStringList{QStringLiteral("file://") + cwd + QStringLiteral("/help/a.htm")});
    auto* frame = Pages.widget(0)->findChild<TWebEditor*>();
    EXPECT_FALSE(frame->EditMode());
    EXPECT_FALSE(frame->isHidden());

    AddWebTab(&Pages, 1, QStringLiteral("Web"), QStringLiteral("http://x/{appdir}"));
    EXPECT_EQ(Browser(0)->Navigations(), QStringList{QStringLiteral("http://x/{appdir}")});
}

} // namespace
