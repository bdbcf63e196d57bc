#pragma once

#include "storage/Progress.h"

#include <QString>

#include <functional>

namespace ergotab::dbf {
class Table;
}

namespace ergotab::tree {

// Told of every row the transfer posts to the destination, in the order they are made, so a
// tree can add the row's item as the last child of its parent's item.
using RowAdded = std::function<void(int index, int upLink, int type, const QString &text)>;

struct TransferTarget
{
    dbf::Table &table;
    int parent = 0;              // UpLink of the copied top record
    int *highestIndex = nullptr; // the destination's cached highest Index (-1 unknown), if kept
    RowAdded rowAdded;           // optional
};

// TransferSubtree: copies the row of `source` whose Index is `start`, with everything below it,
// into the destination under `target.parent`. The copies get new Index values, one above the
// destination's highest each, in this order: the top record; then at each level the nodes,
// each followed at once by everything below it, then the assessments; within a group in the
// source's physical order. UpLink values name the copies of the source parents. Fields are
// copied where both tables have them; Pracov and Zen read 0 and the texts "" where only the
// destination has them. A source whose rows form a cycle copies each row once.
// Returns the number of rows copied (0 when there is no row `start`).
int TransferSubtree(dbf::Table &source, int start, const TransferTarget &target, ProgressSink *progress);

} // namespace ergotab::tree
