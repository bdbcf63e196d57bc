#pragma once

#include "DocumentTables.h"
#include "storage/Progress.h"

namespace ergotab {

// Brings the document's Object table, open in the working folder, from `version` to the
// current layout: sixteen factors become thirteen, the index "UPLINK" is added. Worker and
// Link stay as they are. A version above the current one is used unchanged. Rows written by
// the conversion go through `afterPost`, so a converted document with rows is modified.
void ConvertDocument(DocumentTables &tables, const QString &workFolderWithSeparator, int version,
                     const AfterPostHandler &afterPost, ProgressSink *progress);

// Adds the index "UPLINK" on UpLink, built from the rows, where the open Object table lacks it:
// version 1 had none, and a document written by another dBase program may come without its
// index file. The index file is written into the working folder at once.
void RestoreUpLinkIndex(DocumentTables &tables);

// The thirteen current factor masks computed from the sixteen of a version-2 row
// (index 0 holds version-2 Fak01).
std::array<int, 13> mapVersion2Factors(const std::array<int, 16> &old);

} // namespace ergotab
