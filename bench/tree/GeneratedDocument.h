#pragma once

#include <vector>

namespace ergotab {
class Document;
}

namespace ergotab::bench {

// The shape of a generated document: ten top-level nodes of equal size, each a tree of nodes
// with four child nodes and six assessments apiece, breadth first, and one Link row for every
// fifth assessment.
struct GeneratedShape
{
    std::vector<int> index, upLink, type; // per row, in row order
    std::vector<int> subtreeSize;         // by Index: rows in the subtree of that row
};

GeneratedShape generateShape(int rows);
// Appends the rows (and their Link rows) to the document's empty tables.
void fillDocument(Document &document, const GeneratedShape &shape);
// The node whose subtree size is nearest to the wanted count.
int nodeWithSubtreeNear(const GeneratedShape &shape, int wanted);

} // namespace ergotab::bench
