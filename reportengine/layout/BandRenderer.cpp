#include "reportengine/layout/BandRenderer.h"
#include "reportengine/barcode/Barcode.h"
#include "reportengine/expr/ValueConversion.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

constexpr double epsilon = 1e-6;

// What a check box reads as ticked: true, a non-zero number, a text not starting with '0'.
bool ticked(const QVariant &v)
{
    if (v.isNull())
        return false;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return v.toDouble() != 0.0;
    default: {
        const QString s = v.toString().trimmed();
        return !s.isEmpty() && !s.startsWith(u'0');
    }
    }
}

QString objectName(const ReportObject &obj)
{
    return obj.name.isEmpty() ? u"(bez jména)"_s : obj.name;
}

} // namespace

BandRenderer::BandRenderer(ExpressionCache &cache, TextMeasurer &measurer, LayoutContext &context,
                           QStringList &warnings)
    : m_cache(cache)
    , m_measurer(measurer)
    , m_context(context)
    , m_warnings(warnings)
{
}

QString BandRenderer::expand(const QString &text, const DisplayFormat &format)
{
    return m_cache.text(text).expand(m_context, format);
}

const DisplayFormat &BandRenderer::displayFormat(const TextObject &t)
{
    const QString key = t.displayFormat + (t.hideZeros ? u"|0"_s : u"|"_s);
    auto it = m_formats.find(key);
    if (it == m_formats.end()) {
        DisplayFormat f = t.displayFormat.isEmpty() ? DisplayFormat() : DisplayFormat::fromInline(t.displayFormat);
        f.hideZeros = t.hideZeros;
        it = m_formats.emplace(key, f).first;
    }
    return it->second;
}

bool BandRenderer::printsNow(const Band &band)
{
    if (band.printIf.trimmed().isEmpty())
        return true;
    m_context.band = &band;
    QVariant v;
    try {
        v = m_cache.expression(band.printIf).evaluate(m_context);
    } catch (const ExpressionError &e) {
        throw e.withContext(u"Podmínka tisku pásu %1: "_s.arg(band.name));
    }
    return conditionHolds(band, v);
}

bool BandRenderer::conditionHolds(const Band &band, const QVariant &v)
{
    const auto condition = value::toCondition(v);
    if (!condition)
        throw AppError(u"Podmínka tisku pásu %1 (%2) nedává pravdivostní hodnotu, ale %3."_s.arg(
            band.name, band.printIf, value::describe(v)));
    return *condition;
}

RenderedBand BandRenderer::render(const Band &band, const std::vector<ReportObject> &objects)
{
    struct BandPrint
    {
        LayoutContext &context;
        explicit BandPrint(LayoutContext &c)
            : context(c)
        {
            context.beginBandPrint();
        }
        ~BandPrint() { context.endBandPrint(); }
    } print(m_context);
    std::vector<Placed> placed;
    placed.reserve(objects.size());
    for (const ReportObject &obj : objects) {
        if (!obj.visible)
            continue;
        try {
            if (!obj.printIf.trimmed().isEmpty()) {
                const QVariant v = m_cache.expression(obj.printIf).evaluate(m_context);
                const auto shown = value::toCondition(v);
                if (!shown)
                    throw AppError(u"podmínka tisku (%1) nedává pravdivostní hodnotu, ale %2."_s.arg(
                        obj.printIf, value::describe(v)));
                if (!*shown)
                    continue;
            }
            placed.push_back(renderObject(obj));
        } catch (const ExpressionError &e) {
            throw e.withContext(u"Objekt %1 v pásu %2: "_s.arg(objectName(obj), band.name));
        } catch (const AppError &e) {
            throw AppError(u"Objekt %1 v pásu %2: %3"_s.arg(objectName(obj), band.name, e.message()));
        }
    }
    // Objects below a text that grew move down with it.
    RenderedBand out;
    out.height = band.height;
    // A band that grew keeps the room its design leaves below its lowest object.
    double designBottom = 0.0;
    bool grew = false;
    for (const Placed &p : placed) {
        designBottom = std::max(designBottom, p.object->rect.bottom());
        grew = grew || p.growth > epsilon;
    }
    const double roomBelow = grew ? std::max(0.0, band.height - designBottom) : 0.0;
    for (Placed &p : placed) {
        double shift = 0.0;
        for (const Placed &other : placed)
            if (other.growth > epsilon && other.object->rect.bottom() <= p.object->rect.top() + epsilon)
                shift = std::max(shift, other.growth);
        for (RenderedItem &item : p.items) {
            if (shift > 0)
                item.setRect(item.rect().translated(0, shift));
            out.height = std::max(out.height, item.rect().bottom() + roomBelow);
            out.items.push_back(std::move(item));
        }
    }
    return out;
}

