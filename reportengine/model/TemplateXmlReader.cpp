#include "reportengine/model/RtfToHtml.h"
#include "reportengine/model/TemplateXml.h"
#include "reportengine/model/TemplateXmlNames.h"
#include "storage/AppError.h"

#include <QXmlStreamReader>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

using namespace xmlnames;

// A fault in the file; the reader adds the file name and the line.
struct BadTemplate
{
    QString what;
};

constexpr double maxLengthMm = 100000.0;

// Line ends are kept as '\n' alone, so a text written back reads the same (XML turns a
// carriage return in text into a line feed).
QString lines(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}
constexpr int maxDepth = 64;

// The attributes of one element: typed reads with defaults, and what is left over kept as
// unknown for writing back.
class In
{
public:
    explicit In(const QXmlStreamReader &xml)
        : m_attrs(xml.attributes())
    {
    }

    QString text(QLatin1StringView name, const QString &def = {})
    {
        const auto *a = find(name);
        return a ? lines(a->value().toString()) : def;
    }
    double num(QLatin1StringView name, double def)
    {
        const auto *a = find(name);
        if (!a)
            return def;
        bool ok = false;
        const double v = a->value().toDouble(&ok);
        if (!ok || !std::isfinite(v) || std::abs(v) > maxLengthMm)
            throw BadTemplate {u"atribut %1 nemá platnou číselnou hodnotu „%2“"_s.arg(name, a->value())};
        return v;
    }
    int integer(QLatin1StringView name, int def, int min, int max)
    {
        const auto *a = find(name);
        if (!a)
            return def;
        bool ok = false;
        const int v = a->value().toInt(&ok);
        if (!ok || v < min || v > max)
            throw BadTemplate {u"atribut %1 nemá platnou hodnotu „%2“"_s.arg(name, a->value())};
        return v;
    }
    bool flag(QLatin1StringView name, bool def)
    {
        const auto *a = find(name);
        if (!a)
            return def;
        if (a->value() == "true"_L1 || a->value() == "1"_L1)
            return true;
        if (a->value() == "false"_L1 || a->value() == "0"_L1)
            return false;
        throw BadTemplate {u"atribut %1 má mít hodnotu true nebo false, ne „%2“"_s.arg(name, a->value())};
    }
    QColor color(QLatin1StringView name, const QColor &def)
    {
        const auto *a = find(name);
        if (!a)
            return def;
        const QColor c = QColor::fromString(a->value());
        if (!c.isValid())
            throw BadTemplate {u"atribut %1 nemá platnou barvu „%2“"_s.arg(name, a->value())};
        return c;
    }
    template <typename E> E word(QLatin1StringView name, std::span<const Word<E>> words, E def)
    {
        const auto *a = find(name);
        if (!a)
            return def;
        if (const auto v = valueFor(words, a->value()))
            return *v;
        throw BadTemplate {u"atribut %1 nemá platnou hodnotu „%2“"_s.arg(name, a->value())};
    }
    // Every attribute not asked for, in the order of the file.
    std::vector<std::pair<QString, QString>> rest() const
    {
        std::vector<std::pair<QString, QString>> out;
        for (qsizetype i = 0; i < m_attrs.size(); ++i)
            if (!m_used.contains(i))
                out.emplace_back(m_attrs[i].qualifiedName().toString(), lines(m_attrs[i].value().toString()));
        return out;
    }

private:
    const QXmlStreamAttribute *find(QLatin1StringView name)
    {
        for (qsizetype i = 0; i < m_attrs.size(); ++i)
            if (m_attrs[i].qualifiedName() == name) {
                m_used.insert(i);
                return &m_attrs[i];
            }
        return nullptr;
    }

