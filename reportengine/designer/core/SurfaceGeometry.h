#pragma once

// Where the design surface shows a report page, in millimetres of the sheet: the bands stacked
// in their order below the top margin, each under a caption strip that names it, at the width
// between the side margins. The sheet grows when the bands need more than the paper's height.

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
    // The object's rectangle on the sheet.
    QRectF objectRect(int band, const QRectF &objectMm) const;

    // The band whose area (or, with `captions`, caption) holds the point; -1 for none.
    int bandAt(QPointF sheetMm, bool captions = true) const;
    // The band whose area is nearest to the point vertically (for drops between bands); -1 when
    // the page has no bands.
    int nearestBand(QPointF sheetMm) const;

private:
    QSizeF m_sheet;
    std::vector<QRectF> m_bands;
};

// The step an arrow key makes, one unit long (left, right, up, down); null for other keys.
QPoint arrowKeyDirection(int key);

} // namespace ergotab::report::designer
