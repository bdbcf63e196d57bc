#include "BuildTree.h"

#include "CategoryMarks.h"
#include "DataTreeItem.h"
#include "NodeTable.h"
#include "TreeImages.h"
#include "UiGuards.h"

#include "storage/Progress.h"
#include "storage/dbf/Table.h"
#include "storage/document/TableFields.h"

#include <QTreeWidget>

#include <unordered_map>
#include <vector>

namespace ergotab::tree {

namespace {

// The top level while it is being built, apart from the widget: items are gathered detached
// and handed to the widget in one insertion at the end. A placeholder that later becomes a
// node's item leaves the top level, so its position is remembered and its place left empty.
class DetachedTopLevel
{
public:
    void append(DataTreeItem *item)
    {
        m_positions[item] = m_items.size();
        m_items.push_back(item);
    }
    // Takes the item out of whichever place it has, top level or under a parent.
    void detach(DataTreeItem *item)
    {
        if (QTreeWidgetItem *parent = item->parent()) {
            parent->removeChild(item);
            return;
        }
        const auto found = m_positions.find(item);
        if (found != m_positions.end()) {
            m_items[found->second] = nullptr;
            m_positions.erase(found);
        }
    }
    QList<QTreeWidgetItem *> take()
    {
        QList<QTreeWidgetItem *> list;
        list.reserve(static_cast<qsizetype>(m_items.size()));
        for (DataTreeItem *item : m_items)
            if (item)
                list.append(item);
        m_items.clear();
        m_positions.clear();
        return list;
    }

private:
    std::vector<DataTreeItem *> m_items;
    std::unordered_map<DataTreeItem *, size_t> m_positions;
};

// True when putting item under parent would make the item its own ancestor: a cycle of
// UpLink values in a damaged document.
bool wouldCycle(const QTreeWidgetItem *item, const QTreeWidgetItem *parent)
{
    for (const QTreeWidgetItem *p = parent; p; p = p->parent())
        if (p == item)
            return true;
    return false;
}

void placeLast(DataTreeItem *item, DataTreeItem *parent, DetachedTopLevel &top)
{
    if (parent)
        parent->addChild(item);
    else
        top.append(item);
}

// The built top level goes into the widget with every item's category already in place.
void handOver(QTreeWidget &tree, DetachedTopLevel &top)
{
    const QList<QTreeWidgetItem *> items = top.take();
    refreshAllCategories(items);
    tree.addTopLevelItems(items);
}

} // namespace

void BuildTree(QTreeWidget &tree, dbf::Table &table, NodeTable &nodes, ProgressSink *progress)
{
    nodes.reset();
    RepaintSuspender repaint(tree);
    tree.clear();
    ProgressScope scope(progress, QStringLiteral("Vytvářím strom"), table.recordCount());

    DetachedTopLevel top;
    const int indexField = table.fieldIndex(fields::object::Index);
    const int upLinkField = table.fieldIndex(fields::object::UpLink);
    const int typeField = table.fieldIndex(fields::object::Type);
    const int textField = table.fieldIndex(fields::object::Text);
    const QString placeholderCaption = QStringLiteral("$$");

    try {
        table.first();
        while (!table.eof()) {
            const int u = table.fieldInt(upLinkField);
            const int i = table.fieldInt(indexField);
            nodes.ensureSlot(u);
            nodes.ensureSlot(i);

            DataTreeItem *parent = u == 0 ? nullptr : nodes.at(u);
            if (!parent && u != 0) {
                parent = new DataTreeItem(u, ClosedFolderImage, placeholderCaption);
                top.append(parent);
                nodes.set(u, parent);
            }

            const QString caption = table.fieldText(textField);
            if (table.fieldInt(typeField) != 0) {
                auto *item = new DataTreeItem(i, SheetImage, caption);
                item->setOwnCategory(overallCategory(readFactorMasks(table)));
                placeLast(item, parent, top);
                nodes.set(i, item);
            } else if (DataTreeItem *existing = nodes.at(i)) {
                existing->setText(0, caption);
                // A damaged document may name a descendant (or the row itself) as parent: the
                // item then stays where it is rather than being made its own ancestor.
                if (!wouldCycle(existing, parent)) {
                    top.detach(existing);
                    placeLast(existing, parent, top);
                }
            } else {
                auto *item = new DataTreeItem(i, ClosedFolderImage, caption);
                placeLast(item, parent, top);
                nodes.set(i, item);
            }
            table.next();
            scope.step();
        }
    } catch (...) {
        // What was read so far goes into the tree, so the node table never points at items
        // that belong to nobody.
        handOver(tree, top);
        throw;
    }
    handOver(tree, top);
}

DataTreeItem *FindItemByIndex(const QTreeWidget &tree, int n)
{
    std::vector<QTreeWidgetItem *> pending;
    for (int i = tree.topLevelItemCount() - 1; i >= 0; --i)
        pending.push_back(tree.topLevelItem(i));
    while (!pending.empty()) {
        QTreeWidgetItem *item = pending.back();
        pending.pop_back();
        if (DataTreeItem *data = DataTreeItem::from(item); data && data->index() == n)
            return data;
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.push_back(item->child(i));
    }
    return nullptr;
}

} // namespace ergotab::tree
