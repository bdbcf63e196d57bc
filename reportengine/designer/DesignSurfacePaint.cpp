// Drawing the design surface: the sheet, the band strips, the objects as they print (texts kept
// inside their rectangles) and what a drag would do.

#include "DesignSurface.h"

#include "reportengine/designer/core/Arrange.h"
#include "reportengine/designer/core/DesignPageBuilder.h"
#include "reportengine/designer/core/TextFit.h"
#include "reportengine/render/PagePainter.h"

#include <QPainter>

#include <algorithm>

namespace ergotab::report::designer {

namespace {

const QColor selectionColour(0x1f, 0x6f, 0xd0);
const QColor pageObjectColour(0xd0, 0x7a, 0x1f); // marks objects outside every band

QString bandCaption(const Band &band)
{
    QString caption = bandKindCaption(band.kind) + QStringLiteral(": ") + band.name;
    if (!band.dataSource.isEmpty())
        caption += QStringLiteral(" – ") + band.dataSource;
    if (!band.condition.isEmpty())
        caption += QStringLiteral(" – ") + band.condition;
    return caption;
}

} // namespace

void DesignSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x9a, 0xa3, 0xad));
    const auto &pages = m_model.reportTemplate().pages;
    if (m_page < 0 || m_page >= int(pages.size()))
        return;
    const SurfaceGeometry g = geometry();
    const QRectF sheet(toPixels(QPointF(0, 0)), toPixels(QPointF(g.sheetMm().width(), g.sheetMm().height())));
    painter.fillRect(sheet.translated(3, 3), QColor(0x70, 0x78, 0x80));
    painter.fillRect(sheet, Qt::white);
    paintBands(painter, g);
    paintObjects(painter, g, sheet);
    paintSelection(painter, g);
}

void DesignSurface::paintBands(QPainter &painter, const SurfaceGeometry &g)
{
    const auto &page = m_model.reportTemplate().pages[m_page];
    QFont captionFont = font();
    captionFont.setPointSizeF(std::clamp(7.5 * m_zoom, 6.0, 14.0));
    painter.setFont(captionFont);
    const double grid = m_gridMm * pixelsPerMm();
    for (int b = 0; b < g.bandCount(); ++b) {
        const QRectF caption(toPixels(g.captionRect(b).topLeft()), toPixels(g.captionRect(b).bottomRight()));
        const QRectF area(toPixels(g.bandRect(b).topLeft()), toPixels(g.bandRect(b).bottomRight()));
        const bool current = b == m_currentBand;
        painter.fillRect(caption, current ? QColor(0xb9, 0xd3, 0xee) : QColor(0xe1, 0xe6, 0xeb));
        painter.setPen(QColor(0x33, 0x3d, 0x47));
        painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, bandCaption(page.bands[b]));
        painter.fillRect(area, QColor(0xfb, 0xfc, 0xfd));
        if (m_gridVisible && grid >= 5) {
            painter.setPen(QColor(0xc8, 0xcf, 0xd6));
            for (double y = area.top(); y <= area.bottom() + 0.1; y += grid)
                for (double x = area.left(); x <= area.right() + 0.1; x += grid)
                    painter.drawPoint(QPointF(x, y));
        }
        painter.setPen(QPen(current ? QColor(0x3a, 0x78, 0xb8) : QColor(0xb0, 0xb8, 0xc0), 1, Qt::DashLine));
        painter.drawRect(area);
    }
}

