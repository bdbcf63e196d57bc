#include "PagePainter.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>

namespace ergotab::report {

namespace {

constexpr double mmPerInch = 25.4;

// Rich text is laid out as if on a device whose pixel is one painter unit (a hundredth of a
// millimetre), so the document's own point sizes come out right on every device.
const QImage &richTextLayoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMetre = int(1000.0 * PagePainter::unitsPerMm);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QRectF units(const QRectF &mm)
{
    const double u = PagePainter::unitsPerMm;
    return {mm.x() * u, mm.y() * u, mm.width() * u, mm.height() * u};
}

QPointF units(const QPointF &mm)
{
    return mm * PagePainter::unitsPerMm;
}

} // namespace

QRectF placeImage(const ImageItem &item)
{
    const QRectF box = item.rect;
    const QSizeF pixels = item.image.size();
    if (pixels.isEmpty() || box.isEmpty())
        return box;
    QSizeF size;
    if (item.stretch && !item.keepAspectRatio) {
        return box;
    } else if (item.stretch) {
        size = pixels.scaled(box.size(), Qt::KeepAspectRatio);
    } else {
        // The picture's own size: its resolution when it has one, 96 dots per inch otherwise.
        const double dpmX = item.image.dotsPerMeterX() > 0 ? item.image.dotsPerMeterX() : 96.0 / 0.0254;
        const double dpmY = item.image.dotsPerMeterY() > 0 ? item.image.dotsPerMeterY() : 96.0 / 0.0254;
        size = QSizeF(pixels.width() / dpmX * 1000.0, pixels.height() / dpmY * 1000.0);
    }
    QPointF topLeft = box.topLeft();
    if (item.center)
        topLeft += QPointF((box.width() - size.width()) / 2, (box.height() - size.height()) / 2);
    return {topLeft, size};
}

PagePainter::PagePainter() = default;
PagePainter::~PagePainter() = default;

void PagePainter::paint(QPainter &painter, const PreparedPage &page, const QRectF &target)
{
    if (page.sizeMm.isEmpty() || target.isEmpty())
        return;
    if (painter.device() != m_device) {
        // Fonts are sized through the device's resolution, so they are made again for another.
        m_device = painter.device();
        m_fonts.clear();
        const int dpi = m_device ? m_device->logicalDpiY() : 96;
        m_fontScale = mmPerInch * unitsPerMm / (dpi > 0 ? dpi : 96);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / (page.sizeMm.width() * unitsPerMm),
                  target.height() / (page.sizeMm.height() * unitsPerMm));
    for (const PreparedItem &item : page.items) {
        std::visit(
            [&](const auto &it) {
                using T = std::decay_t<decltype(it)>;
                if constexpr (std::is_same_v<T, TextItem>)
                    drawText(painter, it);
                else if constexpr (std::is_same_v<T, LineItem>)
                    drawLine(painter, it);
                else if constexpr (std::is_same_v<T, ShapeItem>)
                    drawShape(painter, it);
                else if constexpr (std::is_same_v<T, ImageItem>)
                    drawImage(painter, it);
                else
                    drawRichText(painter, it);
            },
            item);
    }
    flushLines(painter);
    painter.restore();
}

const QFont &PagePainter::deviceFont(const QFont &font)
{
    // Most items share their font's data with the item before them, which isCopyOf sees at once.
    for (const CachedFont &cached : m_fonts)
        if (cached.source.isCopyOf(font))
            return cached.scaled;
    for (const CachedFont &cached : m_fonts)
        if (cached.source == font)
            return cached.scaled;
    QFont scaled = font;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    scaled.setPointSizeF(points * m_fontScale);
    // Unhinted outlines keep advances proportional to the size, so text measured by the layout
    // at one resolution wraps the same at any zoom.
    scaled.setHintingPreference(QFont::PreferNoHinting);
    // Latin text needs no shaping; without it "fi" and "fl" stay two letters (no ligature
    // glyphs), so a PDF's text is found by search and copied as written.
    scaled.setStyleStrategy(QFont::StyleStrategy(scaled.styleStrategy() | QFont::PreferNoShaping));
    m_fonts.push_back({font, scaled});
    return m_fonts.back().scaled;
}

const QPen &PagePainter::pen(const QColor &color, double widthMm, Qt::PenStyle style, Qt::PenCapStyle cap)
{
    for (const CachedPen &cached : m_pens)
        if (cached.widthMm == widthMm && cached.style == style && cached.cap == cap && cached.color == color)
            return cached.pen;
    QPen pen(color, widthMm > 0 ? widthMm * unitsPerMm : 0.0, style, cap, Qt::MiterJoin);
    if (widthMm <= 0)
        pen.setCosmetic(true); // a hairline: one device pixel at any zoom
    m_pens.push_back({color, widthMm, style, cap, pen});
    return m_pens.back().pen;
}

void PagePainter::queueLines(QPainter &painter, const QPen &linePen, const QLineF *lines, int count)
{
    if (!m_pendingLines.empty() && !(m_pendingPen == linePen))
        flushLines(painter);
    m_pendingPen = linePen;
    m_pendingLines.insert(m_pendingLines.end(), lines, lines + count);
}

void PagePainter::flushLines(QPainter &painter)
{
    if (m_pendingLines.empty())
        return;
    painter.setPen(m_pendingPen);
    painter.drawLines(m_pendingLines.data(), int(m_pendingLines.size()));
    m_pendingLines.clear();
}

void PagePainter::drawFrame(QPainter &painter, const QRectF &rect, const FrameStyle &frame)
{
    if (!frame.any() || frame.color.alpha() == 0)
        return;
    const QRectF r = units(rect);
    QLineF sides[4];
    int count = 0;
    if (frame.left)
        sides[count++] = QLineF(r.topLeft(), r.bottomLeft());
    if (frame.top)
        sides[count++] = QLineF(r.topLeft(), r.topRight());
    if (frame.right)
        sides[count++] = QLineF(r.topRight(), r.bottomRight());
    if (frame.bottom)
        sides[count++] = QLineF(r.bottomLeft(), r.bottomRight());
    queueLines(painter, pen(frame.color, frame.widthMm, frame.style, Qt::SquareCap), sides, count);
}

void PagePainter::drawText(QPainter &painter, const TextItem &item)
{
    const QRectF r = units(item.rect);
    if (item.fill.alpha() != 0) {
        flushLines(painter); // frames drawn before this item stay under its fill
        painter.fillRect(r, item.fill);
    }
    if (!item.text.isEmpty() && item.color.alpha() != 0) {
        painter.setFont(deviceFont(item.font));
        // Text takes only the pen's colour: keeping the frame's pen when it has that colour
        // spares a device a change of drawing state for every framed text.
        if (painter.pen().color() != item.color || painter.pen().style() == Qt::NoPen)
            painter.setPen(pen(item.color, 0.0, Qt::SolidLine));
        const int flags = int(item.alignment) | (item.wordWrap ? Qt::TextWordWrap : 0);
        if (item.rotation == 90) {
            // Read from bottom to top: the text's baseline runs up the rectangle's height.
            painter.save();
            painter.translate(r.bottomLeft());
            painter.rotate(-90);
            painter.drawText(QRectF(0, 0, r.height(), r.width()), flags, item.text);
            painter.restore();
        } else {
            painter.drawText(r, flags, item.text);
        }
    }
    drawFrame(painter, item.rect, item.frame);
}

void PagePainter::drawLine(QPainter &painter, const LineItem &item)
{
    if (item.color.alpha() == 0)
        return;
    const QLineF line(units(item.from), units(item.to));
    queueLines(painter, pen(item.color, item.widthMm, item.style), &line, 1);
}

void PagePainter::drawShape(QPainter &painter, const ShapeItem &item)
{
    flushLines(painter);
    const QRectF r = units(item.rect);
    if (item.stroke.alpha() != 0)
        painter.setPen(pen(item.stroke, item.strokeWidthMm, Qt::SolidLine, Qt::SquareCap));
    else
        painter.setPen(Qt::NoPen);
    if (item.fill.alpha() != 0)
        painter.setBrush(item.fill);
    else
        painter.setBrush(Qt::NoBrush);
    switch (item.shape) {
    case ShapeItem::Shape::Rectangle:
        // Filled bars without an outline (bar codes) are the common case: fillRect is cheapest.
        if (item.stroke.alpha() == 0)
            painter.fillRect(r, item.fill);
        else
            painter.drawRect(r);
        break;
    case ShapeItem::Shape::RoundedRectangle: {
        const double radius = item.cornerRadiusMm * unitsPerMm;
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case ShapeItem::Shape::Ellipse:
        painter.drawEllipse(r);
        break;
    case ShapeItem::Shape::Triangle: {
        const QPointF corners[3] = {QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()};
        painter.drawPolygon(corners, 3);
        break;
    }
    case ShapeItem::Shape::DiagonalDown:
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    case ShapeItem::Shape::DiagonalUp:
        painter.drawLine(r.bottomLeft(), r.topRight());
        break;
    }
}

void PagePainter::drawImage(QPainter &painter, const ImageItem &item)
{
    if (item.image.isNull())
        return;
    flushLines(painter);
    const QRectF box = units(item.rect);
    const QRectF placed = units(placeImage(item));
    const bool clip = !box.contains(placed);
    if (clip) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    painter.drawImage(placed, item.image);
    if (clip)
        painter.restore();
}

void PagePainter::drawRichText(QPainter &painter, const RichTextItem &item)
{
    flushLines(painter);
    const QRectF r = units(item.rect);
    if (item.fill.alpha() != 0)
        painter.fillRect(r, item.fill);
    // Consecutive paints of one item (a preview repainting) reuse its laid-out document.
    if (!m_richText || m_richTextHtml != item.html || m_richTextWidth != r.width()) {
        if (!m_richText) {
            m_richText = std::make_unique<QTextDocument>();
            m_richText->documentLayout()->setPaintDevice(const_cast<QImage *>(&richTextLayoutDevice()));
            m_richText->setDocumentMargin(0);
            QFont plain = m_richText->defaultFont();
            plain.setStyleStrategy(QFont::StyleStrategy(plain.styleStrategy() | QFont::PreferNoShaping));
            m_richText->setDefaultFont(plain);
        }
        m_richText->setHtml(item.html);
        m_richText->setTextWidth(r.width());
        m_richTextHtml = item.html;
        m_richTextWidth = r.width();
    }
    painter.save();
    painter.translate(r.topLeft());
    const QRectF local(0, 0, r.width(), r.height());
    painter.setClipRect(local, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = local;
    m_richText->documentLayout()->draw(&painter, context);
    painter.restore();
    drawFrame(painter, item.rect, item.frame);
}

} // namespace ergotab::report
