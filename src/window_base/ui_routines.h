#pragma once
// Routines the study windows share on their controls: an XML document as a
// tree, a tab showing a web page, selecting a combo box item by name.
#include <QString>

class QComboBox;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {
class XmlElement;
class XmlNode;
}

// Longest name or value a row of the document tree shows, in characters; a
// longer one shows this many and an ellipsis.
constexpr int TreeRowTextLimit = 200;
// Rows (elements and attributes) the document tree holds at most; a larger
// document shows its first rows and a last row saying it was cut.
constexpr int TreeRowLimit = 100000;

// Adds the element as the last child of Parent (a top-level node of Tree
// when Parent is null): its name (" = " and its text when it holds only
// text), one node per attribute, then its child elements in order. Text
// nodes add nothing. Works without recursion, at any depth.
void XMLNodeToTree(QTreeWidget* Tree, const platform::XmlNode& Node, QTreeWidgetItem* Parent);
void XMLNodeToTree(QTreeWidget* Tree, const platform::XmlElement& Node, QTreeWidgetItem* Parent);

// A new page in front of Pages, made current, showing URL ("{appdir}"
// expanded) in a web frame. TabPosition only decided the keyboard order of
// the pages, which the tab widget keeps by position.
void AddWebTab(QTabWidget* Pages, int TabPosition, const QString& Caption, const QString& URL);

// Selects the last item equal to Name, both trimmed and compared without
// ASCII case; no match leaves the selection as it was.
void SelectComboItem(QComboBox* Combo, const QString& Name);
