#include "SurfaceGeometry.h"

#include <algorithm>
#include <cmath>

namespace ergotab::report::designer {

SurfaceGeometry::SurfaceGeometry(const ReportPage &page)
    : m_pageOrigin(page.margins.left, page.margins.top)
    , m_sheet(page.sizeMm())
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

QPointF SurfaceGeometry::origin(int band) const
{
    return band == pageLevel ? m_pageOrigin : m_bands.at(band).topLeft();
}

QRectF SurfaceGeometry::objectRect(int band, const QRectF &objectMm) const
{
    return objectMm.translated(origin(band));
}

QRectF SurfaceGeometry::objectRectIn(int band, const QRectF &sheetMm) const
{
    return sheetMm.translated(-origin(band));
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

int SurfaceGeometry::captionAt(QPointF sheetMm) const
{
    for (int i = 0; i < bandCount(); ++i) {
        const QRectF caption = captionRect(i);
        if (sheetMm.y() >= caption.top() && sheetMm.y() < caption.bottom() && sheetMm.x() >= caption.left() &&
            sheetMm.x() <= caption.right())
            return i;
    }
    return -1;
}

int SurfaceGeometry::dropGap(QPointF sheetMm) const
{
    // Above a band's middle the gap before it; below the last band's middle the end.
    for (int i = 0; i < bandCount(); ++i) {
        const QRectF whole = m_bands[i].adjusted(0, -captionMm, 0, 0);
        if (sheetMm.y() < whole.center().y())
            return i;
    }
    return bandCount();
}

double SurfaceGeometry::dropLineY(int gap) const
{
    if (m_bands.empty())
        return m_pageOrigin.y();
    if (gap >= bandCount())
        return m_bands.back().bottom() + gapMm / 2;
    return captionRect(std::max(0, gap)).top() - gapMm / 2;
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
