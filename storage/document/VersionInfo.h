#pragma once

#include <QString>

namespace ergotab {

constexpr int CurrentDocumentVersion = 3;

// The first line of Version.Inf in the folder as a decimal integer; 0 without the file.
// A line that is no integer raises "'<line>' is not a valid integer value".
int readDocumentVersion(const QString &folderWithSeparator);

// Writes Version.Inf as the single line "3" with CR LF.
void writeDocumentVersion(const QString &folderWithSeparator);

} // namespace ergotab
