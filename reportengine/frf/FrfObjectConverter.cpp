#include "reportengine/frf/FrfObjectConverter.h"

#include "reportengine/expr/TextTemplate.h"
#include "reportengine/frf/FrfFormats.h"
#include "reportengine/frf/FrfReader.h"
#include "reportengine/frf/FrfUnits.h"
#include "reportengine/model/RtfToHtml.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// Memo flags.
constexpr quint16 stretchFlag = 0x01;
constexpr quint16 wordWrapFlag = 0x02;
constexpr quint16 autoWidthFlag = 0x08;
constexpr quint16 textOnlyFlag = 0x10;
constexpr quint16 suppressRepeatedFlag = 0x20;
constexpr quint16 hideZerosFlag = 0x40;
// Picture flags.
constexpr quint16 centerFlag = 0x02;
constexpr quint16 keepRatioFlag = 0x04;

bool isClass(const FrfObject &o, QLatin1StringView name)
{
    return o.className.compare(name, Qt::CaseInsensitive) == 0;
}

QString firstLine(const QStringList &lines)
{
    for (const QString &line : lines)
        if (!line.trimmed().isEmpty())
            return line.trimmed().left(60);
    return {};
}

// "[expr]" alone as "expr": check boxes and bar codes take an expression.
QString bareExpression(const QString &text)
{
    const QString t = text.trimmed();
    if (t.startsWith(u'[') && closingBracket(t, 0) == t.size() - 1)
        return t.mid(1, t.size() - 2);
    return t;
}

double frameWidthPixels(qint32 stored)
{
    // Whole widths up to 10 are stored as they are, fractional ones times 1000.
    if (stored <= 0)
        return 0.0;
    return stored <= 10 ? double(stored) : std::min(stored / 1000.0, 50.0);
}

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// Bar types of FR 2.x as ours. `exact`: the same bars; otherwise the nearest symbology we
// draw (Code 128 when nothing is near), which a scanner reads as the same text.
struct BarcodeMapping
{
    BarcodeType type = BarcodeType::Code128;
    bool exact = false;
    QLatin1StringView name;
};

BarcodeMapping barcodeType(int type)
{
    switch (type) {
    case 0:
        return {BarcodeType::Interleaved2of5, true, "2 z 5 prokládaný"_L1};
    case 1:
        return {BarcodeType::Interleaved2of5, false, "2 z 5 průmyslový"_L1};
    case 2:
        return {BarcodeType::Interleaved2of5, false, "2 z 5 maticový"_L1};
    case 3:
        return {BarcodeType::Code39, true, "Code 39"_L1};
    case 4:
        return {BarcodeType::Code128, false, "Code 39 rozšířený"_L1};
    case 5:
    case 6:
    case 7:
        return {BarcodeType::Code128, true, "Code 128"_L1};
    case 8:
        return {BarcodeType::Code128, false, "Code 93"_L1};
    case 9:
        return {BarcodeType::Code128, false, "Code 93 rozšířený"_L1};
    case 10:
        return {BarcodeType::Code128, false, "MSI"_L1};
    case 11:
        return {BarcodeType::Code128, false, "PostNet"_L1};
    case 12:
        return {BarcodeType::Code128, false, "Codabar"_L1};
    case 13:
        return {BarcodeType::Ean8, true, "EAN-8"_L1};
    case 14:
        return {BarcodeType::Ean13, true, "EAN-13"_L1};
    case 15:
        return {BarcodeType::Ean13, true, "UPC-A"_L1}; // EAN-13 with a leading 0: the same bars
    case 16:
    case 17:
        return {BarcodeType::Code128, false, "UPC-E"_L1};
    case 18:
    case 19:
        return {BarcodeType::Code128, false, "doplněk UPC"_L1};
    case 20:
    case 21:
    case 22:
        return {BarcodeType::Code128, false, "EAN-128"_L1};
    default:
        return {BarcodeType::Code128, false, {}};
    }
}

// What stood where a placeholder is drawn, in words.
QString placeholderName(const FrfObject &o)
{
    if (o.picture) {
        switch (o.picture->kind) {
        case 2:
            return u"metasoubor (WMF/EMF)"_s;
        case 5:
            return u"obrázek GIF"_s;
        default:
            return u"obrázek"_s;
        }
    }
    const QString c = o.className.toLower();
    if (c == "tfroleview"_L1)
        return u"objekt OLE"_s;
    if (c == "tfrchartview"_L1)
        return u"graf"_s;
    if (c == "tfrcrossview"_L1)
        return u"křížová tabulka"_s;
    return o.className;
}

