#include "window_base/study_node.h"

#include "window_base/mdi_child.h"

#include <QPointer>
#include <QTreeWidget>
#include <QVariant>
#include <vector>

static_assert(StudyNodeDataRole == Qt::UserRole + 1);

void SetNodeData(QTreeWidgetItem* node, TFMDIChild* window)
{
    if (!node)
        return;
    if (window)
        node->setData(0, StudyNodeDataRole, QVariant::fromValue(QPointer<QObject>(window)));
    else
        node->setData(0, StudyNodeDataRole, QVariant());
}

TFMDIChild* NodeData(const QTreeWidgetItem* node)
{
    if (!node)
        return nullptr;
    const QVariant data = node->data(0, StudyNodeDataRole);
    if (!data.isValid())
        return nullptr;
    return qobject_cast<TFMDIChild*>(data.value<QPointer<QObject>>().data());
}

bool IsFolderNode(const QTreeWidgetItem* node)
{
    return NodeData(node) == nullptr;
}

int NodeLevel(const QTreeWidgetItem* node)
{
    int level = 0;
    for (const QTreeWidgetItem* p = node ? node->parent() : nullptr; p; p = p->parent())
        ++level;
    return level;
}

namespace {

// Visits every node of the tree in pre-order until visit answers true.
template <class Visit>
QTreeWidgetItem* FindNode(const QTreeWidget* tree, Visit visit)
{
    if (!tree)
        return nullptr;
    std::vector<QTreeWidgetItem*> stack;
    for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
        stack.push_back(tree->topLevelItem(i));
    while (!stack.empty()) {
        QTreeWidgetItem* node = stack.back();
        stack.pop_back();
        if (visit(node))
            return node;
        for (int i = node->childCount() - 1; i >= 0; --i)
            stack.push_back(node->child(i));
    }
    return nullptr;
}

} // namespace

int TreeNodeCount(const QTreeWidget* tree)
{
    int count = 0;
    FindNode(tree, [&](const QTreeWidgetItem*) {
        ++count;
        return false;
    });
    return count;
}

bool TreeHoldsNode(const QTreeWidget* tree, const QTreeWidgetItem* node)
{
    return node && FindNode(tree, [&](const QTreeWidgetItem* n) { return n == node; });
}

QTreeWidgetItem* FindWindowNode(const QTreeWidget* tree, const TFMDIChild* window)
{
    if (!window)
        return nullptr;
    return FindNode(tree, [&](const QTreeWidgetItem* n) { return NodeData(n) == window; });
}
