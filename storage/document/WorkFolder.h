#pragma once

#include <QString>

namespace ergotab {

// A new, empty, uniquely named folder "TVO" + hex + ".TMP" in the system's temporary folder.
// Returned without a trailing separator.
QString CreateWorkFolder();

// The same with another three-letter prefix ("CLP" for the clipboard).
QString createUniqueTempFolder(const QString &prefix);

// Removes the folder when it is empty; a folder that still holds files stays.
void removeWorkFolder(const QString &path);

// Deletes the named files from a folder, skipping those that are missing.
void deleteFiles(const QString &folderWithSeparator, const QStringList &names);

} // namespace ergotab
