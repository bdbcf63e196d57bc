#include "Arrange.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ergotab::report::designer {

std::vector<QRectF> aligned(std::vector<QRectF> rects, Alignment alignment)
{
    if (rects.empty())
        return rects;
    const QRectF ref = rects.front();
    for (QRectF &r : rects) {
        switch (alignment) {
        case Alignment::Left:
            r.moveLeft(ref.left());
            break;
        case Alignment::Right:
            r.moveRight(ref.right());
            break;
        case Alignment::Top:
            r.moveTop(ref.top());
            break;
        case Alignment::Bottom:
            r.moveBottom(ref.bottom());
            break;
        case Alignment::HorizontalCentre:
            r.moveLeft(ref.center().x() - r.width() / 2);
            break;
        case Alignment::VerticalCentre:
            r.moveTop(ref.center().y() - r.height() / 2);
            break;
        }
    }
    return rects;
}

std::vector<QRectF> sameWidth(std::vector<QRectF> rects)
{
    for (QRectF &r : rects)
        r.setWidth(rects.front().width());
    return rects;
}

std::vector<QRectF> sameHeight(std::vector<QRectF> rects)
{
    for (QRectF &r : rects)
        r.setHeight(rects.front().height());
    return rects;
}

std::vector<QRectF> distributed(std::vector<QRectF> rects, Direction direction)
{
    if (rects.size() < 3)
        return rects;
    const bool horizontal = direction == Direction::Horizontal;
    auto start = [horizontal](const QRectF &r) { return horizontal ? r.left() : r.top(); };
    auto length = [horizontal](const QRectF &r) { return horizontal ? r.width() : r.height(); };

    std::vector<size_t> order(rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return start(rects[a]) < start(rects[b]); });
    const QRectF &first = rects[order.front()];
    const QRectF &last = rects[order.back()];
    double occupied = 0;
    for (const QRectF &r : rects)
        occupied += length(r);
    const double span = start(last) + length(last) - start(first);
    const double gap = (span - occupied) / double(rects.size() - 1);

    double position = start(first) + length(first) + gap;
    for (size_t i = 1; i + 1 < order.size(); ++i) {
        QRectF &r = rects[order[i]];
        horizontal ? r.moveLeft(position) : r.moveTop(position);
        position += length(r) + gap;
    }
    return rects;
}

double snapped(double value, double step)
{
    if (step <= 0)
        return value;
    return std::round(value / step) * step;
}

} // namespace ergotab::report::designer
