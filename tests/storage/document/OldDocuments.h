#pragma once

#include <QString>

#include <array>
#include <vector>

namespace ergotab::test {

// One Object row as the documents of versions 0 to 2 held it: sixteen factors.
struct OldRow
{
    int index = 0;
    int upLink = 0;
    int type = 0;
    QString text;
    std::array<int, 16> fak {};
    int pracov = 0;
    int zen = 0;
    QString popis, mereni, opatreni;
};

// Writes a document file of the given old layout (0, 1 or 2) with one worker linked to the
// first assessment. `versionFile` < 0 leaves Version.Inf out; otherwise its first line.
void writeOldDocument(const QString &tvoPath, int layout, const std::vector<OldRow> &rows, int versionFile);

} // namespace ergotab::test
