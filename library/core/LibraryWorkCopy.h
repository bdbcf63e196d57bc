#pragma once

#include "storage/Progress.h"
#include "storage/dbf/Table.h"

#include <QString>

namespace ergotab::library {

// The library the program runs with: Library.LIB unpacked into a working folder of its own,
// with LibTable on its sample table and OpatTable on its templates, open from start-up to
// the end. Samples are only read; templates are edited in place and packed back on request.
class LibraryWorkCopy
{
public:
    LibraryWorkCopy() = default;
    ~LibraryWorkCopy();
    LibraryWorkCopy(const LibraryWorkCopy &) = delete;
    LibraryWorkCopy &operator=(const LibraryWorkCopy &) = delete;

    // Makes the working folder, unpacks the file into it and opens both tables, creating a
    // table empty when the file lacks it. A missing or damaged file (or a table in it that
    // cannot be opened) leaves both tables empty and open: the program still starts. Returns
    // the container's or the engine's message in that case, otherwise an empty text.
    QString open(const QString &libraryFile, ProgressSink *progress = nullptr);
    // Closes the tables, deletes their files and removes the folder.
    void close();
    bool isOpen() const { return !m_folder.isEmpty(); }

    // With a trailing separator.
    const QString &folder() const { return m_folder; }
    dbf::Table &LibTable() { return m_libTable; }
    dbf::Table &OpatTable() { return m_opatTable; }

    // Packs the working copy (the unchanged samples and the edited templates) into the file,
    // which is replaced only once the new one is complete. The tables are open again
    // afterwards, also when writing failed; the failure is raised with its message.
    void saveInto(const QString &libraryFile, ProgressSink *progress = nullptr);

private:
    void openTables();
    void closeTables();
    void replaceByEmptyTables();

    QString m_folder;
    dbf::Table m_libTable;
    dbf::Table m_opatTable;
};

} // namespace ergotab::library
