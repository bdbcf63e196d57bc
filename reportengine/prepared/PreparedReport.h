#pragma once

// A prepared report: finished pages of positioned items, independent of any device.
// The layout engine produces it; the renderers (screen, printer, PDF, HTML, RTF) and the
// prepared-report file consume it. All lengths are millimetres from the page's top-left corner.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

namespace ergotab::report {

// Which sides of a rectangle carry a frame line, and how it is drawn.
struct FrameStyle
{
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double widthMm = 0.2;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;

    bool any() const { return left || top || right || bottom; }
    bool operator==(const FrameStyle &) const = default;
};

// A block of text laid out inside its rectangle. The font's size is in points; the text is
// final (expressions already evaluated, formats applied). A transparent fill paints nothing.
struct TextItem
{
    QRectF rect;
    QString text;
    QFont font;
    QColor color = Qt::black;
    QColor fill = Qt::transparent;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = true;
    int rotation = 0; // 0 or 90 (read bottom to top)
    FrameStyle frame;
};

struct LineItem
{
    QPointF from;
    QPointF to;
    double widthMm = 0.2;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
};

// Rectangles, rounded rectangles, ellipses, triangles and diagonals; check boxes and bar codes
// are laid out as shapes and lines too, so renderers need nothing special for them.
struct ShapeItem
{
    enum class Shape { Rectangle, RoundedRectangle, Ellipse, Triangle, DiagonalDown, DiagonalUp };
    Shape shape = Shape::Rectangle;
    QRectF rect;
    QColor fill = Qt::transparent;
    QColor stroke = Qt::black; // transparent: no outline
    double strokeWidthMm = 0.2;
    double cornerRadiusMm = 2.0;
};

// A picture placed into its rectangle. `encoded` keeps the template's original bytes (PNG, JPEG,
// BMP) so exports can embed them without recompressing; `image` is the decoded picture.
struct ImageItem
{
    QRectF rect;
    QImage image;
    QByteArray encoded;
    QByteArray format; // "PNG", "JPEG" or "BMP": what `encoded` holds
    bool keepAspectRatio = true;
    bool center = true;
    bool stretch = true;
};

// Rich text kept as HTML (expressions already evaluated), drawn into its rectangle.
struct RichTextItem
{
    QRectF rect;
    QString html;
    QColor fill = Qt::transparent;
    FrameStyle frame;
};

using PreparedItem = std::variant<TextItem, LineItem, ShapeItem, ImageItem, RichTextItem>;

struct PreparedPage
{
    QSizeF sizeMm {210.0, 297.0};
    std::vector<PreparedItem> items;
};

struct PreparedReport
{
    QString title;
    std::vector<PreparedPage> pages;
};

} // namespace ergotab::report
