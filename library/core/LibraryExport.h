#pragma once

#include "storage/Progress.h"

#include <QString>

namespace ergotab {
namespace dbf {
class Table;
}

namespace library {

// "Export do knihovny": a new library file whose sample table is a copy of the document's
// Object table (Index, UpLink, Type, Text, Fak01 … Fak13 of every row, in physical order; an
// empty mask as 0) and whose templates are those of the library file as it stands. The file
// must exist and be readable (its templates are needed); the new file replaces it only once
// complete, so a failure leaves the old one as it was and raises the reason. With `target` the
// new library is written there instead and the library file is only read.
void exportLibrary(dbf::Table &documentObjects, const QString &libraryFile, ProgressSink *progress = nullptr,
                   const QString &target = QString());

} // namespace library
} // namespace ergotab