BandRenderer::Placed BandRenderer::renderObject(const ReportObject &obj)
{
    Placed out {&obj, {}, 0.0};
    if (!placeholder(obj, out))
        std::visit([&](const auto &content) { renderContent(obj, content, out); }, obj.content);
    return out;
}

bool BandRenderer::placeholder(const ReportObject &obj, Placed &out)
{
    if (!layoutOnly)
        return false;
    if (const auto *t = std::get_if<TextObject>(&obj.content); t && !t->stretch && !t->autoSize) {
        TextItem item;
        item.rect = obj.rect;
        out.items.push_back({item, {}, 0.0, 0.0});
        return true;
    }
    if (std::holds_alternative<CheckBoxObject>(obj.content) || std::holds_alternative<BarcodeObject>(obj.content) ||
        std::holds_alternative<RichTextObject>(obj.content)) {
        ShapeItem item;
        item.rect = obj.rect;
        out.items.push_back({item, {}, 0.0, 0.0});
        return true;
    }
    return false;
}

void BandRenderer::renderContent(const ReportObject &obj, const TextObject &t, Placed &out)
{
    if (!deferredObjects.empty() && deferredObjects.count(&obj)) {
        defer(obj, t, out);
        return;
    }
    const bool highlighted = !t.highlight.condition.trimmed().isEmpty();
    QString text;
    std::optional<QVariant> value; // a text of one expression: its value, for the highlight's VALUE
    if (t.plainText) {
        text = t.text;
    } else if (const TextTemplate &compiled = m_cache.text(t.text); highlighted && compiled.isSingleExpression()) {
        // Evaluated once for both the text and the highlight.
        const TextTemplate::Part &part = compiled.parts().front();
        value = part.expression.evaluate(m_context);
        text = formatValue(*value, part.format ? *part.format : displayFormat(t));
    } else {
        text = compiled.expand(m_context, displayFormat(t));
    }
    // Only printing counts: measuring and counting pages neither hide a text nor remember it.
    if (t.suppressRepeated && !layoutOnly) {
        const auto [last, first] = m_lastTexts.try_emplace(&obj, text);
        if (!first && last->second == text)
            text.clear();
        else
            last->second = text;
    }
    FontSpec font = t.font;
    QColor color = t.color;
    QColor fill = obj.fill;
    if (highlighted) {
        m_context.value = value ? *value : QVariant(text);
        if (m_cache.expression(t.highlight.condition).evaluateCondition(m_context)) {
            font = t.highlight.font;
            color = t.highlight.color;
            fill = t.highlight.fill;
        }
        m_context.value = QVariant();
    }

    QRectF rect = obj.rect;
    const bool rotated = t.rotation == 90;
    const double lineHeight = m_measurer.lineHeightMm(font);
    const double boxWidth = rotated ? rect.height() : rect.width();
    QStringList lines = m_measurer.lines(text, font, boxWidth, t.wordWrap && !t.autoSize && !rotated);
    if (t.autoSize && !rotated) {
        double widest = 0.0;
        for (const QString &line : lines)
            widest = std::max(widest, m_measurer.advanceMm(line, font));
        rect.setWidth(std::max(rect.width(), widest));
    }
    const double needed = static_cast<double>(lines.size()) * lineHeight;
    if ((t.stretch || t.autoSize) && !rotated && needed > rect.height() + epsilon) {
        out.growth = needed - rect.height();
        rect.setHeight(needed);
    }

    TextItem item;
    item.rect = rect;
    item.text = lines.join(u'\n');
    item.font = toQFont(font);
    item.color = color;
    item.fill = fill;
    item.alignment = toQtAlignment(t);
    item.wordWrap = false; // the lines are broken here, so every output shows the same lines
    item.rotation = t.rotation;
    item.frame = obj.frame;
    RenderedItem rendered {item, {}, 0.0, 0.0};
    if (!rotated) {
        rendered.lines = lines;
        rendered.lineHeight = lineHeight;
    }
    out.items.push_back(std::move(rendered));
}

