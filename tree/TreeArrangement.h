#pragma once

class QTreeWidget;
class QTreeWidgetItem;

namespace ergotab::tree {

// Display commands: they change only the tree, never a table or the modified flag.

// The item and every item below it; only items with children open.
void expandBranch(QTreeWidget &tree, QTreeWidgetItem *item);
void collapseBranch(QTreeWidget &tree, QTreeWidgetItem *item);

// The children of the item, one level, by their captions in Czech collation.
void sortLevel(QTreeWidget &tree, QTreeWidgetItem *item);
// The top level and the children of every item at every level.
void sortAll(QTreeWidget &tree);

} // namespace ergotab::tree
