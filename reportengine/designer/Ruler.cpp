#include "Ruler.h"

#include "DesignSurface.h"

#include <QPainter>

namespace ergotab::report::designer {

namespace {
constexpr int thickness = 22;
}

Ruler::Ruler(Qt::Orientation orientation, DesignSurface &surface, QWidget *parent)
    : QWidget(parent)
    , m_orientation(orientation)
    , m_surface(surface)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(thickness);
    else
        setFixedWidth(thickness);
}

void Ruler::setOffset(int pixels)
{
    m_offset = pixels;
    update();
}

void Ruler::setMarker(double mm)
{
    m_marker = mm;
    update();
}

void Ruler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xf2, 0xf4, 0xf6));
    const bool horizontal = m_orientation == Qt::Horizontal;
    const double ppm = m_surface.pixelsPerMm();
    const double origin = (horizontal ? m_surface.sheetOrigin().x() : m_surface.sheetOrigin().y()) - m_offset;
    const int length = horizontal ? width() : height();
    const double sheet = horizontal ? m_surface.geometryMm().width() : m_surface.geometryMm().height();
    QFont small = font();
    small.setPointSizeF(7);
    painter.setFont(small);
    painter.setPen(QColor(0x40, 0x48, 0x50));
    // Fewer ticks when zoomed out, so they never crowd.
    const int every = ppm < 2 ? 5 : 1;
    for (int mm = 0; mm <= int(sheet); mm += every) {
        const double at = origin + mm * ppm;
        if (at < -20 || at > length + 20)
            continue;
        const int tick = mm % 10 == 0 ? thickness - 4 : mm % 5 == 0 ? 8 : 4;
        if (horizontal)
            painter.drawLine(QPointF(at, thickness), QPointF(at, thickness - tick));
        else
            painter.drawLine(QPointF(thickness, at), QPointF(thickness - tick, at));
        if (mm % 10 == 0 && (ppm >= 1.5 || mm % 50 == 0)) {
            const QString label = QString::number(mm);
            if (horizontal)
                painter.drawText(QPointF(at + 2, 9), label);
            else
                painter.drawText(QPointF(2, at + 10), label);
        }
    }
    if (m_marker >= 0) {
        painter.setPen(QColor(0xd0, 0x30, 0x30));
        const double at = origin + m_marker * ppm;
        if (horizontal)
            painter.drawLine(QPointF(at, 0), QPointF(at, thickness));
        else
            painter.drawLine(QPointF(0, at), QPointF(thickness, at));
    }
    painter.setPen(QColor(0xa0, 0xa8, 0xb0));
    if (horizontal)
        painter.drawLine(0, thickness - 1, width(), thickness - 1);
    else
        painter.drawLine(thickness - 1, 0, thickness - 1, height());
}

} // namespace ergotab::report::designer
