#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace ergotab::tree {

class DataTreeItem;

// What DataTreeNT does beyond a plain tree widget: its look (indent 19, 16-pixel pictures, no
// header, no editing in place, the overall category's mark in a narrow second column), pictures that follow expansion
// and collapse, dragging that starts by itself with the drop decided by the structure commands, and the context menu
// opened on a right click.
class DataTreeBehaviour : public QObject
{
    Q_OBJECT
public:
    using DropCheck = std::function<bool(const DataTreeItem *dragged, const QTreeWidgetItem *target)>;
    using Drop = std::function<void(DataTreeItem *dragged, QTreeWidgetItem *target)>;

    explicit DataTreeBehaviour(QTreeWidget &tree);

    void setDropHandlers(DropCheck check, Drop drop);

    // DataTreeNTExpanded and DataTreeNTCollapsed: a node shows the open folder while its
    // children are shown and the closed one otherwise; an assessment keeps its sheet.
    static void DataTreeNTExpanded(QTreeWidgetItem *item);
    static void DataTreeNTCollapsed(QTreeWidgetItem *item);

signals:
    // A right click (or the menu key) at a position of the tree's viewport.
    void contextMenuRequested(const QPoint &viewportPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DataTreeItem *draggedItem(const QObject *source) const;

    QTreeWidget &m_tree;
    DropCheck m_dropCheck;
    Drop m_drop;
};

} // namespace ergotab::tree
