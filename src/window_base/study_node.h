#pragma once
// Nodes of the study tree (a QTreeWidget). A node's data is the window it
// stands for, or none for a folder; the link is a QPointer, so the node of
// a window that has gone reads as a folder and never dangles.
class QTreeWidget;
class QTreeWidgetItem;
class TFMDIChild;

// Data role (column 0) that holds the window link.
constexpr int StudyNodeDataRole = 0x0100 + 1; // Qt::UserRole + 1

void SetNodeData(QTreeWidgetItem* node, TFMDIChild* window);
TFMDIChild* NodeData(const QTreeWidgetItem* node);
// A node without a window.
bool IsFolderNode(const QTreeWidgetItem* node);
// Depth of a node: 0 for a top-level node.
int NodeLevel(const QTreeWidgetItem* node);
// Every node of the tree, at every depth.
int TreeNodeCount(const QTreeWidget* tree);
// True when node is (still) one of the tree's nodes; node is only compared, never read.
bool TreeHoldsNode(const QTreeWidget* tree, const QTreeWidgetItem* node);
// The node whose data is window, or nullptr.
QTreeWidgetItem* FindWindowNode(const QTreeWidget* tree, const TFMDIChild* window);
