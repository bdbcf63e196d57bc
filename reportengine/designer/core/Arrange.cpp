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

QPointF handlePoint(const QRectF &r, Handle handle)
{
    const double cx = r.center().x();
    const double cy = r.center().y();
    switch (handle) {
    case Handle::TopLeft:
        return r.topLeft();
    case Handle::Top:
        return {cx, r.top()};
    case Handle::TopRight:
        return r.topRight();
    case Handle::Right:
        return {r.right(), cy};
    case Handle::BottomRight:
        return r.bottomRight();
    case Handle::Bottom:
        return {cx, r.bottom()};
    case Handle::BottomLeft:
        return r.bottomLeft();
    case Handle::Left:
        return {r.left(), cy};
    }
    return r.center();
}

QRectF draggedByHandle(const QRectF &rect, Handle handle, QPointF delta)
{
    const bool left = handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
    const bool right = handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
    const bool top = handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
    const bool bottom = handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight;
    QRectF r = rect.normalized();
    if (left)
        r.setLeft(std::min(r.left() + delta.x(), r.right()));
    if (right)
        r.setRight(std::max(r.right() + delta.x(), r.left()));
    if (top)
        r.setTop(std::min(r.top() + delta.y(), r.bottom()));
    if (bottom)
        r.setBottom(std::max(r.bottom() + delta.y(), r.top()));
    return r;
}

QRectF boundingBox(const std::vector<QRectF> &rects)
{
    if (rects.empty())
        return {};
    double left = rects.front().left(), top = rects.front().top();
    double right = rects.front().right(), bottom = rects.front().bottom();
    for (const QRectF &r : rects) {
        left = std::min(left, r.left());
        top = std::min(top, r.top());
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

namespace {

// A coordinate between `from0` and `from1` taken to the same place between `to0` and `to1`;
// the ends map exactly, so an object along the box's edge stays on it.
double mapped(double v, double from0, double from1, double to0, double to1)
{
    if (v == from0)
        return to0;
    if (v == from1)
        return to1;
    return to0 + (v - from0) * (to1 - to0) / (from1 - from0);
}

} // namespace

std::vector<QRectF> scaledInto(std::vector<QRectF> rects, const QRectF &from, const QRectF &to)
{
    for (QRectF &r : rects) {
        if (from.width() > 0) {
            const double l = mapped(r.left(), from.left(), from.right(), to.left(), to.right());
            const double rt = mapped(r.right(), from.left(), from.right(), to.left(), to.right());
            r.setLeft(l);
            r.setRight(rt);
        } else {
            r.translate(to.left() - from.left(), 0);
        }
        if (from.height() > 0) {
            const double t = mapped(r.top(), from.top(), from.bottom(), to.top(), to.bottom());
            const double b = mapped(r.bottom(), from.top(), from.bottom(), to.top(), to.bottom());
            r.setTop(t);
            r.setBottom(b);
        } else {
            r.translate(0, to.top() - from.top());
        }
    }
    return rects;
}

} // namespace ergotab::report::designer
