#pragma once

#include "storage/dbf/Table.h"

#include <functional>
#include <memory>

namespace ergotab {

// The three open tables of one document: Object, Worker and Link, in that order.
struct DocumentTables
{
    std::unique_ptr<dbf::Table> object;
    std::unique_ptr<dbf::Table> worker;
    std::unique_ptr<dbf::Table> link;
};

// Field layouts exactly as the program creates them.
// Index … Opatreni, with the index "UPLINK" on UpLink unless told otherwise.
void defineObjectTable(dbf::Table &table, bool withIndex = true);
void defineWorkerTable(dbf::Table &table);
void defineLinkTable(dbf::Table &table);
// The library's sample table: the first seventeen Object fields, no memo, no index.
void defineLibraryObjectTable(dbf::Table &table);

using AfterPostHandler = std::function<void(dbf::Table &)>;

// Creates the three tables empty in the folder (which ends with a separator), replacing what
// was there, opens them and attaches the after-post handler to each. Empty handles are made.
void CreateDocumentTables(DocumentTables &tables, const QString &folderWithSeparator,
                          const AfterPostHandler &afterPost);

// A document may come without Worker.dbf or Link.dbf (older versions and other programs wrote
// none when empty): each one missing is created empty beside Object.dbf. The handles, made by
// CreateDocumentTables, are closed.
void CreateMissingSideTables(DocumentTables &tables);

// Closes and frees the three tables, empties the handles and deletes the document's files
// from the folder (missing ones skipped). The folder itself stays for the caller.
void DeleteDocumentTables(DocumentTables &tables, const QString &folderWithSeparator);

// The files of a document in the order they are packed.
QStringList documentMemberNames();
// Every file a document may leave in its working folder, for clean-up.
QStringList documentFileNames();

} // namespace ergotab
