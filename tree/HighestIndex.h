#pragma once

namespace ergotab {
class Document;
namespace dbf {
class Table;
}
} // namespace ergotab

namespace ergotab::tree {

// The highest Index of the table, 0 when it has no rows. With a cache (-1 = unknown) a known
// value is returned at once and a scanned one is remembered. A scan switches the filter off,
// clears its text and leaves the cursor at the end: callers position the table again.
int HighestIndex(dbf::Table &table, int *cache = nullptr);

// The document's Object and Worker tables with their cached values.
int HighestObjectIndex(Document &document);
int HighestWorkerIndex(Document &document);

} // namespace ergotab::tree
