#pragma once

class QTreeWidgetItem;

namespace ergotab::tree {

class DataTreeItem;
class DocumentTree;
class NodeTable;

// Whether the item of Index n is the item of Index key or lies below it, walking up from the
// item in slot n. A walk that takes more steps than the tree can be deep stops with false.
bool IsInSubtree(const NodeTable &nodes, int key, int n);

// Moving an item with everything below it by drag and drop.
class ItemMover
{
public:
    explicit ItemMover(DocumentTree &tree);

    // DataTreeNTDragOver: refused with no target, onto the dragged item itself or onto
    // anything below it.
    bool DataTreeNTDragOver(const DataTreeItem *dragged, const QTreeWidgetItem *target) const;
    // DataTreeNTDragDrop: onto a node the item goes inside it, onto an assessment beside it;
    // the row's UpLink is posted (a placeholder has no row and only its item moves) and the
    // item becomes the last child of its new parent. The selection stays where it was.
    void DataTreeNTDragDrop(DataTreeItem *dragged, QTreeWidgetItem *target);

private:
    DocumentTree &m_tree;
};

} // namespace ergotab::tree
