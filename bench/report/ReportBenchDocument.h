#pragma once

namespace ergotab {
class Document;
}

namespace ergotab::bench {

// Fills an empty document with `nodes` nodes (ten at the top level, the rest three levels
// deep) and `assessments` assessments spread evenly over them, each with factor masks, head
// counts and short measurement and measure texts, in the physical order a user makes them:
// a node, then the assessments under it.
void fillReportDocument(Document &document, int nodes, int assessments);

} // namespace ergotab::bench
