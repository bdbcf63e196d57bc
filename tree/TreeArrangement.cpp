#include "TreeArrangement.h"

#include "UiGuards.h"

#include <QTreeWidget>

#include <vector>

namespace ergotab::tree {

namespace {

template <typename Visit> void forBranch(QTreeWidgetItem *item, Visit visit)
{
    std::vector<QTreeWidgetItem *> pending {item};
    while (!pending.empty()) {
        QTreeWidgetItem *current = pending.back();
        pending.pop_back();
        visit(current);
        for (int i = 0; i < current->childCount(); ++i)
            pending.push_back(current->child(i));
    }
}

} // namespace

void expandBranch(QTreeWidget &tree, QTreeWidgetItem *item)
{
    if (!item)
        return;
    BusyCursor busy;
    RepaintSuspender repaint(tree);
    forBranch(item, [](QTreeWidgetItem *current) {
        if (current->childCount() > 0)
            current->setExpanded(true);
    });
}

void collapseBranch(QTreeWidget &tree, QTreeWidgetItem *item)
{
    if (!item)
        return;
    BusyCursor busy;
    RepaintSuspender repaint(tree);
    forBranch(item, [](QTreeWidgetItem *current) { current->setExpanded(false); });
}

void sortLevel(QTreeWidget &tree, QTreeWidgetItem *item)
{
    if (!item)
        return;
    BusyCursor busy;
    RepaintSuspender repaint(tree);
    item->sortChildren(0, Qt::AscendingOrder);
}

void sortAll(QTreeWidget &tree)
{
    BusyCursor busy;
    RepaintSuspender repaint(tree);
    tree.sortItems(0, Qt::AscendingOrder);
}

} // namespace ergotab::tree