// The picture's format by its first bytes, not by what the record claims.
QByteArray sniffImage(const QByteArray &data)
{
    if (data.startsWith("BM"))
        return "BMP";
    if (data.startsWith("\xFF\xD8"))
        return "JPEG";
    if (data.startsWith("\x89PNG"))
        return "PNG";
    if (data.startsWith(QByteArray("\x00\x00\x01\x00", 4)))
        return "ICO";
    if (data.startsWith("GIF8"))
        return "GIF";
    return {};
}

} // namespace

FontSpec fontSpec(const FrfFont &font)
{
    FontSpec f;
    if (!font.name.trimmed().isEmpty())
        f.family = font.name.trimmed();
    f.sizePt = std::clamp(font.size, 1, 400);
    f.italic = font.style & 1;
    f.bold = font.style & 2;
    f.underline = font.style & 4;
    f.strikeOut = font.style & 8;
    return f;
}

FrfObjectConverter::FrfObjectConverter(const CodePage &codePage, QStringList &warnings,
                                       std::function<QString(int)> reportPageName)
    : m_codePage(codePage)
    , m_warnings(warnings)
    , m_reportPageName(std::move(reportPageName))
{
}

void FrfObjectConverter::warn(const FrfObject &o, const QString &text)
{
    m_warnings << u"Objekt %1: %2"_s.arg(o.common.name, text);
}

QStringList memoLines(const FrfObject &o, const CodePage &codePage)
{
    const int charset = o.memo ? o.memo->font.charset : 0;
    QStringList lines;
    for (const QByteArray &line : o.common.memo) {
        if (charset == symbolCharset) {
            // Glyph numbers of a symbol font: Windows maps them to the private-use area.
            QString s;
            for (char c : line)
                s += QChar(0xF000 + quint8(c));
            lines << s;
        } else if (const auto id = codePageForCharset(charset)) {
            lines << CodePage::get(*id).decode(line);
        } else {
            lines << codePage.decode(line);
        }
    }
    for (QString &line : lines)
        line = cleanText(line);
    return lines;
}

QString FrfObjectConverter::memoText(const FrfObject &o) const
{
    return memoLines(o, m_codePage).join(u'\n');
}

ReportObject FrfObjectConverter::common(const FrfObject &o, QPointF origin)
{
    const FrfCommon &c = o.common;
    ReportObject obj;
    obj.name = c.name;
    const QRectF rect(xMm(c.x - origin.x()), yMm(c.y - origin.y()), xMm(std::max(c.width, 0)),
                      yMm(std::max(c.height, 0)));
    obj.rect = QRectF(clampedMm(rect.x()), clampedMm(rect.y()), clampedMm(rect.width()), clampedMm(rect.height()));
    if (obj.rect != rect)
        warn(o, u"poloha nebo rozměr daleko mimo papír byly zkráceny."_s);
    obj.visible = c.visible;
    obj.frame.right = c.frameType & 1;
    obj.frame.bottom = c.frameType & 2;
    obj.frame.left = c.frameType & 4;
    obj.frame.top = c.frameType & 8;
    obj.frame.widthMm = xMm(frameWidthPixels(c.frameWidth));
    obj.frame.color = delphiColor(c.frameColor, Qt::black);
    obj.frame.style = penStyle(c.frameStyle);
    if (c.frameStyle == 5 && obj.frame.any())
        warn(o, u"dvojitý rámeček se tiskne jednoduchou čarou."_s);
    obj.fill = delphiColor(c.fillColor);
    obj.script = c.script.join(u'\n');
    obj.tag = c.tag;
    return obj;
}

