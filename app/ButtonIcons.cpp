#include "ButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ergotab {

namespace {

constexpr int Size = 20;

void drawPlus(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x8b, 0x2e));
    p.drawEllipse(QRectF(11, 11, 9, 9));
    p.setPen(QPen(Qt::white, 1.6));
    p.drawLine(QPointF(15.5, 13), QPointF(15.5, 18));
    p.drawLine(QPointF(13, 15.5), QPointF(18, 15.5));
}

void drawFolder(QPainter &p)
{
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x1e), 1));
    p.setBrush(QColor(0xf2, 0xc9, 0x4c));
    QPainterPath folder;
    folder.moveTo(1.5, 4.5);
    folder.lineTo(7, 4.5);
    folder.lineTo(8.5, 6.5);
    folder.lineTo(16.5, 6.5);
    folder.lineTo(16.5, 15.5);
    folder.lineTo(1.5, 15.5);
    folder.closeSubpath();
    p.drawPath(folder);
}

void drawSheet(QPainter &p)
{
    p.setPen(QPen(QColor(0x44, 0x55, 0x66), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 11, 15));
    p.setPen(QPen(QColor(0x88, 0x99, 0xaa), 1));
    for (int y = 5; y <= 13; y += 3)
        p.drawLine(QPointF(5.5, y + 0.5), QPointF(12.5, y + 0.5));
}

void drawBooks(QPainter &p)
{
    const QColor colours[] = {QColor(0xb0, 0x3a, 0x2e), QColor(0x2e, 0x5e, 0xa8), QColor(0x3c, 0x8d, 0x40)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i].darker(140), 1));
        p.setBrush(colours[i]);
        p.drawRect(QRectF(2.5 + i * 4.5, 3.5 + (i % 2), 3.5, 13 - (i % 2)));
    }
}

void drawWand(QPainter &p)
{
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 17), QPointF(12, 8));
    p.setPen(QPen(QColor(0xe0, 0xa8, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap));
    const QPointF star(14.5, 5.5);
    for (int i = 0; i < 4; ++i) {
        const qreal dx = (i % 2 == 0) ? 3.5 : 2.5;
        const qreal dy = (i % 2 == 0) ? 0 : 2.5;
        p.drawLine(star - QPointF(i < 2 ? dx : dy, i < 2 ? dy : dx), star + QPointF(i < 2 ? dx : dy, i < 2 ? dy : dx));
    }
}

void drawCross(QPainter &p)
{
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(16, 16));
    p.drawLine(QPointF(16, 4), QPointF(4, 16));
}

} // namespace

QIcon buttonIcon(ButtonIcon which)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case ButtonIcon::AddNode:
        drawFolder(painter);
        drawPlus(painter);
        break;
    case ButtonIcon::AddAssessment:
        drawSheet(painter);
        drawPlus(painter);
        break;
    case ButtonIcon::AddFromLibrary:
        drawBooks(painter);
        drawPlus(painter);
        break;
    case ButtonIcon::Wizard:
        drawWand(painter);
        break;
    case ButtonIcon::Delete:
        drawCross(painter);
        break;
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace ergotab