void BandRenderer::defer(const ReportObject &obj, const TextObject &t, Placed &out)
{
    const LayoutContext &c = m_context;
    m_deferred.push_back({&obj, c.band, c.page, c.line, c.lineThrough, c.column, c.curY, c.freeSpace});
    TextItem item;
    item.rect = obj.rect;
    item.font = toQFont(t.font);
    item.frame = obj.frame;
    item.fill = obj.fill;
    RenderedItem rendered {item, {}, 0.0, 0.0};
    rendered.deferred = int(m_deferred.size()) - 1;
    out.items.push_back(std::move(rendered));
}

void BandRenderer::resolveDeferred(PreparedReport &report, const std::vector<DeferredPlacement> &placed)
{
    const auto saved = deferredObjects;
    deferredObjects.clear();
    for (const DeferredPlacement &p : placed) {
        const DeferredText &d = m_deferred.at(size_t(p.deferred));
        m_context.band = d.band;
        m_context.page = d.page;
        m_context.line = d.line;
        m_context.lineThrough = d.lineThrough;
        m_context.column = d.column;
        m_context.curY = d.curY;
        m_context.freeSpace = d.freeSpace;
        auto *target = std::get_if<TextItem>(&report.pages.at(p.page).items.at(p.item));
        if (!target)
            continue;
        Placed again {d.object, {}, 0.0};
        try {
            renderContent(*d.object, std::get<TextObject>(d.object->content), again);
        } catch (const ExpressionError &e) {
            throw e.withContext(
                u"Objekt %1 v pásu %2: "_s.arg(objectName(*d.object), d.band ? d.band->name : QString()));
        }
        TextItem filled = std::get<TextItem>(again.items.front().item);
        filled.rect = target->rect; // placed on the page, the same size
        *target = std::move(filled);
    }
    deferredObjects = saved;
}

QImage BandRenderer::image(const ReportObject &obj, const PictureObject &p, QByteArray &encoded)
{
    if (!p.source.trimmed().isEmpty()) {
        const QString path = expand(p.source).trimmed();
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
            return {};
        encoded = file.readAll();
        return QImage::fromData(encoded);
    }
    encoded = p.data;
    auto it = m_images.find(&obj);
    if (it == m_images.end()) {
        QImage decoded = QImage::fromData(p.data);
        if (decoded.isNull() && !p.data.isEmpty())
            m_warnings << u"Obrázek %1 nelze přečíst."_s.arg(objectName(obj));
        it = m_images.emplace(&obj, decoded).first;
    }
    return it->second;
}

void BandRenderer::renderContent(const ReportObject &obj, const PictureObject &p, Placed &out)
{
    ImageItem item;
    item.rect = obj.rect;
    item.image = image(obj, p, item.encoded);
    item.format = p.format;
    if (item.format.isEmpty() && !item.encoded.isEmpty()) {
        QBuffer buffer(&item.encoded);
        item.format = QImageReader::imageFormat(&buffer).toUpper();
    }
    item.keepAspectRatio = p.keepRatio;
    item.center = p.center;
    item.stretch = p.stretch;
    if (!item.image.isNull())
        out.items.push_back({item, {}, 0.0, 0.0});
    if (obj.frame.any() || obj.fill.alpha() > 0)
        renderContent(obj, ShapeObject(), out);
}

void BandRenderer::renderContent(const ReportObject &obj, const LineObject &, Placed &out)
{
    LineItem line;
    const QRectF r = obj.rect;
    line.from = r.topLeft();
    line.to = r.width() >= r.height() ? r.topRight() : r.bottomLeft();
    line.widthMm = obj.frame.widthMm;
    line.color = obj.frame.color;
    line.style = obj.frame.style;
    out.items.push_back({line, {}, 0.0, 0.0});
}

void BandRenderer::renderContent(const ReportObject &obj, const ShapeObject &s, Placed &out)
{
    ShapeItem item;
    item.shape = s.shape;
    item.rect = obj.rect;
    item.fill = obj.fill;
    item.stroke = obj.frame.color;
    item.strokeWidthMm = obj.frame.widthMm;
    item.cornerRadiusMm = s.cornerRadiusMm;
    out.items.push_back({item, {}, 0.0, 0.0});
}

