#include "DataTreeItem.h"

#include "CategoryMarks.h"
#include "TreeImages.h"

#include <QCollator>
#include <QLocale>

namespace ergotab::tree {

DataTreeItem::DataTreeItem(int index, int image, const QString &caption)
    : QTreeWidgetItem(ItemType)
    , m_index(index)
    , m_image(image)
{
    setText(0, caption);
    setIcon(0, treeIcon(image));
}

void DataTreeItem::setImage(int image)
{
    if (image == m_image)
        return;
    m_image = image;
    setIcon(0, treeIcon(image));
}

bool DataTreeItem::isAssessment() const
{
    return m_image == SheetImage;
}

void DataTreeItem::setShownCategory(int category)
{
    if (category == m_shown)
        return;
    m_shown = category;
    emitDataChanged();
}

QVariant DataTreeItem::categoryData(int role) const
{
    switch (role) {
    case Qt::DecorationRole:
        return m_shown > 0 ? QVariant(categoryMark(m_shown, !isAssessment())) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return categoryToolTip(*this);
    default:
        return QTreeWidgetItem::data(CategoryColumn, role);
    }
}

QVariant DataTreeItem::data(int column, int role) const
{
    if (column == CategoryColumn)
        return categoryData(role);
    if (role != Qt::ToolTipRole || column != 0)
        return QTreeWidgetItem::data(column, role);
    QStringList path;
    for (const QTreeWidgetItem *item = this; item; item = item->parent())
        path.prepend(item->text(0).toHtmlEscaped());
    // Rich text, so that a long path wraps instead of running off the screen.
    return QStringLiteral("<p>%1</p>").arg(path.join(QStringLiteral(" › ")));
}

bool DataTreeItem::operator<(const QTreeWidgetItem &other) const
{
    return compareCaptions(text(0), other.text(0)) < 0;
}

DataTreeItem *DataTreeItem::from(QTreeWidgetItem *item)
{
    return item && item->type() == ItemType ? static_cast<DataTreeItem *>(item) : nullptr;
}

const DataTreeItem *DataTreeItem::from(const QTreeWidgetItem *item)
{
    return item && item->type() == ItemType ? static_cast<const DataTreeItem *>(item) : nullptr;
}

int compareCaptions(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::Czechia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

} // namespace ergotab::tree