void DesignSurface::paintObjects(QPainter &painter, const SurfaceGeometry &g, const QRectF &sheet)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ReportPage &page = m_model.reportTemplate().pages[m_page];
    const PreparedPage view = designView(page, g);
    // Texts are drawn one by one, each cut to its rectangle (and a little more for its frame);
    // the other items in runs, as the painter draws a page.
    PagePainter pagePainter;
    PreparedPage run;
    run.sizeMm = view.sizeMm;
    auto flush = [&] {
        if (!run.items.empty())
            pagePainter.paint(painter, run, sheet);
        run.items.clear();
    };
    for (const PreparedItem &item : view.items) {
        const auto *text = std::get_if<TextItem>(&item);
        if (!text) {
            run.items.push_back(item);
            continue;
        }
        flush();
        run.items.push_back(fittedToRect(*text));
        const double slack = 1.0 + text->frame.widthMm * pixelsPerMm();
        painter.save();
        painter.setClipRect(QRectF(toPixels(text->rect.topLeft()), toPixels(text->rect.bottomRight()))
                                .adjusted(-slack, -slack, slack, slack),
                            Qt::IntersectClip);
        flush();
        painter.restore();
    }
    flush();

    // The page's own objects print on every page where they stand: a dotted outline tells them
    // from the objects of the bands under them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(pageObjectColour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const ReportObject &object : page.objects) {
        const QRectF r = g.objectRect(pageLevel, object.rect);
        painter.drawRect(QRectF(toPixels(r.topLeft()), toPixels(r.bottomRight())).adjusted(-1, -1, 1, 1));
    }
}

void DesignSurface::paintSelection(QPainter &painter, const SurfaceGeometry &g)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPointF delta = m_dragMm - m_pressMm;
    std::vector<QRectF> rects = selectedSheetRects();
    if (m_drag == Drag::Move)
        for (QRectF &r : rects)
            r.translate(snappedDelta(delta));
    else if (m_drag == Drag::Resize)
        rects = resizedSheetRects(gridDelta(delta));
    auto pixels = [this](const QRectF &mm) { return QRectF(toPixels(mm.topLeft()), toPixels(mm.bottomRight())); };
    // Each object outlined, the first (the one others are aligned to) solid; the handles around
    // the whole selection.
    painter.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < rects.size(); ++i) {
        const Qt::PenStyle style = i == 0 && m_drag == Drag::None ? Qt::SolidLine : Qt::DotLine;
        painter.setPen(QPen(selectionColour, 1, m_drag == Drag::None ? style : Qt::DashLine));
        painter.drawRect(pixels(rects[i]));
    }
    if (!rects.empty()) {
        const QRectF box = pixels(boundingBox(rects));
        if (rects.size() > 1) {
            painter.setPen(QPen(selectionColour.lighter(140), 1, Qt::DashLine));
            painter.drawRect(box);
        }
        painter.setPen(selectionColour);
        painter.setBrush(rects.size() > 1 ? QColor(Qt::white) : selectionColour);
        for (int h = 0; h < handleCount; ++h) {
            const QPointF p = handlePoint(box, static_cast<Handle>(h));
            painter.drawRect(QRectF(p.x() - handlePx / 2, p.y() - handlePx / 2, handlePx, handlePx));
        }
    }
    if (m_drag == Drag::Rubber || m_drag == Drag::Create) {
        painter.setPen(QPen(selectionColour, 1, Qt::DashLine));
        painter.setBrush(QColor(0x1f, 0x6f, 0xd0, 30));
        painter.drawRect(QRectF(toPixels(m_pressMm), toPixels(m_dragMm)).normalized());
    }
    if (m_drag == Drag::BandHeight && m_dragBand >= 0) {
        painter.setPen(QPen(selectionColour, 1, Qt::DashLine));
        const double y = toPixels(m_dragMm).y();
        const QRectF band = g.bandRect(m_dragBand);
        painter.drawLine(QPointF(toPixels(band.topLeft()).x(), y), QPointF(toPixels(band.topRight()).x(), y));
    }
    if (m_drag == Drag::BandOrder && m_dragBand >= 0 && m_dragBand < g.bandCount()) {
        // The strip being dragged, and the gap it would drop into.
        painter.setPen(QPen(selectionColour, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(pixels(g.captionRect(m_dragBand).united(g.bandRect(m_dragBand))));
        if (bandDropPosition() >= 0) {
            const double y = toPixels(QPointF(0, g.dropLineY(g.dropGap(m_dragMm)))).y();
            const QRectF band = g.bandRect(m_dragBand);
            painter.setPen(QPen(selectionColour, 3));
            painter.drawLine(QPointF(toPixels(band.topLeft()).x() - 6, y),
                             QPointF(toPixels(band.topRight()).x() + 6, y));
        }
    }
}

} // namespace ergotab::report::designer