TextObject FrfObjectConverter::text(const FrfObject &o, const FrfMemo &m)
{
    const FrfCommon &c = o.common;
    TextObject t;
    t.text = memoText(o);
    t.font = fontSpec(m.font);
    t.color = delphiColor(m.font.color, Qt::black);
    t.hAlign = std::array {HAlign::Left, HAlign::Right, HAlign::Center, HAlign::Justify}[m.alignment & 3];
    t.vAlign = (m.alignment & 0x08) ? VAlign::Center : (m.alignment & 0x10) ? VAlign::Bottom : VAlign::Top;
    t.rotation = (m.alignment & 0x04) ? 90 : 0;
    t.wordWrap = c.flags & wordWrapFlag;
    t.stretch = c.flags & stretchFlag;
    t.autoSize = c.flags & autoWidthFlag;
    t.plainText = c.flags & textOnlyFlag;
    t.hideZeros = c.flags & hideZerosFlag;
    t.suppressRepeated = c.flags & suppressRepeatedFlag;
    t.displayFormat = inlineFormat(c.format, c.formatStr);
    // Our texts sit where the earlier engine's did with its usual spacing (2 px between lines,
    // none between letters) and inner gaps (2 and 1 px); other values are not carried over.
    if (m.lineSpacing != 2 || m.charSpacing != 0)
        warn(o, u"řádkování %1 px a mezery mezi znaky %2 px se nepřenášejí."_s.arg(m.lineSpacing).arg(m.charSpacing));
    if (c.gapX != 2 || c.gapY != 1)
        warn(o, u"vnitřní okraj textu %1 × %2 px se nepřenáší."_s.arg(c.gapX).arg(c.gapY));
    if (!m.highlightCondition.trimmed().isEmpty()) {
        t.highlight.condition = m.highlightCondition.trimmed();
        t.highlight.font = t.font;
        FrfFont style = m.font;
        style.style = m.highlightStyle;
        const FontSpec hf = fontSpec(style);
        t.highlight.font.bold = hf.bold;
        t.highlight.font.italic = hf.italic;
        t.highlight.font.underline = hf.underline;
        t.highlight.font.strikeOut = hf.strikeOut;
        t.highlight.color = delphiColor(m.highlightColor, Qt::black);
        t.highlight.fill = delphiColor(m.highlightFill);
    }
    return t;
}

void FrfObjectConverter::placeholder(const FrfObject &o, ReportObject &obj, const QString &what)
{
    // A frame with the class name where the object stood, so the gap in the report is visible.
    TextObject t;
    t.text = what;
    if (!o.className.isEmpty() && what != o.className)
        t.text += u" ("_s + o.className + u')';
    t.plainText = true;
    t.font.sizePt = 7;
    t.color = Qt::darkGray;
    obj.frame.left = obj.frame.top = obj.frame.right = obj.frame.bottom = true;
    obj.frame.color = Qt::gray;
    obj.frame.style = Qt::DashLine;
    obj.content = t;
}

void FrfObjectConverter::picture(const FrfObject &o, ReportObject &obj)
{
    const FrfPicture &p = *o.picture;
    const FrfCommon &c = o.common;
    PictureObject pic;
    pic.stretch = c.flags & stretchFlag;
    pic.center = c.flags & centerFlag;
    pic.keepRatio = c.flags & keepRatioFlag;
    const QString source = memoText(o).trimmed();
    if (!source.isEmpty()) {
        pic.source = source;
        warn(o, u"obrázek z datového pole „%1“ se tiskne, jen když hodnota je cesta k souboru."_s.arg(source));
    }
    if (!p.data.isEmpty()) {
        const QByteArray format = sniffImage(p.data);
        QImage image;
        if (!format.isEmpty()) {
            QBuffer buffer;
            buffer.setData(p.data);
            QImageReader reader(&buffer, format);
            image = reader.read();
        }
        if (image.isNull()) {
            warn(o, u"%1 (druh %2, %3 bajtů) nelze vykreslit, místo něj je rámeček."_s.arg(placeholderName(o))
                        .arg(p.kind)
                        .arg(p.data.size()));
            placeholder(o, obj, placeholderName(o));
            return;
        }
        if (format == "BMP" || format == "JPEG" || format == "PNG") {
            pic.data = p.data;
            pic.format = format;
        } else {
            // Icons and GIFs are kept as PNG, a format every export embeds.
            QBuffer out(&pic.data);
            out.open(QIODevice::WriteOnly);
            image.save(&out, "PNG");
            pic.format = "PNG";
        }
    }
    obj.content = pic;
}

