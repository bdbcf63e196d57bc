#include "PreviewIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace ergotab::report::PreviewIcons {

namespace {

constexpr int side = 24;

// Drawn at twice the size, so the icon stays sharp on high-density screens.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(side * scale, side * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawPage(QPainter &painter, const QRectF &page)
{
    painter.setPen(QPen(QColor(70, 70, 70), 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setPen(QPen(QColor(150, 150, 150), 1.0));
    for (double y = page.top() + 4; y < page.bottom() - 2; y += 3)
        painter.drawLine(QPointF(page.left() + 2.5, y), QPointF(page.right() - 2.5, y));
}

void drawArrowHead(QPainter &painter, QPointF tip, double direction)
{
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip.x() - 3.5 * direction, tip.y() - 3);
    head.lineTo(tip.x() - 3.5 * direction, tip.y() + 3);
    head.closeSubpath();
    painter.fillPath(head, QColor(30, 90, 170));
}

QIcon themed(const char *name, const std::function<void(QPainter &)> &draw)
{
    const QString themeName = QLatin1String(name);
    return QIcon::hasThemeIcon(themeName) ? QIcon::fromTheme(themeName) : drawn(draw);
}

} // namespace

QIcon wholePage()
{
    return themed("zoom-fit-best", [](QPainter &painter) {
        // A page with the corners of the window around it.
        drawPage(painter, QRectF(7.5, 4.5, 9, 15));
        painter.setPen(QPen(QColor(30, 90, 170), 1.6));
        const double a = 2.5, b = side - 2.5, l = 4.5;
        for (const QPointF &corner : {QPointF(a, a), QPointF(b, a), QPointF(a, b), QPointF(b, b)}) {
            const double dx = corner.x() < side / 2 ? l : -l;
            const double dy = corner.y() < side / 2 ? l : -l;
            painter.drawLine(corner, corner + QPointF(dx, 0));
            painter.drawLine(corner, corner + QPointF(0, dy));
        }
    });
}

QIcon pageWidth()
{
    return themed("zoom-fit-width", [](QPainter &painter) {
        // A page as wide as the window, with an arrow from edge to edge.
        drawPage(painter, QRectF(4.5, 3.5, 15, 17));
        painter.setPen(QPen(QColor(30, 90, 170), 1.6));
        painter.drawLine(QPointF(4, 12), QPointF(20, 12));
        drawArrowHead(painter, QPointF(1, 12), -1);
        drawArrowHead(painter, QPointF(23, 12), 1);
    });
}

QIcon actualSize()
{
    return themed("zoom-original", [](QPainter &painter) {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(QColor(30, 90, 170));
        painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QStringLiteral("1:1"));
    });
}

} // namespace ergotab::report::PreviewIcons
