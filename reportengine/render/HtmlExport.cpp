#include "HtmlExport.h"

#include "PagePainter.h"
#include "storage/AppError.h"

#include <QBuffer>
#include <QIODevice>
#include <QRegularExpression>
#include <QTextDocument>

namespace ergotab::report {

namespace {

QString mm(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("mm");
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

QString cssColor(const QColor &color)
{
    if (color.alpha() == 255)
        return color.name(QColor::HexRgb);
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(QString::number(color.alphaF(), 'f', 3));
}

QString boxStyle(const QRectF &rect)
{
    return QStringLiteral("left:%1;top:%2;width:%3;height:%4;")
        .arg(mm(rect.left()), mm(rect.top()), mm(rect.width()), mm(rect.height()));
}

QString cssPenStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine:
        return QStringLiteral("dashed");
    case Qt::DotLine:
    case Qt::DashDotLine:
    case Qt::DashDotDotLine:
        return QStringLiteral("dotted");
    default:
        return QStringLiteral("solid");
    }
}

QString frameStyle(const FrameStyle &frame)
{
    if (!frame.any() || frame.color.alpha() == 0)
        return {};
    const QString border =
        QStringLiteral("%1 %2 %3;").arg(mm(frame.widthMm), cssPenStyle(frame.style), cssColor(frame.color));
    QString css;
    if (frame.left)
        css += QStringLiteral("border-left:") + border;
    if (frame.top)
        css += QStringLiteral("border-top:") + border;
    if (frame.right)
        css += QStringLiteral("border-right:") + border;
    if (frame.bottom)
        css += QStringLiteral("border-bottom:") + border;
    return css;
}

QString fontStyle(const QFont &font)
{
    QString family = font.family();
    family.remove(QRegularExpression(QStringLiteral("[\"'\\\\<>;{}]")));
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    QString css = QStringLiteral("font-family:'%1',sans-serif;font-size:%2pt;").arg(family, number(points));
    if (font.bold())
        css += QStringLiteral("font-weight:bold;");
    if (font.italic())
        css += QStringLiteral("font-style:italic;");
    if (font.underline() || font.strikeOut())
        css += QStringLiteral("text-decoration:%1%2;")
                   .arg(font.underline() ? QStringLiteral("underline ") : QString(),
                        font.strikeOut() ? QStringLiteral("line-through") : QString());
    return css;
}

QString alignmentStyle(Qt::Alignment alignment)
{
    QString css;
    if (alignment & Qt::AlignHCenter)
        css += QStringLiteral("text-align:center;");
    else if (alignment & Qt::AlignRight)
        css += QStringLiteral("text-align:right;");
    else if (alignment & Qt::AlignJustify)
        css += QStringLiteral("text-align:justify;");
    if (alignment & Qt::AlignVCenter)
        css += QStringLiteral("justify-content:center;");
    else if (alignment & Qt::AlignBottom)
        css += QStringLiteral("justify-content:flex-end;");
    return css;
}

QString imageDataUri(const ImageItem &item)
{
    QByteArray bytes = item.encoded;
    QByteArray mime;
    const QByteArray format = item.format.toUpper();
    if (format == "PNG")
        mime = "image/png";
    else if (format == "JPEG" || format == "JPG")
        mime = "image/jpeg";
    else if (format == "BMP")
        mime = "image/bmp";
    if (bytes.isEmpty() || mime.isEmpty()) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        item.image.save(&buffer, "PNG");
        mime = "image/png";
    }
    return QStringLiteral("data:%1;base64,%2").arg(QLatin1String(mime), QLatin1String(bytes.toBase64()));
}