void FrfObjectConverter::addIn(const FrfObject &o, ReportObject &obj, std::vector<ReportObject> &out)
{
    const FrfCommon &c = o.common;
    if (!o.addInRead) {
        warn(o, u"doplněk %1 program nezná; na jeho místě je rámeček."_s.arg(o.className));
        placeholder(o, obj, o.className);
    } else if (isClass(o, "TfrShapeView"_L1)) {
        ShapeObject s;
        using Shape = ShapeItem::Shape;
        static const Shape shapes[] = {Shape::Rectangle, Shape::RoundedRectangle, Shape::Ellipse,
                                       Shape::Triangle,  Shape::DiagonalDown,     Shape::DiagonalUp};
        if (o.shapeType >= 0 && o.shapeType < int(std::size(shapes))) {
            s.shape = shapes[o.shapeType];
        } else {
            warn(o, u"neznámý tvar %1 se kreslí jako obdélník."_s.arg(o.shapeType));
        }
        s.cornerRadiusMm = std::min(obj.rect.width(), obj.rect.height()) / 4.0;
        obj.content = s;
    } else if (isClass(o, "TfrCheckBoxView"_L1)) {
        CheckBoxObject box;
        box.expression = bareExpression(memoText(o).section(u'\n', 0, 0));
        box.crossStyle = o.checkStyle == 0;
        box.checkColor = delphiColor(o.checkColor, Qt::black);
        obj.content = box;
    } else if (o.barcode) {
        BarcodeObject b;
        b.expression = memoText(o).section(u'\n', 0, 0).trimmed();
        const BarcodeMapping mapping = barcodeType(o.barcode->type);
        b.type = mapping.type;
        if (o.barcode->type == 15)
            b.expression.prepend(u'0');
        if (!mapping.exact) {
            const QString was = mapping.name.isEmpty() ? u"druhu %1"_s.arg(o.barcode->type) : QString(mapping.name);
            warn(o, u"čárový kód %1 se tiskne jako %2."_s.arg(was, b.type == BarcodeType::Code128 ? u"Code 128"_s
                                                                   : b.type == BarcodeType::Code39
                                                                       ? u"Code 39"_s
                                                                       : u"2 z 5 prokládaný"_s));
        }
        b.checksum = o.barcode->checksum;
        b.showText = o.barcode->showText;
        const double angle =
            std::isfinite(o.barcode->angle) ? std::fmod(std::round(o.barcode->angle / 90.0), 4.0) : 0.0;
        b.angle = int(angle < 0 ? angle + 4 : angle) * 90;
        obj.content = b;
    } else if (o.roundRect) {
        const FrfRoundRect &r = *o.roundRect;
        ShapeObject s;
        s.shape = r.roundCorners ? ShapeItem::Shape::RoundedRectangle : ShapeItem::Shape::Rectangle;
        s.cornerRadiusMm = std::clamp(xMm(r.cornerSize) / 2.0, 0.0, std::min(obj.rect.width(), obj.rect.height()) / 2);
        if (r.shadowWidth == -99) {
            warn(o, u"přechod barev se kreslí počáteční barvou."_s);
            obj.fill = delphiColor(r.shadowColor);
            s.cornerRadiusMm = std::min(obj.rect.width(), obj.rect.height()) / 8.0;
        } else if (r.shadowWidth > 0) {
            ReportObject shadow = obj;
            shadow.name = obj.name + u"Stin"_s;
            shadow.script.clear();
            shadow.frame = FrameStyle();
            shadow.frame.color = Qt::transparent;
            shadow.fill = delphiColor(r.shadowColor, Qt::gray);
            const double d = xMm(std::min(r.shadowWidth, 50));
            shadow.rect.translate(d, d);
            shadow.content = s;
            out.push_back(shadow);
        }
        if (!obj.frame.any())
            obj.frame.color = Qt::transparent;
        obj.content = s;
        const QString words = memoText(o);
        if (!words.trimmed().isEmpty()) {
            out.push_back(obj);
            obj.name += u"Text"_s;
            obj.script.clear();
            obj.frame = FrameStyle();
            obj.fill = Qt::transparent;
            obj.content = text(o, *o.memo);
        }
    } else if (o.memo) {
        obj.content = text(o, *o.memo); // a framed memo
    } else if (isClass(o, "TfrRichView"_L1) || isClass(o, "TfrRxRichView"_L1)) {
        RichTextObject rich;
        if (looksLikeRtf(o.rtf)) {
            rich.html = cleanText(rtfToHtml(o.rtf));
            if (o.rtf.contains("\\pict") || o.rtf.contains("\\object"))
                warn(o, u"obrázky a objekty v textu RTF se netisknou."_s);
            if (o.rtf.contains("\\trowd"))
                warn(o, u"tabulky v textu RTF se tisknou jako text bez mřížky."_s);
        } else if (!o.rtf.isEmpty()) {
            warn(o, u"text není ve formátu RTF, tiskne se jako prostý text."_s);
            rich.html = cleanText(m_codePage.decode(o.rtf)).toHtmlEscaped().replace(u'\n', u"<br>"_s);
        }
        const QString field = memoText(o).trimmed();
        if (!field.isEmpty())
            warn(o, u"text RTF z datového pole „%1“ se nečte; tiskne se text uložený v šabloně."_s.arg(field));
        obj.content = rich;
    } else {
        QString what = o.addInSummary.isEmpty() ? QString() : u" (%1)"_s.arg(o.addInSummary);
        warn(o, u"%1%2 se netiskne; na jeho místě je rámeček."_s.arg(o.className, what));
        placeholder(o, obj, placeholderName(o));
    }
    (void)c;
}

