#include "SurfaceGeometry.h"

#include <cmath>

namespace ergotab::report::designer {

SurfaceGeometry::SurfaceGeometry(const ReportPage &page)
    : m_sheet(page.sizeMm())
{
    const double left = page.margins.left;
    const double width = std::max(10.0, m_sheet.width() - page.margins.left - page.margins.right);
    double y = page.margins.top;
    for (const Band &band : page.bands) {
        y += captionMm;
        m_bands.emplace_back(left, y, width, band.height);
        y += band.height + gapMm;
    }
    m_sheet.setHeight(std::max(m_sheet.height(), y + page.margins.bottom));
}

QRectF SurfaceGeometry::captionRect(int band) const
{
    const QRectF area = m_bands.at(band);
    return {area.left(), area.top() - captionMm, area.width(), captionMm};
}

QRectF SurfaceGeometry::objectRect(int band, const QRectF &objectMm) const
{
    return objectMm.translated(m_bands.at(band).topLeft());
}

int SurfaceGeometry::bandAt(QPointF sheetMm, bool captions) const
{
    for (int i = 0; i < bandCount(); ++i) {
        QRectF area = m_bands[i];
        if (captions)
            area.setTop(area.top() - captionMm);
        // The whole sheet's width counts, so objects reaching past the margin can be hit.
        if (sheetMm.y() >= area.top() && sheetMm.y() < area.bottom() + (captions ? gapMm : 0.0))
            return i;
    }
    return -1;
}

int SurfaceGeometry::nearestBand(QPointF sheetMm) const
{
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < bandCount(); ++i) {
        const QRectF &area = m_bands[i];
        const double distance = sheetMm.y() < area.top()      ? area.top() - sheetMm.y()
                                : sheetMm.y() > area.bottom() ? sheetMm.y() - area.bottom()
                                                              : 0.0;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QPoint arrowKeyDirection(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    default:
        return {};
    }
}

} // namespace ergotab::report::designer
