#include "reportengine/layout/RenderedBand.h"

#include <algorithm>
#include <cmath>

namespace ergotab::report {

namespace {

constexpr double epsilon = 1e-6;

QRectF lineRect(const LineItem &l)
{
    return QRectF(l.from, l.to).normalized();
}

} // namespace

QRectF RenderedItem::rect() const
{
    return std::visit(
        [](const auto &i) -> QRectF {
            if constexpr (std::is_same_v<std::decay_t<decltype(i)>, LineItem>)
                return lineRect(i);
            else
                return i.rect;
        },
        item);
}

void RenderedItem::setRect(const QRectF &r)
{
    std::visit(
        [&](auto &i) {
            if constexpr (std::is_same_v<std::decay_t<decltype(i)>, LineItem>) {
                const QPointF shift = r.topLeft() - lineRect(i).topLeft();
                i.from += shift;
                i.to += shift;
                // A vertical line follows the height it is given.
                if (std::abs(i.from.x() - i.to.x()) < epsilon)
                    (i.from.y() < i.to.y() ? i.to : i.from).setY(r.bottom());
            } else
                i.rect = r;
        },
        item);
}

RenderedBand::Parts RenderedBand::split(double cut, bool force) const
{
    // Texts crossing the cut are cut between lines; the band is cut at the highest such line
    // end, so what stands below a text stays below it on the next page.
    for (const RenderedItem &source : items) {
        const QRectF r = source.rect();
        if (!std::holds_alternative<TextItem>(source.item) || source.lineHeight <= 0 || r.top() >= cut - epsilon ||
            r.bottom() <= cut + epsilon)
            continue;
        const double lines = std::floor((cut - r.top() - source.padding) / source.lineHeight + epsilon);
        const double lineEnd = r.top() + source.padding + std::max(lines, 0.0) * source.lineHeight;
        if (lines >= 1 && lineEnd < cut)
            cut = lineEnd;
    }
    Parts parts;
    parts.upper.height = cut;
    double lowerHeight = std::max(height - cut, 0.0);
    for (const RenderedItem &source : items) {
        const QRectF r = source.rect();
        if (r.bottom() <= cut + epsilon) {
            parts.upper.items.push_back(source);
            continue;
        }
        if (r.top() >= cut - epsilon) {
            RenderedItem moved = source;
            moved.setRect(r.translated(0, -cut));
            parts.lower.items.push_back(moved);
            lowerHeight = std::max(lowerHeight, r.bottom() - cut);
            continue;
        }
        // The item crosses the cut.
        auto *text = std::get_if<TextItem>(&source.item);
        if (text && source.lineHeight > 0 && !source.lines.isEmpty()) {
            const double room = cut - r.top() - source.padding;
            qsizetype fit = std::clamp<qsizetype>(
                static_cast<qsizetype>(std::floor(room / source.lineHeight + epsilon)), 0, source.lines.size());
            if (fit == 0 && force && r.top() <= epsilon)
                fit = 1;
            if (fit > 0) {
                RenderedItem head = source;
                head.lines = source.lines.mid(0, fit);
                std::get<TextItem>(head.item).text = head.lines.join(u'\n');
                head.setRect(QRectF(r.left(), r.top(), r.width(), cut - r.top()));
                parts.upper.items.push_back(head);
                parts.clipped = parts.clipped || fit * source.lineHeight > room + epsilon;
            }
            if (fit < source.lines.size()) {
                RenderedItem tail = source;
                tail.lines = source.lines.mid(fit);
                tail.padding = 0.0;
                std::get<TextItem>(tail.item).text = tail.lines.join(u'\n');
                const double h = std::max(tail.lines.size() * source.lineHeight, r.bottom() - cut);
                tail.setRect(QRectF(r.left(), fit > 0 ? 0.0 : std::max(r.top() - cut, 0.0), r.width(), h));
                lowerHeight = std::max(lowerHeight, tail.rect().bottom());
                parts.lower.items.push_back(tail);
            }
            continue;
        }
        if (force && r.top() <= epsilon) {
            // Taller than any page and indivisible: what fits is kept, the rest is lost.
            RenderedItem head = source;
            head.setRect(QRectF(r.left(), r.top(), r.width(), cut - r.top()));
            parts.upper.items.push_back(head);
            parts.clipped = true;
            continue;
        }
        RenderedItem moved = source;
        moved.setRect(QRectF(r.left(), 0.0, r.width(), r.height()));
        parts.lower.items.push_back(moved);
        lowerHeight = std::max(lowerHeight, r.height());
    }
    parts.lower.height = lowerHeight;
    return parts;
}

void RenderedBand::placeOn(PreparedPage &page, QPointF offset) const
{
    for (const RenderedItem &source : items) {
        RenderedItem moved {source.item, {}, 0.0, 0.0}; // the lines are not needed any more
        moved.setRect(source.rect().translated(offset));
        page.items.push_back(std::move(moved.item));
    }
}

} // namespace ergotab::report
