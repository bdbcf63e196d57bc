#pragma once

#include "NodeTable.h"

#include <QObject>

class QTreeWidget;
class QTreeWidgetItem;

namespace ergotab {
class Document;
}

namespace ergotab::tree {

class DataTreeItem;

// The document's tree: the tree widget, its node table and the tree-building flag, kept in
// step with the document's Object table. Every command that adds or removes rows goes through
// addItem and removeItem here, so the node table always holds the item of every row.
class DocumentTree : public QObject
{
    Q_OBJECT
public:
    DocumentTree(QTreeWidget &widget, Document &document, QObject *parent = nullptr);

    QTreeWidget &widget() const { return m_widget; }
    Document &document() const { return m_document; }
    NodeTable &nodes() { return m_nodes; }
    const NodeTable &nodes() const { return m_nodes; }

    // Set while the program itself changes the tree: selection changes then load nothing.
    bool isBuilding() const { return m_building > 0; }
    class BuildingScope
    {
    public:
        explicit BuildingScope(DocumentTree &tree)
            : m_tree(tree)
        {
            ++m_tree.m_building;
        }
        ~BuildingScope() { --m_tree.m_building; }
        BuildingScope(const BuildingScope &) = delete;
        BuildingScope &operator=(const BuildingScope &) = delete;

    private:
        DocumentTree &m_tree;
    };

    // Builds the tree afresh from the document's Object table (start-up, New, Open).
    void rebuild();
    // Empties the tree and the node table (closing the window).
    void clear();

    DataTreeItem *selectedItem() const;
    // Selects the item (or nothing) and scrolls it into view.
    void select(QTreeWidgetItem *item);

    // The item of a parent Index: the node table's slot when it holds that Index, otherwise a
    // search of the whole tree; nullptr for 0 and for an Index without an item.
    DataTreeItem *itemOf(int index) const;

    // Adds the item of a freshly appended row as the last child of its parent's item (the
    // last top-level item when the parent has none) and records it in the node table.
    // Type 1 shows the sheet of paper, anything else the closed folder.
    DataTreeItem *addItem(int index, int upLink, int type, const QString &caption);

    // Deletes the item with everything below it and empties their slots; the categories the
    // ancestors show follow.
    void removeItem(QTreeWidgetItem *item);

signals:
    // The selection changed while the tree-building flag was clear (DataTreeNTChange).
    void selectionChanged();

private:
    QTreeWidget &m_widget;
    Document &m_document;
    NodeTable m_nodes;
    int m_building = 0;
};

} // namespace ergotab::tree
