#pragma once

class QString;

namespace ergotab {
class Document;
namespace dbf {
class Table;
}
} // namespace ergotab

namespace ergotab::tree {

enum RecordType : int { NodeType = 0, AssessmentType = 1 };

// Switches the filter off, clears its text and moves to the row with that Index.
bool locateObject(dbf::Table &objects, int index);

// The placement rule: the UpLink of a row added while the item with that Index is selected.
// Under a node; beside an assessment (its own UpLink); the top level (0) when nothing is
// selected (selectedIndex 0) or the row cannot be found.
int placementParent(dbf::Table &objects, int selectedIndex);

// The next free Index of the document's Object table. Callers that append a row with it call
// recordObjectIndex afterwards, so the same value is never handed out twice.
int nextObjectIndex(Document &document);
void recordObjectIndex(Document &document, int index);

// NewObjectRecord: appends an empty record of the type under the given parent, posts it
// (which sets the modified flag) and returns its new Index.
int NewObjectRecord(Document &document, int type, int upLink);

} // namespace ergotab::tree
