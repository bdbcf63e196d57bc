#pragma once

#include "storage/Progress.h"
#include "tree/DocumentEditing.h"

namespace ergotab {
namespace dbf {
class Table;
}

namespace library {

// The library window's check boxes, by the Index of a library item.
class SampleTicks
{
public:
    virtual ~SampleTicks() = default;
    virtual bool isTicked(int index) const = 0;
    virtual void untick(int index) = 0;
};

// "OK" of the library window: creates the ticked library items in the document, each under
// `destination` (the selected document item's Index, 0 for none) by the placement rule.
//
// Every record reachable from the library's top level is visited once: at each level first
// the nodes in record order, each followed at once by everything below it, then the
// assessments. A ticked node becomes a node with the library name and takes its ticked
// contents; an unticked node is passed over and its ticked contents go where it would have
// gone. A ticked assessment becomes an assessment with the name and the thirteen masks, no
// head counts and no texts. Each item created is unticked. Returns the number created.
int transferTickedSamples(dbf::Table &samples, int destination, DocumentEditing &editing, SampleTicks &ticks,
                          ProgressSink *progress = nullptr);

} // namespace library
} // namespace ergotab