void BandRenderer::renderContent(const ReportObject &obj, const CheckBoxObject &c, Placed &out)
{
    const QString &expression = c.expression.trimmed();
    const bool on = !expression.isEmpty() && ticked(m_cache.expression(expression).evaluate(m_context));
    ShapeItem box;
    box.rect = obj.rect;
    box.fill = obj.fill;
    box.stroke = obj.frame.color;
    box.strokeWidthMm = obj.frame.widthMm;
    out.items.push_back({box, {}, 0.0, 0.0});
    if (!on)
        return;
    const QRectF r = obj.rect.adjusted(obj.rect.width() * 0.2, obj.rect.height() * 0.2, -obj.rect.width() * 0.2,
                                       -obj.rect.height() * 0.2);
    const double w = std::max(0.2, std::min(r.width(), r.height()) / 6.0);
    auto mark = [&](QPointF a, QPointF b) {
        LineItem line;
        line.from = a;
        line.to = b;
        line.widthMm = w;
        line.color = c.checkColor;
        out.items.push_back({line, {}, 0.0, 0.0});
    };
    if (c.crossStyle) {
        mark(r.topLeft(), r.bottomRight());
        mark(r.bottomLeft(), r.topRight());
    } else {
        const QPointF knee(r.left() + r.width() * 0.35, r.bottom());
        mark(QPointF(r.left(), r.top() + r.height() * 0.55), knee);
        mark(knee, r.topRight());
    }
}

void BandRenderer::renderContent(const ReportObject &obj, const BarcodeObject &b, Placed &out)
{
    const QString data = expand(b.expression).trimmed();
    if (data.isEmpty()) {
        // Nothing to encode for this record (an empty field): the object stays empty.
        renderFrame(obj, out);
        return;
    }
    // Encoded upright in a box of the object's size turned by the angle, then turned into place
    // around the object's centre.
    const bool sideways = b.angle == 90 || b.angle == 270;
    const QRectF box =
        sideways ? QRectF(QPointF(0, 0), obj.rect.size().transposed()) : QRectF(QPointF(0, 0), obj.rect.size());
    const BarcodeSymbol symbol = makeBarcode(b.type, data, box, b.showText, b.checksum);
    const auto place = [&](const QRectF &r) {
        switch (b.angle) {
        case 90: // bottom to top: the symbol's left edge at the object's bottom
            return QRectF(obj.rect.left() + r.top(), obj.rect.bottom() - r.right(), r.height(), r.width());
        case 180:
            return QRectF(obj.rect.right() - r.right(), obj.rect.bottom() - r.bottom(), r.width(), r.height());
        case 270: // top to bottom
            return QRectF(obj.rect.right() - r.bottom(), obj.rect.top() + r.left(), r.height(), r.width());
        default:
            return r.translated(obj.rect.topLeft());
        }
    };
    if (obj.fill.alpha() > 0) {
        ShapeItem background;
        background.rect = obj.rect;
        background.fill = obj.fill;
        background.stroke = Qt::transparent;
        out.items.push_back({background, {}, 0.0, 0.0});
    }
    ShapeItem bar;
    bar.fill = Qt::black;
    bar.stroke = Qt::transparent;
    for (const QRectF &r : symbol.bars) {
        bar.rect = place(r);
        out.items.push_back({bar, {}, 0.0, 0.0});
    }
    if (!symbol.text.isEmpty()) {
        TextItem text;
        text.rect = place(symbol.textRect);
        text.text = symbol.text;
        FontSpec font;
        font.sizePt = std::clamp(symbol.textRect.height() / 0.3528 * 0.8, 4.0, 10.0);
        text.font = toQFont(font);
        text.alignment = Qt::AlignCenter;
        text.wordWrap = false;
        // Texts turn only by 90°; under 270° the line reads bottom to top as well.
        text.rotation = sideways ? 90 : 0;
        out.items.push_back({text, {}, 0.0, 0.0});
    }
    renderFrame(obj, out);
}

void BandRenderer::renderFrame(const ReportObject &obj, Placed &out)
{
    if (!obj.frame.any())
        return;
    TextItem frame;
    frame.rect = obj.rect;
    frame.frame = obj.frame;
    out.items.push_back({frame, {}, 0.0, 0.0});
}

void BandRenderer::renderContent(const ReportObject &obj, const RichTextObject &r, Placed &out)
{
    RichTextItem item;
    item.rect = obj.rect;
    item.html = m_cache.richText(r.html).expand(m_context);
    item.fill = obj.fill;
    item.frame = obj.frame;
    out.items.push_back({item, {}, 0.0, 0.0});
}

void BandRenderer::renderContent(const ReportObject &obj, const SubreportObject &s, Placed &out)
{
    if (!subreport)
        return;
    RenderedBand block = subreport(s, obj);
    for (RenderedItem &item : block.items) {
        item.setRect(item.rect().translated(obj.rect.topLeft()));
        out.items.push_back(std::move(item));
    }
    out.growth = std::max(0.0, block.height - obj.rect.height());
}

} // namespace ergotab::report
