#include "CategoryMarks.h"

#include "DataTreeItem.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidgetItem>

#include <array>
#include <vector>

namespace ergotab::tree {

namespace {

// Darkest last: lightness about 80, 75, 55 and 30 per cent.
const std::array<QColor, 4> colours = {QColor(0x9c, 0xc8, 0xee), QColor(0xf4, 0xb9, 0x3c), QColor(0xe0, 0x5c, 0x1a),
                                       QColor(0x8c, 0x0c, 0x22)};

int shownOf(const QTreeWidgetItem *item)
{
    const DataTreeItem *data = DataTreeItem::from(item);
    return data ? data->shownCategory() : 0;
}

// The highest of the item's own category and its children's shown ones.
int highestAt(const DataTreeItem &item)
{
    int highest = item.ownCategory().category;
    for (int i = 0; i < item.childCount() && highest < 4; ++i)
        highest = qMax(highest, shownOf(item.child(i)));
    return highest;
}

// Children before their parent, for a branch of any depth without recursion.
void refreshPostOrder(QTreeWidgetItem *top)
{
    std::vector<std::pair<QTreeWidgetItem *, bool>> pending {{top, false}};
    while (!pending.empty()) {
        auto [item, childrenDone] = pending.back();
        pending.pop_back();
        if (childrenDone) {
            if (DataTreeItem *data = DataTreeItem::from(item))
                data->setShownCategory(highestAt(*data));
            continue;
        }
        pending.emplace_back(item, true);
        for (int i = 0; i < item->childCount(); ++i)
            pending.emplace_back(item->child(i), false);
    }
}

} // namespace

QColor categoryColour(int category)
{
    return category >= 1 && category <= 4 ? colours[size_t(category - 1)] : QColor(Qt::transparent);
}

QColor categoryDigitColour(int category)
{
    return category >= 3 ? QColor(Qt::white) : QColor(Qt::black);
}

QPixmap categoryMarkPixmap(int category, bool node, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    if (category < 1 || category > 4)
        return pixmap;
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(categoryColour(category).darker(140), 1));
    p.setBrush(categoryColour(category));
    const QRectF shape(0.5, 0.5, size - 1.0, size - 1.0);
    if (node)
        p.drawEllipse(shape);
    else
        p.drawRoundedRect(shape, size / 6.0, size / 6.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(qMax(8, size * 3 / 4));
    p.setFont(font);
    p.setPen(categoryDigitColour(category));
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::number(category));
    return pixmap;
}

const QIcon &categoryMark(int category, bool node)
{
    static const std::array<std::array<QIcon, 2>, 4> marks = [] {
        std::array<std::array<QIcon, 2>, 4> icons;
        for (int c = 1; c <= 4; ++c)
            for (int n = 0; n < 2; ++n)
                icons[size_t(c - 1)][size_t(n)] = QIcon(categoryMarkPixmap(c, n == 1, 16));
        return icons;
    }();
    static const QIcon none;
    if (category < 1 || category > 4)
        return none;
    return marks[size_t(category - 1)][node ? 1 : 0];
}

QString overallCategoryText(int category, int factorBits)
{
    if (category == 0)
        return QStringLiteral("Žádná kategorie není zaškrtnuta");
    return QStringLiteral("Celková kategorie %1 (%2)").arg(category).arg(factorNames(factorBits));
}

QString categoryToolTip(const DataTreeItem &item)
{
    if (item.isAssessment() && item.shownCategory() == item.ownCategory().category)
        return overallCategoryText(item.ownCategory().category, item.ownCategory().factorBits);
    if (item.shownCategory() == 0)
        return QStringLiteral("Pod uzlem není žádná kategorie");
    return QStringLiteral("Nejvyšší kategorie pod uzlem: %1").arg(item.shownCategory());
}

void refreshCategoriesUpwards(QTreeWidgetItem *item)
{
    for (; item; item = item->parent()) {
        DataTreeItem *data = DataTreeItem::from(item);
        if (!data)
            return;
        const int highest = highestAt(*data);
        if (highest == data->shownCategory())
            return;
        data->setShownCategory(highest);
    }
}

void refreshBranchCategories(QTreeWidgetItem *top)
{
    if (!top)
        return;
    refreshPostOrder(top);
    refreshCategoriesUpwards(top->parent());
}

void refreshAllCategories(const QList<QTreeWidgetItem *> &topLevel)
{
    for (QTreeWidgetItem *item : topLevel)
        refreshPostOrder(item);
}

} // namespace ergotab::tree