    QXmlStreamAttributes m_attrs;
    std::set<qsizetype> m_used;
};

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_xml(bytes)
    {
    }

    ReportTemplate read()
    {
        if (!m_xml.readNextStartElement())
            throw BadTemplate {u"soubor neobsahuje žádný prvek"_s};
        if (m_xml.name() != "report"_L1)
            throw BadTemplate {u"kořenový prvek je <%1>, ne <report>"_s.arg(m_xml.name())};
        ReportTemplate r;
        In in(m_xml);
        if (in.integer("version"_L1, 0, 1, 1000000) == 0)
            throw BadTemplate {u"chybí atribut version"_s};
        r.name = in.text("name"_L1);
        r.doublePass = in.flag("double-pass"_L1, false);
        r.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "description"_L1)
                r.description = elementText();
            else if (name == "script"_L1)
                r.script = elementText();
            else if (name == "variable"_L1)
                r.variables.push_back(variable());
            else if (name == "dialog"_L1)
                r.dialogs.push_back(dialog());
            else if (name == "page"_L1)
                r.pages.push_back(page());
            else
                r.unknown.elements.push_back(node());
        });
        if (m_xml.hasError())
            throw BadTemplate {m_xml.errorString()};
        return r;
    }

    qint64 line() const { return m_xml.lineNumber(); }