// Rich text goes through QTextDocument, which keeps only what it understands: the body of its
// own HTML carries formatting, never scripts or anything else a template might smuggle in.
QString richTextBody(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    const QString full = document.toHtml();
    const qsizetype bodyTag = full.indexOf(QStringLiteral("<body"));
    const qsizetype bodyStart = bodyTag < 0 ? -1 : full.indexOf(u'>', bodyTag);
    const qsizetype bodyEnd = full.lastIndexOf(QStringLiteral("</body>"));
    if (bodyStart < 0 || bodyEnd < bodyStart)
        return {};
    return full.mid(bodyStart + 1, bodyEnd - bodyStart - 1);
}

class PageWriter
{
public:
    explicit PageWriter(QString &out)
        : m_out(out)
    {
    }

    void write(const PreparedPage &page)
    {
        m_size = page.sizeMm;
        m_out += QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n")
                     .arg(mm(page.sizeMm.width()), mm(page.sizeMm.height()));
        for (const PreparedItem &item : page.items)
            std::visit([this](const auto &it) { add(it); }, item);
        closeSvg();
        m_out += QStringLiteral("</div>\n");
    }

private:
    // Lines and shapes that follow one another share one SVG layer over the page, so the
    // drawing order of the page is kept without an element for every bar of a bar code.
    void openSvg()
    {
        if (m_svgOpen)
            return;
        m_out += QStringLiteral("<svg class=\"g\" viewBox=\"0 0 %1 %2\" width=\"%3\" height=\"%4\">\n")
                     .arg(number(m_size.width()), number(m_size.height()), mm(m_size.width()), mm(m_size.height()));
        m_svgOpen = true;
    }
    void closeSvg()
    {
        if (m_svgOpen)
            m_out += QStringLiteral("</svg>\n");
        m_svgOpen = false;
    }

    static QString dashes(Qt::PenStyle style, double width)
    {
        if (style == Qt::DashLine)
            return QStringLiteral(" stroke-dasharray=\"%1 %2\"").arg(number(width * 4), number(width * 2));
        if (style == Qt::DotLine)
            return QStringLiteral(" stroke-dasharray=\"%1 %1\"").arg(number(width));
        return {};
    }

    void add(const TextItem &item)
    {
        closeSvg();
        QString style;
        if (item.rotation == 90) {
            style =
                QStringLiteral("left:%1;top:%2;width:%3;height:%4;transform-origin:0 0;transform:rotate(-90deg);")
                    .arg(mm(item.rect.left()), mm(item.rect.bottom()), mm(item.rect.height()), mm(item.rect.width()));
        } else {
            style = boxStyle(item.rect);
        }
        style += fontStyle(item.font) + QStringLiteral("color:") + cssColor(item.color) + u';' +
                 alignmentStyle(item.alignment);
        if (item.fill.alpha() != 0)
            style += QStringLiteral("background:") + cssColor(item.fill) + u';';
        if (!item.wordWrap)
            style += QStringLiteral("white-space:pre;");
        style += frameStyle(item.frame);
        m_out += QStringLiteral("<div class=\"t\" style=\"%1\">%2</div>\n").arg(style, item.text.toHtmlEscaped());
    }

