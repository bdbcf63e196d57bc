#include "RtfExport.h"

#include "PagePainter.h"
#include "storage/AppError.h"
#include "storage/codepage/CodePage.h"

#include <QBuffer>
#include <QIODevice>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

namespace ergotab::report {

namespace {

int twips(double mm)
{
    return int(std::lround(mm * 1440.0 / 25.4));
}

int emu(double mm)
{
    return int(std::lround(mm * 36000.0));
}

QByteArray num(int value)
{
    return QByteArray::number(value);
}

// RTF text: ASCII as it is, everything else as \uN with the code page 1250 byte (or '?') after
// it for readers that know no Unicode.
QByteArray escapeText(const QString &text)
{
    const CodePage &codePage = CodePage::windows1250();
    QByteArray out;
    out.reserve(text.size() + 16);
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c == u'\n') {
            out += "\\line ";
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x80) {
            out += char(c);
        } else {
            out += "\\u" + num(int(int16_t(c)));
            const QByteArray fallback = codePage.encode(QString(ch));
            const unsigned char byte = fallback.isEmpty() ? '?' : uchar(fallback.at(0));
            if (byte < 0x80)
                out += char(byte);
            else
                out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
        }
    }
    return out;
}

QByteArray jpegOf(const ImageItem &item)
{
    const QByteArray format = item.format.toUpper();
    if ((format == "JPEG" || format == "JPG") && !item.encoded.isEmpty())
        return item.encoded;
    // Transparent parts become white: JPEG has no alpha.
    QImage flat(item.image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, item.image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    flat.save(&buffer, "JPEG", 90);
    return bytes;
}

class RtfWriter
{
public:
    explicit RtfWriter(const PreparedReport &report)
        : m_report(report)
    {
    }

    QByteArray document()
    {
        // The body first: it fills the font and colour tables the header lists.
        QByteArray body;
        for (std::size_t i = 0; i < m_report.pages.size(); ++i)
            body += page(m_report.pages[i], i == 0);
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n{\\fonttbl";
        if (m_fonts.isEmpty())
            fontIndex(QFont().family());
        for (int i = 0; i < m_fonts.size(); ++i)
            out += "{\\f" + num(i) + "\\fnil\\fcharset238 " + escapeText(m_fonts[i]) + ";}";
        out += "}\n{\\colortbl;";
        for (const QColor &color : m_colors)
            out += "\\red" + num(color.red()) + "\\green" + num(color.green()) + "\\blue" + num(color.blue()) + ';';
        out += "}\n{\\info{\\title " + escapeText(m_report.title) + "}}\n";
        const QSizeF first = m_report.pages.empty() ? QSizeF(210, 297) : m_report.pages.front().sizeMm;
        out += "\\paperw" + num(twips(first.width())) + "\\paperh" + num(twips(first.height())) +
               "\\margl0\\margr0\\margt0\\margb0\\viewkind1\n";
        out += body;
        out += "}\n";
        return out;
    }

private:
    int fontIndex(const QString &family)
    {
        qsizetype index = m_fonts.indexOf(family);
        if (index < 0) {
            m_fonts.append(family);
            index = m_fonts.size() - 1;
        }
        return int(index);
    }

    // Colour table entries count from 1; 0 is the reader's automatic colour.
    int colorIndex(const QColor &color)
    {
        const QColor opaque = color.toRgb();
        for (int i = 0; i < m_colors.size(); ++i)
            if (m_colors[i].rgb() == opaque.rgb())
                return i + 1;
        m_colors.append(opaque);
        return int(m_colors.size());
    }

    QByteArray page(const PreparedPage &page, bool first)
    {
        QByteArray out;
        if (!first)
            out += "\\sect";
        out += "\\sectd\\sbkpage\\pgwsxn" + num(twips(page.sizeMm.width())) + "\\pghsxn" +
               num(twips(page.sizeMm.height())) + "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0";
        if (page.sizeMm.width() > page.sizeMm.height())
            out += "\\lndscpsxn";
        out += '\n';
        // Drawing objects hang on one tiny paragraph at the top of the page and are placed
        // relative to the page, behind the text.
        QByteArray shapes;
        QByteArray frames;
        m_z = 0;
        for (const PreparedItem &item : page.items)
            std::visit([&](const auto &it) { add(it, shapes, frames); }, item);
        out += "\\pard\\plain\\fs2 " + shapes + "\\par\n" + frames;
        out += "\\pard\\plain\\fs2\\par\n";
        return out;
    }

    static QByteArray frameAt(const QRectF &rect)
    {
        return "\\pard\\plain\\pvpg\\phpg\\posx" + num(twips(rect.left())) + "\\posy" + num(twips(rect.top())) +
               "\\absw" + num(std::max(1, twips(rect.width()))) + "\\absh-" + num(std::max(1, twips(rect.height()))) +
               "\\dxfrtext0\\dfrmtxtx0\\dfrmtxty0";
    }

    QByteArray borders(const FrameStyle &frame)
    {
        if (!frame.any() || frame.color.alpha() == 0)
            return {};
        QByteArray style = frame.style == Qt::DashLine  ? "\\brdrdash"
                           : frame.style == Qt::DotLine ? "\\brdrdot"
                                                        : "\\brdrs";
        style += "\\brdrw" + num(std::clamp(twips(frame.widthMm), 1, 75)) + "\\brdrcf" + num(colorIndex(frame.color));
        QByteArray out;
        if (frame.top)
            out += "\\brdrt" + style;
        if (frame.left)
            out += "\\brdrl" + style;
        if (frame.bottom)
            out += "\\brdrb" + style;
        if (frame.right)
            out += "\\brdrr" + style;
        return out;
    }

    QByteArray paragraphStart(const QRectF &rect, const QColor &fill, const FrameStyle &frame)
    {
        QByteArray out = "{" + frameAt(rect) + borders(frame);
        if (fill.alpha() != 0)
            out += "\\cbpat" + num(colorIndex(fill));
        return out;
    }

    void add(const TextItem &item, QByteArray &, QByteArray &frames)
    {
        QByteArray out = paragraphStart(item.rect, item.fill, item.frame);
        if (item.rotation == 90)
            out += "\\frmtxbtlr";
        if (item.alignment & Qt::AlignHCenter)
            out += "\\qc";
        else if (item.alignment & Qt::AlignRight)
            out += "\\qr";
        else if (item.alignment & Qt::AlignJustify)
            out += "\\qj";
        const double points = item.font.pointSizeF() > 0 ? item.font.pointSizeF() : item.font.pixelSize() * 0.75;
        out += "\\f" + num(fontIndex(item.font.family())) + "\\fs" + num(int(std::lround(points * 2)));
        if (item.font.bold())
            out += "\\b";
        if (item.font.italic())
            out += "\\i";
        if (item.font.underline())
            out += "\\ul";
        if (item.font.strikeOut())
            out += "\\strike";
        out += "\\cf" + num(colorIndex(item.color)) + ' ' + escapeText(item.text) + "\\par}\n";
        frames += out;
    }

    void add(const RichTextItem &item, QByteArray &, QByteArray &frames)
    {
        QTextDocument document;
        document.setHtml(item.html);
        frames +=
            paragraphStart(item.rect, item.fill, item.frame) + ' ' + escapeText(document.toPlainText()) + "\\par}\n";
    }

    void add(const ImageItem &item, QByteArray &, QByteArray &frames)
    {
        if (item.image.isNull())
            return;
        const QRectF placed = placeImage(item).intersected(item.rect);
        if (placed.isEmpty())
            return;
        const QByteArray jpeg = jpegOf(item);
        QByteArray out = "{" + frameAt(placed) + "{\\pict\\jpegblip\\picw" + num(item.image.width()) + "\\pich" +
                         num(item.image.height()) + "\\picwgoal" + num(twips(placed.width())) + "\\pichgoal" +
                         num(twips(placed.height())) + '\n';
        const QByteArray hex = jpeg.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128)
            out += hex.mid(i, 128) + '\n';
        out += "}\\par}\n";
        frames += out;
    }

    QByteArray shape(const QRectF &bounds, int type, const QByteArray &properties)
    {
        const QRectF r = bounds.normalized();
        return "{\\shp{\\*\\shpinst\\shpleft" + num(twips(r.left())) + "\\shptop" + num(twips(r.top())) + "\\shpright" +
               num(twips(r.right())) + "\\shpbottom" + num(twips(r.bottom())) +
               "\\shpfhdr0\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt1\\shpz" +
               num(m_z++) + "{\\sp{\\sn shapeType}{\\sv " + num(type) + "}}" + properties + "}}";
    }

    static QByteArray property(const char *name, int value)
    {
        return QByteArray("{\\sp{\\sn ") + name + "}{\\sv " + num(value) + "}}";
    }

    static int bgr(const QColor &color) { return color.red() | color.green() << 8 | color.blue() << 16; }

    QByteArray stroke(const QColor &color, double widthMm)
    {
        if (color.alpha() == 0)
            return property("fLine", 0);
        return property("fLine", 1) + property("lineColor", bgr(color)) +
               property("lineWidth", emu(widthMm > 0 ? widthMm : 0.1));
    }

    void add(const LineItem &item, QByteArray &shapes, QByteArray &)
    {
        const QByteArray flips = property("fFlipH", item.to.x() < item.from.x() ? 1 : 0) +
                                 property("fFlipV", item.to.y() < item.from.y() ? 1 : 0);
        const QByteArray dash = item.style == Qt::DashLine  ? property("lineDashing", 1)
                                : item.style == Qt::DotLine ? property("lineDashing", 2)
                                                            : QByteArray();
        shapes += shape(QRectF(item.from, item.to), 20, flips + stroke(item.color, item.widthMm) + dash);
    }

    void add(const ShapeItem &item, QByteArray &shapes, QByteArray &)
    {
        QByteArray fill = property("fFilled", item.fill.alpha() != 0 ? 1 : 0);
        if (item.fill.alpha() != 0)
            fill += property("fillColor", bgr(item.fill));
        const QByteArray line = stroke(item.stroke, item.strokeWidthMm);
        switch (item.shape) {
        case ShapeItem::Shape::Rectangle:
            shapes += shape(item.rect, 1, fill + line);
            break;
        case ShapeItem::Shape::RoundedRectangle: {
            // The corner is given as a fraction of the shorter side, in 1/21600.
            const double shorter = std::max(0.01, std::min(item.rect.width(), item.rect.height()));
            const int adjust = int(std::clamp(item.cornerRadiusMm / shorter, 0.0, 0.5) * 21600);
            shapes += shape(item.rect, 2, fill + line + property("adjustValue", adjust));
            break;
        }
        case ShapeItem::Shape::Ellipse:
            shapes += shape(item.rect, 3, fill + line);
            break;
        case ShapeItem::Shape::Triangle:
            shapes += shape(item.rect, 5, fill + line);
            break;
        case ShapeItem::Shape::DiagonalDown:
            shapes += shape(item.rect, 20, line);
            break;
        case ShapeItem::Shape::DiagonalUp:
            shapes += shape(item.rect, 20, line + property("fFlipV", 1));
            break;
        }
    }

    const PreparedReport &m_report;
    QStringList m_fonts;
    QList<QColor> m_colors;
    int m_z = 0;
};

} // namespace

void RtfExport::write(const PreparedReport &report, QIODevice &device) const
{
    const QByteArray bytes = RtfWriter(report).document();
    if (device.write(bytes) != bytes.size())
        throw AppError(QStringLiteral("Dokument RTF nelze zapsat: %1").arg(device.errorString()));
}

} // namespace ergotab::report
