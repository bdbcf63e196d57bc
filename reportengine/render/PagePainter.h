#pragma once

// Draws prepared pages onto any QPainter: the screen preview, a printer, a PDF writer or an
// image. It is the one drawing routine all device outputs share, so what the preview shows is
// what prints. Drawing is vector all the way (text stays text, fonts are sized in points), so a
// page is crisp at any zoom.

#include "reportengine/prepared/PreparedReport.h"

#include <QFont>
#include <QLineF>
#include <QPen>

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QTextDocument;

namespace ergotab::report {

class PagePainter
{
public:
    PagePainter();
    ~PagePainter();
    PagePainter(const PagePainter &) = delete;
    PagePainter &operator=(const PagePainter &) = delete;

    // Draws `page` scaled so that its paper fills `target` (in the painter's current
    // coordinates). The painter's state is restored afterwards.
    void paint(QPainter &painter, const PreparedPage &page, const QRectF &target);

    // The number of painter units per millimetre while items are drawn: the painter works in
    // hundredths of a millimetre, which keeps font sizes far from the tiny values where font
    // engines round metrics.
    static constexpr double unitsPerMm = 100.0;

private:
    void drawText(QPainter &painter, const TextItem &item);
    void drawLine(QPainter &painter, const LineItem &item);
    void drawShape(QPainter &painter, const ShapeItem &item);
    void drawImage(QPainter &painter, const ImageItem &item);
    void drawRichText(QPainter &painter, const RichTextItem &item);
    void drawFrame(QPainter &painter, const QRectF &rect, const FrameStyle &frame);
    // Frame sides and lines in one pen are gathered and drawn in one call (devices handle one
    // long path much faster than many short ones); anything that could cover them flushes.
    void queueLines(QPainter &painter, const QPen &linePen, const QLineF *lines, int count);
    void flushLines(QPainter &painter);

    const QFont &deviceFont(const QFont &font);
    const QPen &pen(const QColor &color, double widthMm, Qt::PenStyle style, Qt::PenCapStyle cap = Qt::FlatCap);

    // Fonts and pens come again and again on a report's pages: each is made once per device.
    struct CachedFont
    {
        QFont source;
        QFont scaled;
    };
    struct CachedPen
    {
        QColor color;
        double widthMm;
        Qt::PenStyle style;
        Qt::PenCapStyle cap;
        QPen pen;
    };
    const QPaintDevice *m_device = nullptr;
    double m_fontScale = 1.0;
    std::vector<CachedFont> m_fonts;
    std::vector<CachedPen> m_pens;
    std::vector<QLineF> m_pendingLines;
    QPen m_pendingPen;
    std::unique_ptr<QTextDocument> m_richText;
    QString m_richTextHtml;
    double m_richTextWidth = -1.0;
};

// Where a picture lands in millimetres: stretched to its rectangle, fitted keeping its
// proportions, or at its own physical size; centred or at the top left. Exports place pictures
// by the same rule. Parts outside the item's rectangle are clipped by whoever draws.
QRectF placeImage(const ImageItem &item);

} // namespace ergotab::report
