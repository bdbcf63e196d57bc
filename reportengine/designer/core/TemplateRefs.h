#pragma once

// Where a band or an object stands in a template: indices into its vectors. Commands address
// what they change this way; an index is valid until the next change of that vector, so holders
// of references (the selection) refresh them from the model's signals.

#include <tuple>
#include <vector>

namespace ergotab::report::designer {

struct BandRef
{
    int page = 0;
    int band = 0;

    bool operator==(const BandRef &) const = default;
    bool operator<(const BandRef &o) const { return std::tie(page, band) < std::tie(o.page, o.band); }
};

struct ObjectRef
{
    int page = 0;
    int band = 0;
    int index = 0;

    BandRef bandRef() const { return {page, band}; }
    bool operator==(const ObjectRef &) const = default;
    bool operator<(const ObjectRef &o) const { return std::tie(page, band, index) < std::tie(o.page, o.band, o.index); }
};

using ObjectRefs = std::vector<ObjectRef>;

} // namespace ergotab::report::designer
