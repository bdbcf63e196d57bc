#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QTreeWidgetItem;

namespace ergotab::tree {

class DataTreeItem;

// The colours of categories 1 to 4: light blue, amber, orange and dark red, each a step darker
// than the one before, so they stay apart without colour vision; the digit is always drawn.
QColor categoryColour(int category);
// Black on the two light colours, white on the two dark ones.
QColor categoryDigitColour(int category);

// A square with the digit for an assessment, a disc with the digit for a node (the highest
// category beneath it). Size in pixels; the 16-pixel marks are drawn once per run.
QPixmap categoryMarkPixmap(int category, bool node, int size);
const QIcon &categoryMark(int category, bool node);

// The tool-tip of the category column: the category and which factors reach it, or for a
// node the highest category beneath it.
QString categoryToolTip(const DataTreeItem &item);
// "Celková kategorie 3 (Hluk, Vibrace)", or that no category is marked.
QString overallCategoryText(int category, int factorBits);

// An item shows the highest of its own category and its children's. After an item's own
// category or its children changed, this puts the item and its ancestors right again,
// stopping at the first whose shown category stays the same.
void refreshCategoriesUpwards(QTreeWidgetItem *item);
// The same for a whole branch whose items all may have changed (a pasted subtree), then for
// the ancestors above it: one pass over the branch.
void refreshBranchCategories(QTreeWidgetItem *top);
// Every item under these top-level items, in one pass (building a tree: best done before the
// items are handed to the widget, which then has nothing to repaint yet).
void refreshAllCategories(const QList<QTreeWidgetItem *> &topLevel);

} // namespace ergotab::tree
