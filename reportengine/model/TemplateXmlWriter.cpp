#include "reportengine/model/TemplateXml.h"
#include "reportengine/model/TemplateXmlNames.h"

#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

using namespace xmlnames;

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

QString colorText(const QColor &c)
{
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

// Writes the attributes of one element, leaving out those equal to their defaults.
class Out
{
public:
    explicit Out(QXmlStreamWriter &w)
        : m_w(w)
    {
    }

    void text(QLatin1StringView name, const QString &v, const QString &def = {})
    {
        if (v != def)
            m_w.writeAttribute(name, v);
    }
    void num(QLatin1StringView name, double v, double def)
    {
        if (v != def)
            m_w.writeAttribute(name, number(v));
    }
    void integer(QLatin1StringView name, int v, int def)
    {
        if (v != def)
            m_w.writeAttribute(name, QString::number(v));
    }
    void flag(QLatin1StringView name, bool v, bool def)
    {
        if (v != def)
            m_w.writeAttribute(name, v ? u"true"_s : u"false"_s);
    }
    void color(QLatin1StringView name, const QColor &v, const QColor &def)
    {
        if (v != def)
            m_w.writeAttribute(name, colorText(v));
    }
    template <typename E> void word(QLatin1StringView name, std::span<const Word<E>> words, E v, E def)
    {
        if (v != def)
            m_w.writeAttribute(name, wordFor(words, v));
    }
    void unknownAttributes(const UnknownXml &u)
    {
        for (const auto &[name, value] : u.attributes)
            m_w.writeAttribute(name, value);
    }

private:
    QXmlStreamWriter &m_w;
};

void writeNode(QXmlStreamWriter &w, const XmlNode &node)
{
    w.writeStartElement(node.name);
    for (const auto &[name, value] : node.attributes)
        w.writeAttribute(name, value);
    if (!node.text.isEmpty())
        w.writeCharacters(node.text);
    for (const auto &child : node.children)
        writeNode(w, child);
    w.writeEndElement();
}

void writeUnknownElements(QXmlStreamWriter &w, const UnknownXml &u)
{
    for (const auto &node : u.elements)
        writeNode(w, node);
}

void writeTextElement(QXmlStreamWriter &w, QLatin1StringView name, const QString &text)
{
    if (!text.isEmpty())
        w.writeTextElement(name, text);
}

void writeFont(QXmlStreamWriter &w, const FontSpec &f)
{
    if (f == FontSpec())
        return;
    const FontSpec d;
    w.writeStartElement("font"_L1);
    Out o(w);
    o.text("family"_L1, f.family, d.family);
    o.num("size"_L1, f.sizePt, d.sizePt);
    o.flag("bold"_L1, f.bold, false);
    o.flag("italic"_L1, f.italic, false);
    o.flag("underline"_L1, f.underline, false);
    o.flag("strike-out"_L1, f.strikeOut, false);
    w.writeEndElement();
}

void writeFrame(QXmlStreamWriter &w, const FrameStyle &f)
{
    if (f == FrameStyle())
        return;
    const FrameStyle d;
    QStringList sides;
    if (f.left)
        sides << u"left"_s;
    if (f.top)
        sides << u"top"_s;
    if (f.right)
        sides << u"right"_s;
    if (f.bottom)
        sides << u"bottom"_s;
    w.writeStartElement("frame"_L1);
    Out o(w);
    o.text("sides"_L1, sides.join(u' '));
    o.num("width"_L1, f.widthMm, d.widthMm);
    o.color("color"_L1, f.color, d.color);
    o.word("style"_L1, penStyles(), f.style, d.style);
    w.writeEndElement();
}

void writeContent(QXmlStreamWriter &w, const TextObject &t)
{
    const TextObject d;
    Out o(w);
    o.color("color"_L1, t.color, d.color);
    o.word("h-align"_L1, hAligns(), t.hAlign, d.hAlign);
    o.word("v-align"_L1, vAligns(), t.vAlign, d.vAlign);
    o.flag("word-wrap"_L1, t.wordWrap, d.wordWrap);
    o.integer("rotation"_L1, t.rotation, d.rotation);
    o.flag("auto-size"_L1, t.autoSize, d.autoSize);
    o.flag("stretch"_L1, t.stretch, d.stretch);
    o.flag("plain-text"_L1, t.plainText, d.plainText);
    o.flag("hide-zeros"_L1, t.hideZeros, d.hideZeros);
    o.flag("suppress-repeated"_L1, t.suppressRepeated, d.suppressRepeated);
    o.text("format"_L1, t.displayFormat);
}

void writeChildren(QXmlStreamWriter &w, const TextObject &t)
{
    writeFont(w, t.font);
    if (t.highlight != Highlight()) {
        const Highlight d;
        w.writeStartElement("highlight"_L1);
        Out o(w);
        o.text("condition"_L1, t.highlight.condition);
        o.color("color"_L1, t.highlight.color, d.color);
        o.color("fill"_L1, t.highlight.fill, d.fill);
        writeFont(w, t.highlight.font);
        w.writeEndElement();
    }
    writeTextElement(w, "content"_L1, t.text);
}

void writeContent(QXmlStreamWriter &w, const PictureObject &p)
{
    const PictureObject d;
    Out o(w);
    o.text("format"_L1, QString::fromLatin1(p.format));
    o.text("source"_L1, p.source);
    o.flag("stretch"_L1, p.stretch, d.stretch);
    o.flag("keep-ratio"_L1, p.keepRatio, d.keepRatio);
    o.flag("center"_L1, p.center, d.center);
}

void writeChildren(QXmlStreamWriter &w, const PictureObject &p)
{
    if (!p.data.isEmpty())
        w.writeTextElement("data"_L1, QString::fromLatin1(p.data.toBase64()));
}

void writeContent(QXmlStreamWriter &, const LineObject &)
{
}
void writeChildren(QXmlStreamWriter &, const LineObject &)
{
}

void writeContent(QXmlStreamWriter &w, const ShapeObject &s)
{
    const ShapeObject d;
    Out o(w);
    o.word("shape"_L1, shapes(), s.shape, d.shape);
    o.num("corner-radius"_L1, s.cornerRadiusMm, d.cornerRadiusMm);
}
void writeChildren(QXmlStreamWriter &, const ShapeObject &)
{
}

void writeContent(QXmlStreamWriter &w, const CheckBoxObject &c)
{
    const CheckBoxObject d;
    Out o(w);
    o.text("expression"_L1, c.expression);
    o.text("style"_L1, c.crossStyle ? u"cross"_s : u"check"_s, u"cross"_s);
    o.color("check-color"_L1, c.checkColor, d.checkColor);
}
void writeChildren(QXmlStreamWriter &, const CheckBoxObject &)
{
}

void writeContent(QXmlStreamWriter &w, const BarcodeObject &b)
{
    const BarcodeObject d;
    Out o(w);
    o.word("type"_L1, barcodeTypes(), b.type, d.type);
    o.flag("checksum"_L1, b.checksum, d.checksum);
    o.flag("show-text"_L1, b.showText, d.showText);
    o.integer("angle"_L1, b.angle, d.angle);
}
void writeChildren(QXmlStreamWriter &w, const BarcodeObject &b)
{
    writeTextElement(w, "content"_L1, b.expression);
}

void writeContent(QXmlStreamWriter &, const RichTextObject &)
{
}
void writeChildren(QXmlStreamWriter &w, const RichTextObject &r)
{
    writeTextElement(w, "content"_L1, r.html);
}

void writeContent(QXmlStreamWriter &w, const SubreportObject &s)
{
    Out(w).text("page"_L1, s.page);
}
void writeChildren(QXmlStreamWriter &, const SubreportObject &)
{
}

void writeObject(QXmlStreamWriter &w, const ReportObject &obj)
{
    const ReportObject d;
    w.writeStartElement(objectElements()[obj.content.index()]);
    Out o(w);
    o.text("name"_L1, obj.name);
    o.num("x"_L1, obj.rect.x(), 0.0);
    o.num("y"_L1, obj.rect.y(), 0.0);
    o.num("width"_L1, obj.rect.width(), 0.0);
    o.num("height"_L1, obj.rect.height(), 0.0);
    o.flag("visible"_L1, obj.visible, d.visible);
    o.color("fill"_L1, obj.fill, d.fill);
    o.text("tag"_L1, obj.tag);
    o.text("print-if"_L1, obj.printIf);
    std::visit([&](const auto &c) { writeContent(w, c); }, obj.content);
    o.unknownAttributes(obj.unknown);
    writeFrame(w, obj.frame);
    std::visit([&](const auto &c) { writeChildren(w, c); }, obj.content);
    writeTextElement(w, "script"_L1, obj.script);
    writeUnknownElements(w, obj.unknown);
    w.writeEndElement();
}

void writeBand(QXmlStreamWriter &w, const Band &b)
{
    const Band d;
    w.writeStartElement("band"_L1);
    Out o(w);
    o.text("kind"_L1, wordFor(bandKinds(), b.kind));
    o.text("name"_L1, b.name);
    o.num("top"_L1, b.top, d.top);
    o.num("height"_L1, b.height, -1.0);
    o.text("data-source"_L1, b.dataSource);
    o.text("key"_L1, b.key);
    o.text("master-key"_L1, b.masterKey);
    o.text("condition"_L1, b.condition);
    o.text("child"_L1, b.childBand);
    o.text("print-if"_L1, b.printIf);
    o.flag("stretch"_L1, b.stretch, d.stretch);
    o.flag("keep-together"_L1, b.keepTogether, d.keepTogether);
    o.flag("can-split"_L1, b.canSplit, d.canSplit);
    o.flag("new-page-before"_L1, b.newPageBefore, d.newPageBefore);
    o.flag("new-page-after"_L1, b.newPageAfter, d.newPageAfter);
    o.flag("on-first-page"_L1, b.printOnFirstPage, d.printOnFirstPage);
    o.flag("on-last-page"_L1, b.printOnLastPage, d.printOnLastPage);
    o.flag("repeat"_L1, b.repeatOnEachPage, d.repeatOnEachPage);
    o.flag("print-if-empty"_L1, b.printIfEmpty, d.printIfEmpty);
    o.flag("visible"_L1, b.visible, d.visible);
    o.integer("columns"_L1, b.columns, d.columns);
    o.num("column-width"_L1, b.columnWidthMm, d.columnWidthMm);
    o.num("column-gap"_L1, b.columnGapMm, d.columnGapMm);
    o.unknownAttributes(b.unknown);
    writeTextElement(w, "script"_L1, b.script);
    for (const auto &obj : b.objects)
        writeObject(w, obj);
    writeUnknownElements(w, b.unknown);
    w.writeEndElement();
}

void writePage(QXmlStreamWriter &w, const ReportPage &p)
{
    const ReportPage d;
    w.writeStartElement("page"_L1);
    Out o(w);
    o.text("name"_L1, p.name);
    o.word("paper"_L1, paperSizes(), p.paper, d.paper);
    if (p.paper == PaperSize::Custom) {
        w.writeAttribute("width"_L1, number(p.customSizeMm.width()));
        w.writeAttribute("height"_L1, number(p.customSizeMm.height()));
    }
    o.word("orientation"_L1, orientations(), p.orientation, d.orientation);
    o.num("margin-left"_L1, p.margins.left, d.margins.left);
    o.num("margin-top"_L1, p.margins.top, d.margins.top);
    o.num("margin-right"_L1, p.margins.right, d.margins.right);
    o.num("margin-bottom"_L1, p.margins.bottom, d.margins.bottom);
    o.integer("columns"_L1, p.columns, d.columns);
    o.num("column-gap"_L1, p.columnGapMm, d.columnGapMm);
    o.flag("print-to-previous-page"_L1, p.printToPreviousPage, d.printToPreviousPage);
    o.unknownAttributes(p.unknown);
    writeTextElement(w, "script"_L1, p.script);
    for (const auto &band : p.bands)
        writeBand(w, band);
    for (const auto &obj : p.objects)
        writeObject(w, obj);
    writeUnknownElements(w, p.unknown);
    w.writeEndElement();
}

void writeControl(QXmlStreamWriter &w, const DialogControl &c)
{
    const DialogControl d;
    w.writeStartElement("control"_L1);
    Out o(w);
    o.text("kind"_L1, wordFor(controlKinds(), c.kind));
    o.text("name"_L1, c.name);
    o.integer("x"_L1, c.rect.x(), 0);
    o.integer("y"_L1, c.rect.y(), 0);
    o.integer("width"_L1, c.rect.width(), 0);
    o.integer("height"_L1, c.rect.height(), 0);
    o.text("text"_L1, c.text);
    o.flag("checked"_L1, c.checked, d.checked);
    o.flag("read-only"_L1, c.readOnly, d.readOnly);
    o.integer("modal-result"_L1, c.modalResult, d.modalResult);
    o.unknownAttributes(c.unknown);
    writeFont(w, c.font);
    for (const auto &item : c.items)
        w.writeTextElement("item"_L1, item);
    writeTextElement(w, "script"_L1, c.script);
    writeUnknownElements(w, c.unknown);
    w.writeEndElement();
}

void writeDialog(QXmlStreamWriter &w, const DialogPage &p)
{
    const DialogPage d;
    w.writeStartElement("dialog"_L1);
    Out o(w);
    o.text("name"_L1, p.name);
    o.text("caption"_L1, p.caption);
    o.integer("width"_L1, p.size.width(), d.size.width());
    o.integer("height"_L1, p.size.height(), d.size.height());
    o.unknownAttributes(p.unknown);
    writeTextElement(w, "script"_L1, p.script);
    for (const auto &c : p.controls)
        writeControl(w, c);
    writeUnknownElements(w, p.unknown);
    w.writeEndElement();
}

} // namespace

QByteArray writeTemplateXml(const ReportTemplate &report)
{
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement("report"_L1);
    Out o(w);
    o.integer("version"_L1, ReportTemplate::formatVersion, 0);
    o.text("name"_L1, report.name);
    o.flag("double-pass"_L1, report.doublePass, false);
    o.unknownAttributes(report.unknown);
    writeTextElement(w, "description"_L1, report.description);
    writeTextElement(w, "script"_L1, report.script);
    for (const auto &v : report.variables) {
        w.writeStartElement("variable"_L1);
        Out vo(w);
        vo.text("name"_L1, v.name);
        vo.text("category"_L1, v.category);
        vo.text("expression"_L1, v.expression);
        w.writeEndElement();
    }
    for (const auto &dialog : report.dialogs)
        writeDialog(w, dialog);
    for (const auto &page : report.pages)
        writePage(w, page);
    writeUnknownElements(w, report.unknown);
    w.writeEndElement();
    w.writeEndDocument();
    return bytes;
}

} // namespace ergotab::report