std::vector<ReportObject> FrfObjectConverter::convert(const FrfObject &o, QPointF origin)
{
    std::vector<ReportObject> out;
    ReportObject obj = common(o, origin);
    switch (ObjectType(o.type)) {
    case ObjectType::Memo:
        obj.content = text(o, *o.memo);
        break;
    case ObjectType::Picture:
        picture(o, obj);
        break;
    case ObjectType::Subreport: {
        const QString page = m_reportPageName(o.subPage);
        if (page.isEmpty()) {
            warn(o, u"podsestava ukazuje na stránku %1, která v šabloně není; vynechána."_s.arg(o.subPage + 1));
            return out;
        }
        obj.content = SubreportObject {page};
        break;
    }
    case ObjectType::Line:
        // Drawn along the top edge when wider than tall, else along the left one.
        obj.frame.left = obj.frame.right = obj.frame.bottom = obj.frame.top = false;
        (obj.rect.width() >= obj.rect.height() ? obj.frame.top : obj.frame.left) = true;
        obj.content = LineObject();
        break;
    case ObjectType::AddIn:
        if (o.control || isDatabaseComponent(o.className)) {
            warn(o, u"ovládací prvek dialogu na stránce sestavy se netiskne."_s);
            return out;
        }
        addIn(o, obj, out);
        break;
    case ObjectType::Band:
        return out;
    }
    // A frame with no sides draws nothing; its width and colour matter only to shapes and lines.
    if (!obj.frame.any() &&
        (std::holds_alternative<TextObject>(obj.content) || std::holds_alternative<PictureObject>(obj.content) ||
         std::holds_alternative<RichTextObject>(obj.content)))
        obj.frame = FrameStyle();
    out.push_back(std::move(obj));
    return out;
}

std::optional<DialogControl> FrfObjectConverter::control(const FrfObject &o)
{
    if (!o.control) {
        if (o.type == int(ObjectType::AddIn) && !o.addInSummary.isEmpty())
            warn(o,
                 u"databázová komponenta %1 (%2) se neotevírá; data dává program."_s.arg(o.className, o.addInSummary));
        else if (o.type == int(ObjectType::AddIn) && isDatabaseComponent(o.className))
            warn(o, u"databázová komponenta %1 se neotevírá; data dává program."_s.arg(o.className));
        else
            warn(o, u"objekt na stránce dialogu se nepřenáší."_s);
        return std::nullopt;
    }
    const FrfControl &ctl = *o.control;
    DialogControl d;
    const QString c = o.className.toLower();
    bool lookup = false;
    if (c == "tfrlabelcontrol"_L1)
        d.kind = ControlKind::Label;
    else if (c == "tfreditcontrol"_L1)
        d.kind = ControlKind::Edit;
    else if (c == "tfrmemocontrol"_L1)
        d.kind = ControlKind::Memo;
    else if (c == "tfrbuttoncontrol"_L1)
        d.kind = ControlKind::Button;
    else if (c == "tfrcheckboxcontrol"_L1)
        d.kind = ControlKind::CheckBox;
    else if (c == "tfrradiobuttoncontrol"_L1)
        d.kind = ControlKind::RadioButton;
    else if (c == "tfrlistboxcontrol"_L1)
        d.kind = ControlKind::ListBox;
    else if (c == "tfrcomboboxcontrol"_L1)
        d.kind = ControlKind::ComboBox;
    else if (c == "tfrdateeditcontrol"_L1)
        d.kind = ControlKind::DateEdit;
    else {
        lookup = true;
        d.kind = ControlKind::ComboBox;
        warn(o, u"výběr z databáze (%1) je prázdný rozbalovací seznam; hodnoty dá program."_s.arg(o.className));
    }
    d.name = o.common.name;
    // Screen pixels of a form: anything beyond a hundred thousand is damage.
    constexpr int maxPixels = 100000;
    d.rect = QRect(std::clamp(o.common.x, -maxPixels, maxPixels), std::clamp(o.common.y, -maxPixels, maxPixels),
                   std::clamp(o.common.width, 0, maxPixels), std::clamp(o.common.height, 0, maxPixels));
    d.text = lookup ? QString() : ctl.text; // a lookup keeps its data set name there
    d.items = ctl.items;
    d.checked = ctl.checked;
    d.readOnly = ctl.readOnly;
    d.modalResult = ctl.modalResult <= 100 ? ctl.modalResult : 0;
    d.font = fontSpec(ctl.font);
    d.script = o.common.script.join(u'\n');
    if (!d.script.trimmed().isEmpty())
        warn(o, u"skript ovládacího prvku se nespouští: „%1“"_s.arg(firstLine(o.common.script)));
    return d;
}

} // namespace ergotab::report::frf