    void add(const LineItem &item)
    {
        if (item.color.alpha() == 0)
            return;
        openSvg();
        const double width = item.widthMm > 0 ? item.widthMm : 0.1;
        m_out += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" stroke-width=\"%6\"%7/>\n")
                     .arg(number(item.from.x()), number(item.from.y()), number(item.to.x()), number(item.to.y()),
                          cssColor(item.color), number(width), dashes(item.style, width));
    }

    void add(const ShapeItem &item)
    {
        openSvg();
        const QRectF r = item.rect;
        const QString fill = item.fill.alpha() != 0 ? cssColor(item.fill) : QStringLiteral("none");
        const QString stroke = item.stroke.alpha() != 0 ? QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                                                              .arg(cssColor(item.stroke), number(item.strokeWidthMm))
                                                        : QString();
        const QString paint = QStringLiteral(" fill=\"%1\"%2/>\n").arg(fill, stroke);
        switch (item.shape) {
        case ShapeItem::Shape::Rectangle:
        case ShapeItem::Shape::RoundedRectangle: {
            const double radius = item.shape == ShapeItem::Shape::RoundedRectangle ? item.cornerRadiusMm : 0.0;
            m_out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                         .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()));
            if (radius > 0)
                m_out += QStringLiteral(" rx=\"%1\"").arg(number(radius));
            m_out += paint;
            break;
        }
        case ShapeItem::Shape::Ellipse:
            m_out +=
                QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"")
                    .arg(number(r.center().x()), number(r.center().y()), number(r.width() / 2), number(r.height() / 2));
            m_out += paint;
            break;
        case ShapeItem::Shape::Triangle:
            m_out += QStringLiteral("<polygon points=\"%1,%2 %3,%4 %5,%4\"")
                         .arg(number(r.center().x()), number(r.top()), number(r.right()), number(r.bottom()),
                              number(r.left()));
            m_out += paint;
            break;
        case ShapeItem::Shape::DiagonalDown:
        case ShapeItem::Shape::DiagonalUp: {
            const bool down = item.shape == ShapeItem::Shape::DiagonalDown;
            m_out += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"")
                         .arg(number(r.left()), number(down ? r.top() : r.bottom()), number(r.right()),
                              number(down ? r.bottom() : r.top()));
            m_out += stroke.isEmpty() ? QStringLiteral("/>\n") : stroke + QStringLiteral("/>\n");
            break;
        }
        }
    }

    void add(const ImageItem &item)
    {
        closeSvg();
        if (item.image.isNull() && item.encoded.isEmpty())
            return;
        const QRectF placed = placeImage(item);
        // The picture is placed inside a clipping box of the item's rectangle.
        m_out += QStringLiteral("<div class=\"c\" style=\"%1\"><img alt=\"\" style=\"%2\" src=\"%3\"></div>\n")
                     .arg(boxStyle(item.rect), boxStyle(placed.translated(-item.rect.topLeft())), imageDataUri(item));
    }

    void add(const RichTextItem &item)
    {
        closeSvg();
        QString style = boxStyle(item.rect);
        if (item.fill.alpha() != 0)
            style += QStringLiteral("background:") + cssColor(item.fill) + u';';
        style += frameStyle(item.frame);
        m_out += QStringLiteral("<div class=\"c\" style=\"%1\">%2</div>\n").arg(style, richTextBody(item.html));
    }

    QString &m_out;
    QSizeF m_size;
    bool m_svgOpen = false;
};

} // namespace

void HtmlExport::write(const PreparedReport &report, QIODevice &device) const
{
    QString out =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"generator\" content=\"Ergotab\">\n<title>%1</title>\n<style>\n"
            "body{margin:0;padding:8mm 0;background:#808080}\n"
            ".page{position:relative;overflow:hidden;margin:0 auto 8mm;background:#fff;box-shadow:0 0 2mm #404040}\n"
            ".t{position:absolute;box-sizing:border-box;display:flex;flex-direction:column;overflow:hidden;"
            "white-space:pre-wrap;overflow-wrap:break-word;line-height:1.15}\n"
            ".c{position:absolute;box-sizing:border-box;overflow:hidden}\n"
            ".c img{position:absolute}\n"
            ".g{position:absolute;left:0;top:0;overflow:visible}\n"
            "@media print{body{padding:0;background:none}"
            ".page{margin:0;box-shadow:none;break-after:page}}\n"
            "</style>\n</head>\n<body>\n")
            .arg(report.title.toHtmlEscaped());
    PageWriter pages(out);
    for (const PreparedPage &page : report.pages)
        pages.write(page);
    out += QStringLiteral("</body>\n</html>\n");
    const QByteArray bytes = out.toUtf8();
    if (device.write(bytes) != bytes.size())
        throw AppError(QStringLiteral("Stránku HTML nelze zapsat: %1").arg(device.errorString()));
}

} // namespace ergotab::report
