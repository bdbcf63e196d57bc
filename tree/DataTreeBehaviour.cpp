#include "DataTreeBehaviour.h"

#include "DataTreeItem.h"
#include "TreeImages.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QTreeWidget>

namespace ergotab::tree {

DataTreeBehaviour::DataTreeBehaviour(QTreeWidget &tree)
    : QObject(&tree)
    , m_tree(tree)
{
    // The name, then the narrow column of the overall category's mark.
    tree.setColumnCount(2);
    tree.setHeaderHidden(true);
    tree.setIndentation(19);
    tree.setIconSize(QSize(16, 16));
    tree.setUniformRowHeights(true);
    tree.setRootIsDecorated(true);
    tree.setItemsExpandable(true);
    tree.setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree.setSelectionMode(QAbstractItemView::SingleSelection);
    tree.setSortingEnabled(false);
    tree.header()->setStretchLastSection(false);
    tree.header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree.header()->setSectionResizeMode(DataTreeItem::CategoryColumn, QHeaderView::Fixed);
    tree.header()->resizeSection(DataTreeItem::CategoryColumn, 22);

    tree.setDragEnabled(true);
    tree.setAcceptDrops(true);
    tree.viewport()->setAcceptDrops(true);
    tree.setDragDropMode(QAbstractItemView::DragDrop);
    tree.setDefaultDropAction(Qt::MoveAction);
    tree.setDropIndicatorShown(true);
    tree.viewport()->installEventFilter(this);

    tree.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit contextMenuRequested(pos); });
    connect(&tree, &QTreeWidget::itemExpanded, this, &DataTreeBehaviour::DataTreeNTExpanded);
    connect(&tree, &QTreeWidget::itemCollapsed, this, &DataTreeBehaviour::DataTreeNTCollapsed);
}

void DataTreeBehaviour::setDropHandlers(DropCheck check, Drop drop)
{
    m_dropCheck = std::move(check);
    m_drop = std::move(drop);
}

void DataTreeBehaviour::DataTreeNTExpanded(QTreeWidgetItem *item)
{
    if (DataTreeItem *data = DataTreeItem::from(item); data && !data->isAssessment())
        data->setImage(OpenFolderImage);
}

void DataTreeBehaviour::DataTreeNTCollapsed(QTreeWidgetItem *item)
{
    if (DataTreeItem *data = DataTreeItem::from(item); data && !data->isAssessment())
        data->setImage(ClosedFolderImage);
}

DataTreeItem *DataTreeBehaviour::draggedItem(const QObject *source) const
{
    // Only items of this tree move; a drag from anywhere else carries nothing to move.
    if (source != &m_tree)
        return nullptr;
    return DataTreeItem::from(m_tree.currentItem());
}

bool DataTreeBehaviour::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        QTreeWidgetItem *target = m_tree.itemAt(drag->position().toPoint());
        DataTreeItem *dragged = draggedItem(drag->source());
        if (event->type() == QEvent::DragEnter && dragged) {
            // Entering is always allowed so that moves over the tree keep being reported.
            drag->acceptProposedAction();
            return true;
        }
        if (dragged && target && m_dropCheck && m_dropCheck(dragged, target)) {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        QTreeWidgetItem *target = m_tree.itemAt(drop->position().toPoint());
        DataTreeItem *dragged = draggedItem(drop->source());
        if (dragged && target && m_dropCheck && m_dropCheck(dragged, target) && m_drop) {
            m_drop(dragged, target);
            // The item is already in its new place; the view must not remove anything.
            drop->setDropAction(Qt::IgnoreAction);
            drop->accept();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace ergotab::tree
