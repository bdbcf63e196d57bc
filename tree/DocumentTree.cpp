#include "DocumentTree.h"

#include "BuildTree.h"
#include "CategoryMarks.h"
#include "DataTreeItem.h"
#include "TreeImages.h"

#include "storage/document/Document.h"

#include <QTreeWidget>

namespace ergotab::tree {

DocumentTree::DocumentTree(QTreeWidget &widget, Document &document, QObject *parent)
    : QObject(parent)
    , m_widget(widget)
    , m_document(document)
{
    connect(&m_widget, &QTreeWidget::currentItemChanged, this, [this] {
        if (!isBuilding())
            emit selectionChanged();
    });
}

void DocumentTree::rebuild()
{
    BuildingScope building(*this);
    dbf::Table &objects = m_document.objects();
    objects.setFiltered(false);
    objects.setFilter(QString());
    BuildTree(m_widget, objects, m_nodes, m_document.progressSink());
}

void DocumentTree::clear()
{
    BuildingScope building(*this);
    m_widget.clear();
    m_nodes.reset();
}

DataTreeItem *DocumentTree::selectedItem() const
{
    return DataTreeItem::from(m_widget.currentItem());
}

void DocumentTree::select(QTreeWidgetItem *item)
{
    if (!item) {
        m_widget.clearSelection();
        m_widget.setCurrentItem(nullptr);
        return;
    }
    m_widget.setCurrentItem(item);
    m_widget.scrollToItem(item);
}

DataTreeItem *DocumentTree::itemOf(int index) const
{
    if (index == 0)
        return nullptr;
    if (DataTreeItem *item = m_nodes.at(index); item && item->index() == index)
        return item;
    return FindItemByIndex(m_widget, index);
}

DataTreeItem *DocumentTree::addItem(int index, int upLink, int type, const QString &caption)
{
    DataTreeItem *parent = itemOf(upLink);
    m_nodes.ensureSlot(upLink);
    m_nodes.ensureSlot(index);
    auto *item = new DataTreeItem(index, type == 1 ? SheetImage : ClosedFolderImage, caption);
    if (parent)
        parent->addChild(item);
    else
        m_widget.addTopLevelItem(item);
    m_nodes.set(index, item);
    return item;
}

void DocumentTree::removeItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    BuildingScope building(*this);
    QTreeWidgetItem *parent = item->parent();
    m_nodes.forgetSubtree(item);
    delete item;
    refreshCategoriesUpwards(parent);
}

} // namespace ergotab::tree
