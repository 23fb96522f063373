#include "window_base/ui_routines.h"

#include "base/name_matching.h"
#include "core/text_routines.h"
#include "base/utf8_text.h"
#include "platform/xml_dom.h"
#include "window_base/web_editor.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A row lays its whole text out at every paint: long texts show a prefix.
QString RowText(std::string_view text)
{
    const std::size_t cut = Utf8CharOffset(text, TreeRowTextLimit);
    if (cut >= text.size())
        return Utf8(std::string(text));
    return Utf8(std::string(text.substr(0, cut))) + QChar(0x2026);
}

// Counts its rows into `rows`; attributes beyond the row limit are left out
// and set `cut`.
QTreeWidgetItem* NewElementNode(const platform::XmlElement& element, int& rows, bool& cut)
{
    QString text = RowText(element.Name());
    if (element.HoldsOnlyText())
        text += QStringLiteral(" = ") + RowText(element.Text());
    auto* node = new QTreeWidgetItem(QStringList{text});
    ++rows;
    for (const platform::XmlAttribute& attribute : element.Attributes()) {
        if (rows >= TreeRowLimit) {
            cut = true;
            break;
        }
        node->addChild(new QTreeWidgetItem(QStringList{QStringLiteral("[") + RowText(attribute.Name()) +
                                                       QStringLiteral(" = \"") + RowText(attribute.Text()) +
                                                       QStringLiteral("\"]")}));
        ++rows;
    }
    return node;
}

} // namespace

void XMLNodeToTree(QTreeWidget* Tree, const platform::XmlElement& Node, QTreeWidgetItem* Parent)
{
    if (Node.IsNull() || (!Tree && !Parent))
        return;
    // The branch is built apart from the tree and hung on it at the end.
    int rows = 0;
    bool cut = false;
    QTreeWidgetItem* top = NewElementNode(Node, rows, cut);
    std::vector<std::pair<platform::XmlElement, QTreeWidgetItem*>> pending{{Node, top}};
    while (!pending.empty() && !cut) {
        auto [element, item] = std::move(pending.back());
        pending.pop_back();
        if (!element.HasChildNodes())
            continue;
        const std::vector<platform::XmlNode> children = element.ChildNodes();
        std::vector<std::pair<platform::XmlElement, QTreeWidgetItem*>> added;
        for (const platform::XmlNode& child : children) {
            if (child.Kind() != platform::XmlNodeKind::Element)
                continue;
            if (rows >= TreeRowLimit) {
                cut = true;
                break;
            }
            QTreeWidgetItem* childItem = NewElementNode(child.Element(), rows, cut);
            item->addChild(childItem);
            added.emplace_back(child.Element(), childItem);
        }
        for (auto it = added.rbegin(); it != added.rend(); ++it)
            pending.push_back(std::move(*it));
    }
    if (cut)
        top->addChild(new QTreeWidgetItem(QStringList{
            QStringLiteral("\u2026 the document is larger: the tree shows its first %1 rows").arg(TreeRowLimit)}));
    if (Parent)
        Parent->addChild(top);
    else
        Tree->addTopLevelItem(top);
}

void XMLNodeToTree(QTreeWidget* Tree, const platform::XmlNode& Node, QTreeWidgetItem* Parent)
{
    if (Node.Kind() == platform::XmlNodeKind::Element)
        XMLNodeToTree(Tree, Node.Element(), Parent);
}

void AddWebTab(QTabWidget* Pages, int, const QString& Caption, const QString& URL)
{
    if (!Pages)
        return;
    auto* sheet = new QWidget;
    Pages->addTab(sheet, Caption);
    auto* frame = new TWebEditor(sheet);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    // to the first position, as the active page
    Pages->removeTab(Pages->indexOf(sheet));
    Pages->insertTab(0, sheet, Caption);
    Pages->setTabVisible(0, true);
    Pages->setCurrentIndex(0);
    std::string address;
    AppDirURL(URL.toStdString(), address);
    frame->LoadPage(QString::fromStdString(address), false, false);
    frame->show();
}

void SelectComboItem(QComboBox* Combo, const QString& Name)
{
    if (!Combo)
        return;
    const std::string key = Name.toStdString();
    // the last match is selected, in one change (no handler sees an earlier match)
    int selected = -1;
    for (int i = 0; i < Combo->count(); ++i) {
        if (SameName(Combo->itemText(i).toStdString(), key))
            selected = i;
    }
    if (selected >= 0)
        Combo->setCurrentIndex(selected);
}
