#pragma once

#include <QString>

#include <optional>

// Path handling for members: what the directory records about an added file, and where an
// extracted member may go. Names come from files of unknown origin, so every name that leaves
// the container is checked here before it touches the file system.
namespace ergotab::archive {

// "C:\dir\sub\file.dbf" -> "C:\dir\sub\"; both '/' and '\' separate folders.
QString folderPart(const QString &path);
// Everything up to and including the first ':' removed ("C:\dir\" -> "\dir\").
QString withoutDrive(const QString &folder);
// File name after the last separator.
QString namePart(const QString &path);

// Doubled separators reduced to one and one trailing separator removed. A leading pair stays,
// so a network path keeps its meaning.
QString collapseSeparators(const QString &folder);

// A member name that is safe to create inside the destination folder: not empty, not "." or
// "..", without separators, drive colons or control characters. nullopt for anything else.
std::optional<QString> safeMemberName(const QString &name);

// A recorded folder turned into a relative path below the destination: empty and "." parts are
// dropped; "..", drive colons and control characters refuse the whole path.
std::optional<QString> safeSubfolder(const QString &filePath);

} // namespace ergotab::archive
