#pragma once

#include <QString>

// The container's messages, in English as users of the format know them from other
// installations. Kept in one place so the texts stay identical everywhere.
namespace ergotab::archive::msg {

inline QString noArchiveOpen()
{
    return QStringLiteral("No archive is currently open");
}
inline QString indexOutOfBounds()
{
    return QStringLiteral("Index out of bounds");
}
inline QString archiveNotFound()
{
    return QStringLiteral("Archive file not found");
}
inline QString unableToOpen(const QString &file)
{
    return QStringLiteral("Unable to open file (%1)").arg(file);
}
inline QString archiveCorrupted()
{
    return QStringLiteral("The archive file appears to be corrupted");
}
inline QString unableToReadList()
{
    return QStringLiteral("Unable to read archive file list");
}
inline QString unableToCreatePath()
{
    return QStringLiteral("Unable to create destination path");
}
inline QString fileCorrupt(int position)
{
    return QStringLiteral("File (%1) is corrupt").arg(position);
}
inline QString fileAlreadyExists()
{
    return QStringLiteral("File already exists");
}
inline QString alreadyInArchive(const QString &item)
{
    return QStringLiteral("%1 already exists in the archive").arg(item);
}
// Writing failures are reported instead of being lost, so callers never believe a file was saved.
inline QString unableToWriteArchive(const QString &file)
{
    return QStringLiteral("Unable to write archive file (%1)").arg(file);
}
inline QString unableToWriteFile(const QString &file)
{
    return QStringLiteral("Unable to write file (%1)").arg(file);
}

inline QString extractingRegistry()
{
    return QStringLiteral("Extracting archive registry");
}
inline QString extracting(const QString &name)
{
    return QStringLiteral("Extracting %1").arg(name);
}
inline QString updating(const QString &item)
{
    return QStringLiteral("Updating %1").arg(item);
}
inline QString writingRegistry()
{
    return QStringLiteral("Writing archive registry");
}

} // namespace ergotab::archive::msg
