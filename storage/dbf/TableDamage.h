#pragma once

#include <QString>

namespace ergotab::dbf {

// What of a table could not be read: rows its header counts that the file no longer holds
// (a file cut short), and memo texts of live rows that cannot be read, such as a pointer
// leading past the end of the memo file.
struct TableDamage
{
    QString table;    // file name of the table, e.g. "Object.dbf"
    QString memoFile; // file name of its memo file; empty without one
    qint64 rowsInHeader = 0;
    qint64 rowsInFile = 0; // whole rows the file holds
    int unreadableMemos = 0;

    bool rowsMissing() const { return rowsInFile < rowsInHeader; }
    bool isDamaged() const { return rowsMissing() || unreadableMemos > 0; }
};

// Reads the table through and reports what could not be read; the files are left as they are.
// A table that cannot be opened at all raises the engine's error.
TableDamage inspectTable(const QString &path);

// Turns the table into what could be read: the header counts only the rows the file holds, and
// memo fields that cannot be read are emptied. Meant for a working copy, never the user's file.
void salvageTable(const QString &path, const TableDamage &damage);

} // namespace ergotab::dbf
