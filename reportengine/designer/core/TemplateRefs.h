#pragma once

// Where a band or an object stands in a template: indices into its vectors. Commands address
// what they change this way; an index is valid until the next change of that vector, so holders
// of references (the selection) refresh them from the model's signals.
//
// Objects outside every band belong to the page itself (templates of the earlier engine have
// them); their references carry the band index `pageLevel`, so the page's own objects are
// addressed, selected and edited as if the page were one more band.

#include <tuple>
#include <vector>

namespace ergotab::report::designer {

inline constexpr int pageLevel = -1;

struct BandRef
{
    int page = 0;
    int band = 0;

    // The page's own objects rather than a band.
    bool isPageLevel() const { return band == pageLevel; }
    static BandRef pageObjects(int page) { return {page, pageLevel}; }
    bool operator==(const BandRef &) const = default;
    bool operator<(const BandRef &o) const { return std::tie(page, band) < std::tie(o.page, o.band); }
};

struct ObjectRef
{
    int page = 0;
    int band = 0;
    int index = 0;

    bool isPageLevel() const { return band == pageLevel; }
    static ObjectRef pageObject(int page, int index) { return {page, pageLevel, index}; }
    BandRef bandRef() const { return {page, band}; }
    bool operator==(const ObjectRef &) const = default;
    bool operator<(const ObjectRef &o) const { return std::tie(page, band, index) < std::tie(o.page, o.band, o.index); }
};

using ObjectRefs = std::vector<ObjectRef>;

} // namespace ergotab::report::designer
