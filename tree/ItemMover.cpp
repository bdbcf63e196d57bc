#include "ItemMover.h"

#include "CategoryMarks.h"
#include "DataTreeItem.h"
#include "DocumentTree.h"
#include "NodeTable.h"
#include "ObjectRecords.h"

#include "storage/document/Document.h"
#include "storage/document/TableFields.h"

#include <QTreeWidget>

#include <vector>

namespace ergotab::tree {

bool IsInSubtree(const NodeTable &nodes, int key, int n)
{
    const DataTreeItem *item = nodes.at(n);
    // Items form a proper tree, so the walk ends at the top level; the bound only guards
    // against a node table that points at items of another tree.
    for (int steps = 0; item && n > 0 && steps < 10'000'000; ++steps) {
        if (item->index() == key)
            return true;
        item = DataTreeItem::from(item->parent());
        if (item)
            n = item->index();
    }
    return false;
}

ItemMover::ItemMover(DocumentTree &tree)
    : m_tree(tree)
{
}

bool ItemMover::DataTreeNTDragOver(const DataTreeItem *dragged, const QTreeWidgetItem *target) const
{
    const DataTreeItem *over = DataTreeItem::from(target);
    if (!dragged || !over)
        return false;
    if (over == dragged)
        return false;
    if (IsInSubtree(m_tree.nodes(), dragged->index(), over->index()))
        return false;
    // The node table may not hold the target (an item whose slot a later duplicate took):
    // the items themselves decide then.
    for (const QTreeWidgetItem *p = over; p; p = p->parent())
        if (p == dragged)
            return false;
    return true;
}

void ItemMover::DataTreeNTDragDrop(DataTreeItem *dragged, QTreeWidgetItem *target)
{
    DataTreeItem *over = DataTreeItem::from(target);
    if (!DataTreeNTDragOver(dragged, over))
        return;

    DataTreeItem *newParent = over;
    int p = over->index();
    if (over->isAssessment()) {
        newParent = DataTreeItem::from(over->parent());
        p = newParent ? newParent->index() : 0;
    }

    dbf::Table &objects = m_tree.document().objects();
    if (locateObject(objects, dragged->index())) {
        try {
            objects.edit();
            objects.setFieldInt(fields::object::UpLink, p);
            objects.post();
        } catch (...) {
            objects.cancel();
            throw;
        }
    }

    DocumentTree::BuildingScope building(m_tree);
    QTreeWidget &widget = m_tree.widget();
    const bool wasCurrent = widget.currentItem() == dragged;
    // Taking an item out of the view forgets which of its branches were open; their pictures
    // still say open, so the same branches open again at the new place.
    std::vector<QTreeWidgetItem *> expanded;
    std::vector<QTreeWidgetItem *> pending {dragged};
    while (!pending.empty()) {
        QTreeWidgetItem *item = pending.back();
        pending.pop_back();
        if (item->isExpanded())
            expanded.push_back(item);
        for (int i = 0; i < item->childCount(); ++i)
            pending.push_back(item->child(i));
    }
    QTreeWidgetItem *oldParent = dragged->parent();
    if (oldParent)
        oldParent->removeChild(dragged);
    else
        widget.takeTopLevelItem(widget.indexOfTopLevelItem(dragged));
    if (newParent)
        newParent->addChild(dragged);
    else
        widget.addTopLevelItem(dragged);
    refreshCategoriesUpwards(oldParent);
    refreshCategoriesUpwards(newParent);
    for (QTreeWidgetItem *item : expanded)
        item->setExpanded(true);
    if (wasCurrent)
        widget.setCurrentItem(dragged);
}

} // namespace ergotab::tree
