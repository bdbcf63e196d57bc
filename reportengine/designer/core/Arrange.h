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

// `value` to the nearest multiple of `step` (step 0: unchanged).
double snapped(double value, double step);

} // namespace ergotab::report::designer
