#pragma once

// The objects a report band holds. Lengths are millimetres; an object's rectangle is relative
// to the top-left corner of its band. Texts keep their `[expression]` parts unevaluated.

#include "reportengine/barcode/BarcodeType.h"
#include "reportengine/model/XmlNode.h"
#include "reportengine/prepared/PreparedReport.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <variant>

namespace ergotab::report {

struct FontSpec
{
    QString family = QStringLiteral("Arial");
    double sizePt = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec &) const = default;
};

enum class HAlign { Left, Right, Center, Justify };
enum class VAlign { Top, Center, Bottom };

// A different look for a text while its condition is true (non-zero).
struct Highlight
{
    QString condition; // empty: no highlight
    FontSpec font;
    QColor color = Qt::black;
    QColor fill = Qt::transparent;

    bool operator==(const Highlight &) const = default;
};

struct TextObject
{
    QString text; // lines separated by '\n', with [expression] parts
    FontSpec font;
    QColor color = Qt::black;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    int rotation = 0;       // 0 or 90
    bool autoSize = false;  // the width follows the text
    bool stretch = false;   // the height follows the text and grows the band
    bool plainText = false; // printed as written, [..] not evaluated
    bool hideZeros = false;
    bool suppressRepeated = false; // printed empty when it would repeat the text printed before
    QString displayFormat;         // as after '#' in an expression: "N2,2", "N#,##0.00", "Ddd.mm.yyyy", "Bne;ano"
    Highlight highlight;

    bool operator==(const TextObject &) const = default;
};

struct PictureObject
{
    QByteArray data;   // the file's bytes as embedded
    QByteArray format; // "PNG", "JPEG" or "BMP"
    QString source;    // an expression naming a picture file at run time; empty for the embedded one
    bool stretch = true;
    bool keepRatio = true;
    bool center = true;

    bool operator==(const PictureObject &) const = default;
};

// Drawn along the top edge of its rectangle when wider than tall, else along the left edge;
// width, colour and style come from the object's frame.
struct LineObject
{
    bool operator==(const LineObject &) const = default;
};

struct ShapeObject
{
    ShapeItem::Shape shape = ShapeItem::Shape::Rectangle;
    double cornerRadiusMm = 2.0;

    bool operator==(const ShapeObject &) const = default;
};

struct CheckBoxObject
{
    QString expression; // ticked when the value is true / non-zero / a text not starting with '0'
    bool crossStyle = true;
    QColor checkColor = Qt::black;

    bool operator==(const CheckBoxObject &) const = default;
};

struct BarcodeObject
{
    BarcodeType type = BarcodeType::Code128;
    QString expression; // text with [expression] parts giving the data
    bool checksum = true;
    bool showText = true;
    int angle = 0; // 0, 90, 180 or 270

    bool operator==(const BarcodeObject &) const = default;
};

struct RichTextObject
{
    QString html; // with [expression] parts

    bool operator==(const RichTextObject &) const = default;
};

// Prints another report page of the template inside this rectangle.
struct SubreportObject
{
    QString page; // the name of that page

    bool operator==(const SubreportObject &) const = default;
};

using ObjectContent = std::variant<TextObject, PictureObject, LineObject, ShapeObject, CheckBoxObject, BarcodeObject,
                                   RichTextObject, SubreportObject>;

struct ReportObject
{
    QString name;
    QRectF rect;
    bool visible = true;
    // Printed only while this expression is true (templates of the earlier engine said so in a
    // script setting Visible).
    QString printIf;
    FrameStyle frame;
    QColor fill = Qt::transparent;
    QString script; // kept as written by the earlier engine; never run
    QString tag;
    ObjectContent content;
    UnknownXml unknown;

    bool operator==(const ReportObject &) const = default;
};

} // namespace ergotab::report
