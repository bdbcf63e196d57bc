#pragma once

// One band as printed for one record: its items with their final texts, placed relative to
// the band's top-left corner, and the band's height after stretching. A band that does not
// fit is cut in two here: texts at their line boundaries, other objects moved below the cut
// or, when the cut is forced, clipped.

#include "reportengine/prepared/PreparedReport.h"

#include <QStringList>

#include <vector>

namespace ergotab::report {

struct RenderedItem
{
    PreparedItem item;
    // Texts that may be cut between lines: their lines and the height of one line.
    QStringList lines;
    double lineHeight = 0.0;
    double padding = 0.0; // above the first line
    int deferred = -1;    // a text filled in after the pages are counted (BandRenderer)

    QRectF rect() const;
    void setRect(const QRectF &rect);
};

struct RenderedBand
{
    double height = 0.0;
    std::vector<RenderedItem> items;

    struct Parts;
    // The part above `cut` and the rest, moved up to start at 0. With `force` the part above
    // holds at least something even when no text line fits: a line or an object clipped to
    // the cut (`clipped` tells the caller to warn).
    Parts split(double cut, bool force) const;

    // Appends the items to a page, moved by `offset`.
    void placeOn(PreparedPage &page, QPointF offset) const;
};

// Where a deferred text ended up: the page, the item on it, and the renderer's number for it.
struct DeferredPlacement
{
    size_t page = 0;
    size_t item = 0;
    int deferred = -1;
};

struct RenderedBand::Parts
{
    RenderedBand upper;
    RenderedBand lower;
    bool clipped = false;
};

} // namespace ergotab::report
