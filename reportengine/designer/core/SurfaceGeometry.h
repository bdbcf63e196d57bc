#pragma once

// Where the design surface shows a report page, in millimetres of the sheet: the bands stacked
// in their order below the top margin, each under a caption strip that names it, at the width
// between the side margins. The sheet grows when the bands need more than the paper's height.
// The page's own objects (outside every band) stand where they print: from the margins' corner.

#include "reportengine/designer/core/TemplateRefs.h"
#include "reportengine/model/ReportTemplate.h"

#include <QPoint>
#include <QRectF>

#include <vector>

namespace ergotab::report::designer {

class SurfaceGeometry
{
public:
    static constexpr double captionMm = 4.5;
    static constexpr double gapMm = 1.0;

    explicit SurfaceGeometry(const ReportPage &page);

    QSizeF sheetMm() const { return m_sheet; }
    int bandCount() const { return int(m_bands.size()); }
    QRectF bandRect(int band) const { return m_bands.at(band); }
    QRectF captionRect(int band) const;
    // Where the coordinates of a band's objects (or with `pageLevel`, the page's) start.
    QPointF origin(int band) const;
    // The object's rectangle on the sheet, and back.
    QRectF objectRect(int band, const QRectF &objectMm) const;
    QRectF objectRectIn(int band, const QRectF &sheetMm) const;

    // The band whose area (or, with `captions`, caption) holds the point; -1 for none.
    int bandAt(QPointF sheetMm, bool captions = true) const;
    // The band whose area is nearest to the point vertically (for drops between bands); -1 when
    // the page has no bands.
    int nearestBand(QPointF sheetMm) const;
    // The band whose caption strip holds the point; -1 for none.
    int captionAt(QPointF sheetMm) const;
    // Where a band dragged by its caption would go in: the gap nearest to the point, 0 above the
    // first band up to bandCount() below the last. dropLineY is where that gap is drawn.
    int dropGap(QPointF sheetMm) const;
    double dropLineY(int gap) const;
    // The band's new index in the page when it leaves `from` for `gap`.
    static int positionForGap(int from, int gap) { return gap > from ? gap - 1 : gap; }

private:
    QPointF m_pageOrigin;
    QSizeF m_sheet;
    std::vector<QRectF> m_bands;
};

// The step an arrow key makes, one unit long (left, right, up, down); null for other keys.
QPoint arrowKeyDirection(int key);

} // namespace ergotab::report::designer
