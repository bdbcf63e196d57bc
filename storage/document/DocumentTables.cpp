#include "DocumentTables.h"

#include "FactorCatalogue.h"
#include "WorkFolder.h"

#include <QFile>

namespace ergotab {

using dbf::FieldKind;

static void addObjectHead(dbf::Table &table)
{
    table.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("UpLink"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("Type"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("Text"), FieldKind::String, 250);
    for (int n = 1; n <= FactorCount; ++n)
        table.addFieldDef(factorFieldName(n), FieldKind::Integer);
}

void defineObjectTable(dbf::Table &table, bool withIndex)
{
    table.clearDefinitions();
    addObjectHead(table);
    table.addFieldDef(QStringLiteral("Pracov"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("Zen"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("Popis"), FieldKind::Memo);
    table.addFieldDef(QStringLiteral("Mereni"), FieldKind::Memo);
    table.addFieldDef(QStringLiteral("Opatreni"), FieldKind::Memo);
    if (withIndex)
        table.addIndexDef(QStringLiteral("UPLINK"), QStringLiteral("UpLink"));
}

void defineLibraryObjectTable(dbf::Table &table)
{
    table.clearDefinitions();
    addObjectHead(table);
}

void defineWorkerTable(dbf::Table &table)
{
    table.clearDefinitions();
    table.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("PersNum"), FieldKind::String, 10);
    table.addFieldDef(QStringLiteral("FName"), FieldKind::String, 20);
    table.addFieldDef(QStringLiteral("LName"), FieldKind::String, 20);
    table.addFieldDef(QStringLiteral("Address"), FieldKind::String, 50);
    table.addFieldDef(QStringLiteral("City"), FieldKind::String, 50);
    table.addFieldDef(QStringLiteral("Zip"), FieldKind::String, 6);
    table.addFieldDef(QStringLiteral("BirthDate"), FieldKind::String, 10);
    table.addFieldDef(QStringLiteral("BirthNum"), FieldKind::String, 11);
    table.addFieldDef(QStringLiteral("RiskLen"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("LenType"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("ReviDate"), FieldKind::String, 10);
    table.addFieldDef(QStringLiteral("Result"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("Profese"), FieldKind::String, 30);
}

void defineLinkTable(dbf::Table &table)
{
    table.clearDefinitions();
    table.addFieldDef(QStringLiteral("WIndex"), FieldKind::Integer);
    table.addFieldDef(QStringLiteral("TIndex"), FieldKind::Integer);
}

static void createOne(std::unique_ptr<dbf::Table> &handle, const QString &path, void (*define)(dbf::Table &),
                      const AfterPostHandler &afterPost)
{
    if (!handle)
        handle = std::make_unique<dbf::Table>();
    handle->close();
    handle->setTableName(path);
    handle->setAfterPost(afterPost);
    handle->setFiltered(false);
    handle->setFilter(QString());
    define(*handle);
    handle->createTable();
    handle->open();
}

void CreateDocumentTables(DocumentTables &tables, const QString &folder, const AfterPostHandler &afterPost)
{
    createOne(
        tables.object, folder + QStringLiteral("Object.dbf"), [](dbf::Table &t) { defineObjectTable(t); }, afterPost);
    createOne(tables.worker, folder + QStringLiteral("Worker.dbf"), defineWorkerTable, afterPost);
    createOne(tables.link, folder + QStringLiteral("Link.dbf"), defineLinkTable, afterPost);
}

void DeleteDocumentTables(DocumentTables &tables, const QString &folder)
{
    tables.object.reset();
    deleteFiles(folder, {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx")});
    tables.worker.reset();
    deleteFiles(folder, {QStringLiteral("Worker.dbf"), QStringLiteral("Worker.dbt")});
    tables.link.reset();
    deleteFiles(folder, {QStringLiteral("Link.dbf"), QStringLiteral("Link.dbt"), QStringLiteral("Version.Inf")});
}

QStringList documentMemberNames()
{
    return {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx"),
            QStringLiteral("Worker.dbf"), QStringLiteral("Link.dbf"),   QStringLiteral("Version.Inf")};
}

QStringList documentFileNames()
{
    return {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx"),
            QStringLiteral("Worker.dbf"), QStringLiteral("Worker.dbt"), QStringLiteral("Link.dbf"),
            QStringLiteral("Link.dbt"),   QStringLiteral("Version.Inf")};
}

} // namespace ergotab
