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

// Copies a file over another; the target is replaced only once the copy is complete.
void copyFileOver(const QString &source, const QString &target);

// A working folder for the length of one operation, removed with every file in it however
// the operation ends.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // With a trailing separator.
    const QString &path() const { return m_path; }
    QString file(const QString &name) const { return m_path + name; }

private:
    QString m_path;
};

} // namespace ergotab
