#pragma once

#include <QString>

namespace ergotab::test {

// Writes a document file as the program saves it, with `rows` Object rows, each with a short
// "Popis", then damaged the way files are damaged in the wild: Object.dbf cut after `keptRows`
// rows (its header still counting all of them), and Object.dbt cut after the memos of the first
// `keptMemos` rows, so the later rows' pointers lead past its end.
void writeDamagedDocument(const QString &tvoPath, int rows, int keptRows, int keptMemos);

} // namespace ergotab::test
