#include "reportengine/prepared/PreparedDump.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

QString mm(double v)
{
    // -0.00 and 0.00 print alike.
    const QString s = QString::number(v, 'f', 2);
    return s == "-0.00"_L1 ? u"0.00"_s : s;
}

QString pos(const QRectF &r)
{
    return mm(r.x()) + u' ' + mm(r.y()) + u' ' + mm(r.width()) + u'x' + mm(r.height());
}

QString quoted(const QString &text)
{
    QString out = u"\""_s;
    for (const QChar c : text) {
        if (c == u'\n')
            out += "\\n"_L1;
        else if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else
            out += c;
    }
    return out + u'"';
}

QString color(const QColor &c)
{
    if (c.alpha() == 0)
        return u"-"_s;
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString frame(const FrameStyle &f)
{
    if (!f.any())
        return {};
    QString sides;
    sides += f.left ? u"L"_s : QString();
    sides += f.top ? u"T"_s : QString();
    sides += f.right ? u"R"_s : QString();
    sides += f.bottom ? u"B"_s : QString();
    return u" frame="_s + sides + u'/' + mm(f.widthMm) + u'/' + color(f.color);
}

QString fontText(const QFont &f)
{
    QString style;
    style += f.bold() ? u"B"_s : QString();
    style += f.italic() ? u"I"_s : QString();
    style += f.underline() ? u"U"_s : QString();
    style += f.strikeOut() ? u"S"_s : QString();
    return quoted(f.family()) + u' ' + QString::number(f.pointSizeF()) + (style.isEmpty() ? u""_s : u' ' + style);
}

QString alignment(Qt::Alignment a)
{
    const QString h = a & Qt::AlignRight     ? u"R"_s
                      : a & Qt::AlignHCenter ? u"C"_s
                      : a & Qt::AlignJustify ? u"J"_s
                                             : u"L"_s;
    const QString v = a & Qt::AlignBottom ? u"B"_s : a & Qt::AlignVCenter ? u"C"_s : u"T"_s;
    return h + u',' + v;
}

QString shapeName(ShapeItem::Shape s)
{
    switch (s) {
    case ShapeItem::Shape::Rectangle:
        return u"rect"_s;
    case ShapeItem::Shape::RoundedRectangle:
        return u"round-rect"_s;
    case ShapeItem::Shape::Ellipse:
        return u"ellipse"_s;
    case ShapeItem::Shape::Triangle:
        return u"triangle"_s;
    case ShapeItem::Shape::DiagonalDown:
        return u"diagonal-down"_s;
    case ShapeItem::Shape::DiagonalUp:
        return u"diagonal-up"_s;
    }
    return {};
}

QString line(const TextItem &t)
{
    return u"text "_s + pos(t.rect) + u' ' + fontText(t.font) + u' ' + quoted(t.text) + u" align="_s +
           alignment(t.alignment) + (t.wordWrap ? u" wrap"_s : u""_s) + u" rot="_s + QString::number(t.rotation) +
           u" color="_s + color(t.color) + (t.fill.alpha() ? u" fill="_s + color(t.fill) : u""_s) + frame(t.frame);
}

QString line(const LineItem &l)
{
    return u"line "_s + mm(l.from.x()) + u' ' + mm(l.from.y()) + u" -> "_s + mm(l.to.x()) + u' ' + mm(l.to.y()) +
           u" w="_s + mm(l.widthMm) + u' ' + color(l.color);
}

QString line(const ShapeItem &s)
{
    return u"shape "_s + shapeName(s.shape) + u' ' + pos(s.rect) + u" fill="_s + color(s.fill) + u" stroke="_s +
           color(s.stroke) + u" w="_s + mm(s.strokeWidthMm);
}

QString line(const ImageItem &i)
{
    return u"image "_s + pos(i.rect) + u' ' + QString::fromLatin1(i.format.isEmpty() ? "-" : i.format) + u' ' +
           QString::number(i.image.width()) + u'x' + QString::number(i.image.height()) +
           (i.keepAspectRatio ? u" ratio"_s : u""_s) + (i.center ? u" center"_s : u""_s) +
           (i.stretch ? u" stretch"_s : u""_s);
}

QString line(const RichTextItem &r)
{
    return u"rich "_s + pos(r.rect) + u' ' + quoted(r.html) + (r.fill.alpha() ? u" fill="_s + color(r.fill) : u""_s) +
           frame(r.frame);
}

} // namespace

QString dumpPreparedReport(const PreparedReport &report)
{
    QString out;
    int number = 0;
    for (const auto &page : report.pages) {
        out += u"page "_s + QString::number(++number) + u' ' + mm(page.sizeMm.width()) + u'x' +
               mm(page.sizeMm.height()) + u'\n';
        for (const auto &item : page.items)
            out += std::visit([](const auto &i) { return line(i); }, item) + u'\n';
    }
    return out;
}

} // namespace ergotab::report
