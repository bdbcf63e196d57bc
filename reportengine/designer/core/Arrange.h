#pragma once

// Aligning, sizing and spacing several objects: pure functions from rectangles to rectangles.
// The first rectangle is the reference (the object selected first), as in other designers.

#include <QRectF>

#include <vector>

namespace ergotab::report::designer {

enum class Alignment { Left, Right, Top, Bottom, HorizontalCentre, VerticalCentre };
enum class Direction { Horizontal, Vertical };

std::vector<QRectF> aligned(std::vector<QRectF> rects, Alignment alignment);
std::vector<QRectF> sameWidth(std::vector<QRectF> rects);
std::vector<QRectF> sameHeight(std::vector<QRectF> rects);
// The outermost two stay; those between are moved so that the gaps are equal.
std::vector<QRectF> distributed(std::vector<QRectF> rects, Direction direction);

// The eight handles around a selection, clockwise from the top-left corner.
enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
inline constexpr int handleCount = 8;

QPointF handlePoint(const QRectF &rect, Handle handle);
// The rectangle with the edges the handle holds moved by `delta`; an edge dragged past the
// opposite one stops there.
QRectF draggedByHandle(const QRectF &rect, Handle handle, QPointF delta);
// The smallest rectangle holding all (a line counts with its zero width or height).
QRectF boundingBox(const std::vector<QRectF> &rects);
// Each rectangle put where it was in `from`, in proportion, in `to`: a selection resized as one.
// Along a side where `from` has no extent the rectangles keep their size and move with it.
std::vector<QRectF> scaledInto(std::vector<QRectF> rects, const QRectF &from, const QRectF &to);

// `value` to the nearest multiple of `step` (step 0: unchanged).
double snapped(double value, double step);

} // namespace ergotab::report::designer
