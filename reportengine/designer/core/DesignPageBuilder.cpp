#include "DesignPageBuilder.h"

#include "ObjectFactory.h"

#include "reportengine/model/QtConversions.h"

#include <QImage>

namespace ergotab::report::designer {

namespace {

// A box with a caption for objects whose printed look needs data.
TextItem placeholder(const QRectF &rect, const QString &caption, const ReportObject &object)
{
    TextItem item;
    item.rect = rect;
    item.text = caption;
    item.font = QFont(QStringLiteral("DejaVu Sans"));
    item.font.setPointSizeF(7);
    item.color = QColor(0x50, 0x60, 0x70);
    item.fill = object.fill.alpha() ? object.fill : QColor(0xf0, 0xf3, 0xf7);
    item.alignment = Qt::AlignCenter;
    item.frame = object.frame;
    if (!item.frame.any()) {
        item.frame.left = item.frame.top = item.frame.right = item.frame.bottom = true;
        item.frame.color = QColor(0xa0, 0xaa, 0xb5);
        item.frame.style = Qt::DotLine;
    }
    return item;
}

void addObject(PreparedPage &out, const ReportObject &object, const QRectF &rect)
{
    if (const auto *text = std::get_if<TextObject>(&object.content)) {
        TextItem item;
        item.rect = rect;
        item.text = text->text;
        item.font = toQFont(text->font);
        item.color = text->color;
        item.fill = object.fill;
        item.alignment = toQtAlignment(*text);
        item.wordWrap = text->wordWrap;
        item.rotation = text->rotation;
        item.frame = object.frame;
        out.items.push_back(item);
    } else if (std::holds_alternative<LineObject>(object.content)) {
        LineItem line;
        const bool horizontal = rect.width() >= rect.height();
        line.from = rect.topLeft();
        line.to = horizontal ? rect.topRight() : rect.bottomLeft();
        line.widthMm = object.frame.widthMm;
        line.color = object.frame.color;
        line.style = object.frame.style;
        out.items.push_back(line);
    } else if (const auto *shape = std::get_if<ShapeObject>(&object.content)) {
        ShapeItem item;
        item.shape = shape->shape;
        item.rect = rect;
        item.fill = object.fill;
        item.stroke = object.frame.color;
        item.strokeWidthMm = object.frame.widthMm;
        item.cornerRadiusMm = shape->cornerRadiusMm;
        out.items.push_back(item);
    } else if (const auto *picture = std::get_if<PictureObject>(&object.content)) {
        QImage image;
        if (!picture->data.isEmpty() && image.loadFromData(picture->data)) {
            ImageItem item;
            item.rect = rect;
            item.image = image;
            item.encoded = picture->data;
            item.format = picture->format;
            item.keepAspectRatio = picture->keepRatio;
            item.center = picture->center;
            item.stretch = picture->stretch;
            out.items.push_back(item);
        } else {
            out.items.push_back(placeholder(
                rect, picture->source.isEmpty() ? objectKindCaption(ObjectKind::Picture) : picture->source, object));
        }
    } else if (const auto *check = std::get_if<CheckBoxObject>(&object.content)) {
        TextItem box = placeholder(rect, QStringLiteral("✓"), object);
        box.font.setPointSizeF(std::max(4.0, rect.height() * 1.6));
        box.color = check->checkColor;
        out.items.push_back(box);
    } else if (const auto *barcode = std::get_if<BarcodeObject>(&object.content)) {
        out.items.push_back(
            placeholder(rect, objectKindCaption(ObjectKind::Barcode) + u'\n' + barcode->expression, object));
    } else if (const auto *rich = std::get_if<RichTextObject>(&object.content)) {
        RichTextItem item;
        item.rect = rect;
        item.html = rich->html;
        item.fill = object.fill;
        item.frame = object.frame;
        out.items.push_back(item);
    } else if (const auto *sub = std::get_if<SubreportObject>(&object.content)) {
        out.items.push_back(placeholder(rect, objectKindCaption(ObjectKind::Subreport) + u' ' + sub->page, object));
    }
}

} // namespace

PreparedPage designView(const ReportPage &page, const SurfaceGeometry &geometry)
{
    PreparedPage out;
    out.sizeMm = geometry.sheetMm();
    for (int b = 0; b < geometry.bandCount(); ++b)
        for (const ReportObject &object : page.bands[b].objects)
            addObject(out, object, geometry.objectRect(b, object.rect));
    // The page's own objects print over the bands, so they are drawn last.
    for (const ReportObject &object : page.objects)
        addObject(out, object, geometry.objectRect(pageLevel, object.rect));
    return out;
}

} // namespace ergotab::report::designer
