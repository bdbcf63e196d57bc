#pragma once

class QTreeWidget;
class QTreeWidgetItem;

namespace ergotab {
class ProgressSink;
namespace dbf {
class Table;
}
} // namespace ergotab

namespace ergotab::tree {

class DataTreeItem;
class NodeTable;

// Empties the tree and the node table and fills both from every row of the table, in one pass
// over the rows in physical order. A row read before its parent gathers under a top-level
// placeholder "$$" that becomes the parent's item once the parent's row comes. The table must
// be open with its filter off; the filter is not touched. Every item starts collapsed and
// nothing is selected. Callers set the tree-building flag around the call.
void BuildTree(QTreeWidget &tree, dbf::Table &table, NodeTable &nodes, ProgressSink *progress);

// The first item in depth-first order (collapsed branches included) whose Index is n.
DataTreeItem *FindItemByIndex(const QTreeWidget &tree, int n);

} // namespace ergotab::tree