private:
    // Calls `each` for every child element of the current one; `each` must consume the child.
    template <typename F> void children(F each)
    {
        if (++m_depth > maxDepth)
            throw BadTemplate {u"prvky jsou vnořeny příliš hluboko"_s};
        while (m_xml.readNextStartElement())
            each(m_xml.name());
        if (m_xml.hasError())
            throw BadTemplate {m_xml.errorString()};
        --m_depth;
    }

    QString elementText()
    {
        const QString text = lines(m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement));
        if (m_xml.hasError())
            throw BadTemplate {m_xml.errorString()};
        return text;
    }

    XmlNode node()
    {
        XmlNode n;
        n.name = m_xml.qualifiedName().toString();
        for (const auto &a : m_xml.attributes())
            n.attributes.emplace_back(a.qualifiedName().toString(), lines(a.value().toString()));
        if (++m_depth > maxDepth)
            throw BadTemplate {u"prvky jsou vnořeny příliš hluboko"_s};
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                n.children.push_back(node());
            else if (token == QXmlStreamReader::Characters && !m_xml.isWhitespace())
                n.text += lines(m_xml.text().toString());
            else if (token == QXmlStreamReader::EndElement)
                break;
        }
        if (m_xml.hasError())
            throw BadTemplate {m_xml.errorString()};
        --m_depth;
        return n;
    }

    TemplateVariable variable()
    {
        TemplateVariable v;
        In in(m_xml);
        v.name = in.text("name"_L1);
        v.category = in.text("category"_L1);
        v.expression = in.text("expression"_L1);
        m_xml.skipCurrentElement();
        return v;
    }

    FontSpec font()
    {
        FontSpec f;
        In in(m_xml);
        f.family = in.text("family"_L1, f.family);
        f.sizePt = in.num("size"_L1, f.sizePt);
        if (f.sizePt <= 0 || f.sizePt > 1000)
            throw BadTemplate {u"velikost písma %1 není možná"_s.arg(f.sizePt)};
        f.bold = in.flag("bold"_L1, false);
        f.italic = in.flag("italic"_L1, false);
        f.underline = in.flag("underline"_L1, false);
        f.strikeOut = in.flag("strike-out"_L1, false);
        m_xml.skipCurrentElement();
        return f;
    }

    FrameStyle frame()
    {
        FrameStyle f;
        In in(m_xml);
        for (const QString &side : in.text("sides"_L1).split(u' ', Qt::SkipEmptyParts)) {
            if (side == "left"_L1)
                f.left = true;
            else if (side == "top"_L1)
                f.top = true;
            else if (side == "right"_L1)
                f.right = true;
            else if (side == "bottom"_L1)
                f.bottom = true;
            else
                throw BadTemplate {u"neznámá strana rámečku „%1“"_s.arg(side)};
        }
        f.widthMm = in.num("width"_L1, f.widthMm);
        f.color = in.color("color"_L1, f.color);
        f.style = in.word("style"_L1, penStyles(), f.style);
        m_xml.skipCurrentElement();
        return f;
    }

    void readAttributes(In &in, TextObject &t)
    {
        t.color = in.color("color"_L1, t.color);
        t.hAlign = in.word("h-align"_L1, hAligns(), t.hAlign);
        t.vAlign = in.word("v-align"_L1, vAligns(), t.vAlign);
        t.wordWrap = in.flag("word-wrap"_L1, t.wordWrap);
        t.rotation = in.integer("rotation"_L1, 0, 0, 90);
        if (t.rotation != 0 && t.rotation != 90)
            throw BadTemplate {u"text lze otočit jen o 0 nebo 90°"_s};
        t.autoSize = in.flag("auto-size"_L1, t.autoSize);
        t.stretch = in.flag("stretch"_L1, t.stretch);
        t.plainText = in.flag("plain-text"_L1, t.plainText);
        t.hideZeros = in.flag("hide-zeros"_L1, t.hideZeros);
        t.suppressRepeated = in.flag("suppress-repeated"_L1, t.suppressRepeated);
        t.displayFormat = in.text("format"_L1);
    }
    bool readChild(QStringView name, TextObject &t)
    {
        if (name == "font"_L1)
            t.font = font();
        else if (name == "content"_L1)
            t.text = elementText();
        else if (name == "highlight"_L1) {
            In in(m_xml);
            t.highlight.condition = in.text("condition"_L1);
            t.highlight.color = in.color("color"_L1, t.highlight.color);
            t.highlight.fill = in.color("fill"_L1, t.highlight.fill);
            children([&](QStringView child) {
                if (child == "font"_L1)
                    t.highlight.font = font();
                else
                    m_xml.skipCurrentElement();
            });
        } else
            return false;
        return true;
    }

    void readAttributes(In &in, PictureObject &p)
    {
        p.format = in.text("format"_L1).toLatin1();
        p.source = in.text("source"_L1);
        p.stretch = in.flag("stretch"_L1, p.stretch);
        p.keepRatio = in.flag("keep-ratio"_L1, p.keepRatio);
        p.center = in.flag("center"_L1, p.center);
    }
    bool readChild(QStringView name, PictureObject &p)
    {
        if (name != "data"_L1)
            return false;
        const auto decoded =
            QByteArray::fromBase64Encoding(elementText().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            throw BadTemplate {u"obrázek není platně zakódován (base64)"_s};
        p.data = *decoded;
        return true;
    }

    void readAttributes(In &, LineObject &) { }
    bool readChild(QStringView, LineObject &) { return false; }

    void readAttributes(In &in, ShapeObject &s)
    {
        s.shape = in.word("shape"_L1, shapes(), s.shape);
        s.cornerRadiusMm = in.num("corner-radius"_L1, s.cornerRadiusMm);
    }
    bool readChild(QStringView, ShapeObject &) { return false; }

    void readAttributes(In &in, CheckBoxObject &c)
    {
        c.expression = in.text("expression"_L1);
        const QString style = in.text("style"_L1, u"cross"_s);
        if (style != "cross"_L1 && style != "check"_L1)
            throw BadTemplate {u"zaškrtávací pole má styl cross nebo check, ne „%1“"_s.arg(style)};
        c.crossStyle = style == "cross"_L1;
        c.checkColor = in.color("check-color"_L1, c.checkColor);
    }
    bool readChild(QStringView, CheckBoxObject &) { return false; }

    void readAttributes(In &in, BarcodeObject &b)
    {
        b.type = in.word("type"_L1, barcodeTypes(), b.type);
        b.checksum = in.flag("checksum"_L1, b.checksum);
        b.showText = in.flag("show-text"_L1, b.showText);
        b.angle = in.integer("angle"_L1, 0, 0, 270);
        if (b.angle % 90 != 0)
            throw BadTemplate {u"čárový kód lze otočit jen o násobek 90°"_s};
    }
    bool readChild(QStringView name, BarcodeObject &b)
    {
        if (name != "content"_L1)
            return false;
        b.expression = elementText();
        return true;
    }

    void readAttributes(In &, RichTextObject &) { }
    bool readChild(QStringView name, RichTextObject &r)
    {
        if (name != "content"_L1)
            return false;
        // Rich text pasted from an older template may still be RTF; the model keeps HTML.
        r.html = elementText();
        if (looksLikeRtf(r.html))
            r.html = rtfToHtml(QStringView(r.html));
        return true;
    }

    void readAttributes(In &in, SubreportObject &s) { s.page = in.text("page"_L1); }
    bool readChild(QStringView, SubreportObject &) { return false; }

    // The object whose kind is the current element's name; nullopt for an unknown element.
    std::optional<ReportObject> object()
    {
        const auto names = objectElements();
        const auto it = std::find(names.begin(), names.end(), m_xml.name());
        if (it == names.end())
            return std::nullopt;
        ReportObject obj;
        obj.content = contentAt(static_cast<size_t>(it - names.begin()));
        In in(m_xml);
        obj.name = in.text("name"_L1);
        obj.rect = QRectF(in.num("x"_L1, 0), in.num("y"_L1, 0), in.num("width"_L1, 0), in.num("height"_L1, 0));
        if (obj.rect.width() < 0 || obj.rect.height() < 0)
            throw BadTemplate {u"objekt %1 má zápornou šířku nebo výšku"_s.arg(obj.name)};
        obj.visible = in.flag("visible"_L1, true);
        obj.fill = in.color("fill"_L1, obj.fill);
        obj.tag = in.text("tag"_L1);
        obj.printIf = in.text("print-if"_L1);
        std::visit([&](auto &c) { readAttributes(in, c); }, obj.content);
        obj.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "frame"_L1)
                obj.frame = frame();
            else if (name == "script"_L1)
                obj.script = elementText();
            else if (!std::visit([&](auto &c) { return readChild(name, c); }, obj.content))
                obj.unknown.elements.push_back(node());
        });
        return obj;
    }

    static ObjectContent contentAt(size_t index)
    {
        switch (index) {
        case 0:
            return TextObject();
        case 1:
            return PictureObject();
        case 2:
            return LineObject();
        case 3:
            return ShapeObject();
        case 4:
            return CheckBoxObject();
        case 5:
            return BarcodeObject();
        case 6:
            return RichTextObject();
        default:
            return SubreportObject();
        }
    }

    Band band()
    {
        Band b;
        In in(m_xml);
        const QString kind = in.text("kind"_L1);
        const auto k = valueFor(bandKinds(), kind);
        if (!k)
            throw BadTemplate {u"neznámý druh pruhu „%1“"_s.arg(kind)};
        b.kind = *k;
        b.name = in.text("name"_L1);
        b.top = in.num("top"_L1, b.top);
        b.height = in.num("height"_L1, b.height);
        if (b.height < 0)
            throw BadTemplate {u"pruh %1 má zápornou výšku"_s.arg(b.name)};
        b.dataSource = in.text("data-source"_L1);
        b.key = in.text("key"_L1);
        b.masterKey = in.text("master-key"_L1);
        b.condition = in.text("condition"_L1);
        b.childBand = in.text("child"_L1);
        b.printIf = in.text("print-if"_L1);
        b.stretch = in.flag("stretch"_L1, b.stretch);
        b.keepTogether = in.flag("keep-together"_L1, b.keepTogether);
        b.canSplit = in.flag("can-split"_L1, b.canSplit);
        b.newPageBefore = in.flag("new-page-before"_L1, b.newPageBefore);
        b.newPageAfter = in.flag("new-page-after"_L1, b.newPageAfter);
        b.printOnFirstPage = in.flag("on-first-page"_L1, b.printOnFirstPage);
        b.printOnLastPage = in.flag("on-last-page"_L1, b.printOnLastPage);
        b.repeatOnEachPage = in.flag("repeat"_L1, b.repeatOnEachPage);
        b.printIfEmpty = in.flag("print-if-empty"_L1, b.printIfEmpty);
        b.visible = in.flag("visible"_L1, b.visible);
        b.columns = in.integer("columns"_L1, b.columns, 1, 100);
        b.columnWidthMm = in.num("column-width"_L1, b.columnWidthMm);
        b.columnGapMm = in.num("column-gap"_L1, b.columnGapMm);
        b.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "script"_L1)
                b.script = elementText();
            else if (auto obj = object())
                b.objects.push_back(std::move(*obj));
            else
                b.unknown.elements.push_back(node());
        });
        return b;
    }

    ReportPage page()
    {
        ReportPage p;
        In in(m_xml);
        p.name = in.text("name"_L1);
        p.paper = in.word("paper"_L1, paperSizes(), p.paper);
        if (p.paper == PaperSize::Custom) {
            p.customSizeMm = QSizeF(in.num("width"_L1, 210.0), in.num("height"_L1, 297.0));
            if (p.customSizeMm.width() < 10 || p.customSizeMm.height() < 10)
                throw BadTemplate {u"stránka %1 je menší než 10 × 10 mm"_s.arg(p.name)};
        }
        p.orientation = in.word("orientation"_L1, orientations(), p.orientation);
        p.margins.left = in.num("margin-left"_L1, p.margins.left);
        p.margins.top = in.num("margin-top"_L1, p.margins.top);
        p.margins.right = in.num("margin-right"_L1, p.margins.right);
        p.margins.bottom = in.num("margin-bottom"_L1, p.margins.bottom);
        p.columns = in.integer("columns"_L1, p.columns, 1, 100);
        p.columnGapMm = in.num("column-gap"_L1, p.columnGapMm);
        p.printToPreviousPage = in.flag("print-to-previous-page"_L1, p.printToPreviousPage);
        p.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "script"_L1)
                p.script = elementText();
            else if (name == "band"_L1)
                p.bands.push_back(band());
            else if (auto obj = object())
                p.objects.push_back(std::move(*obj));
            else
                p.unknown.elements.push_back(node());
        });
        return p;
    }

    DialogControl control()
    {
        DialogControl c;
        In in(m_xml);
        c.kind = in.word("kind"_L1, controlKinds(), c.kind);
        c.name = in.text("name"_L1);
        constexpr int maxPixels = 100000;
        c.rect = QRect(in.integer("x"_L1, 0, -maxPixels, maxPixels), in.integer("y"_L1, 0, -maxPixels, maxPixels),
                       in.integer("width"_L1, 0, 0, maxPixels), in.integer("height"_L1, 0, 0, maxPixels));
        c.text = in.text("text"_L1);
        c.checked = in.flag("checked"_L1, false);
        c.readOnly = in.flag("read-only"_L1, false);
        c.modalResult = in.integer("modal-result"_L1, 0, 0, 100);
        c.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "font"_L1)
                c.font = font();
            else if (name == "item"_L1)
                c.items << elementText();
            else if (name == "script"_L1)
                c.script = elementText();
            else
                c.unknown.elements.push_back(node());
        });
        return c;
    }

    DialogPage dialog()
    {
        DialogPage p;
        In in(m_xml);
        p.name = in.text("name"_L1);
        p.caption = in.text("caption"_L1);
        p.size = QSize(in.integer("width"_L1, p.size.width(), 1, 100000),
                       in.integer("height"_L1, p.size.height(), 1, 100000));
        p.unknown.attributes = in.rest();
        children([&](QStringView name) {
            if (name == "script"_L1)
                p.script = elementText();
            else if (name == "control"_L1)
                p.controls.push_back(control());
            else
                p.unknown.elements.push_back(node());
        });
        return p;
    }

    QXmlStreamReader m_xml;
    int m_depth = 0;
};

} // namespace

bool looksLikeTemplateXml(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes.left(4096));
    return xml.readNextStartElement() && xml.name() == "report"_L1;
}

ReportTemplate readTemplateXml(const QByteArray &bytes, const QString &fileName)
{
    Reader reader(bytes);
    try {
        return reader.read();
    } catch (const BadTemplate &bad) {
        throw AppError(u"Šablonu sestavy „%1“ nelze načíst: %2 (řádek %3)."_s.arg(fileName, bad.what,
                                                                                  QString::number(reader.line())));
    }
}

} // namespace ergotab::report
