#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

namespace ergotab::dbf::tablefiles {

// The memo or index file that belongs to a table: an existing file with the same base name
// and the extension in any letter case, else the name a new one gets (same case as ".dbf").
QString companion(const QString &dbfPath, const QString &extension);

// Identifies a table file for the handle registry: the same file always gives the same key.
QString registryKey(const QString &path);

// Puts finished temporary files in place of their targets. Old files are moved aside first
// and restored if any step fails, so the table is either all old or all new.
void replace(const QList<QPair<QString, QString>> &tempAndTarget, const QString &tableName);

// Writes at an offset of an open, unbuffered file in one system call where the system allows.
bool writeAt(QFile &file, qint64 offset, const QByteArray &bytes);

// Writes bytes to a file completely or throws EngineError.
void writeWhole(const QString &path, const QByteArray &bytes, const QString &tableName);

} // namespace ergotab::dbf::tablefiles
