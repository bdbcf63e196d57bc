#include "TreeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace ergotab::tree {

namespace {

constexpr int Size = 16;

QPixmap blank()
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

const QColor folderEdge(150, 110, 0);
const QColor folderBack(230, 180, 30);
const QColor folderFront(255, 215, 70);

QPixmap closedFolder()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setPen(folderEdge);
    // The tab on the back sheet, then the body.
    p.setBrush(folderBack);
    p.drawRect(1, 3, 5, 2);
    p.setBrush(folderFront);
    p.drawRect(1, 4, 13, 9);
    p.setPen(QColor(255, 240, 170));
    p.drawLine(2, 5, 13, 5);
    return pixmap;
}

QPixmap openFolder()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(folderEdge);
    p.setBrush(folderBack);
    p.drawRect(1, 3, 5, 2);
    p.drawRect(1, 4, 12, 9);
    // The front flap tilted open towards the viewer.
    QPainterPath flap;
    flap.moveTo(1, 13);
    flap.lineTo(4, 7);
    flap.lineTo(15, 7);
    flap.lineTo(12, 13);
    flap.closeSubpath();
    p.setBrush(folderFront);
    p.drawPath(flap);
    return pixmap;
}

QPixmap sheet()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 14);
    p.setPen(QColor(70, 100, 170));
    for (int y = 4; y <= 12; y += 2)
        p.drawLine(5, y, y == 12 ? 8 : 11, y);
    return pixmap;
}

} // namespace

const QIcon &treeIcon(int image)
{
    static const std::array<QIcon, 3> icons = {QIcon(closedFolder()), QIcon(openFolder()), QIcon(sheet())};
    if (image < ClosedFolderImage || image > SheetImage)
        image = ClosedFolderImage;
    return icons[static_cast<size_t>(image)];
}

} // namespace ergotab::tree
