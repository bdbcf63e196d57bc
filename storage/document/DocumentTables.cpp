#include "DocumentTables.h"

#include "FactorCatalogue.h"
#include "TableFields.h"
#include "WorkFolder.h"

#include <QFile>

namespace ergotab {

using dbf::FieldKind;
namespace object = fields::object;

static void addObjectHead(dbf::Table &table)
{
    table.addFieldDef(object::Index, FieldKind::Integer);
    table.addFieldDef(object::UpLink, FieldKind::Integer);
    table.addFieldDef(object::Type, FieldKind::Integer);
    table.addFieldDef(object::Text, FieldKind::String, 250);
    for (int n = 1; n <= FactorCount; ++n)
        table.addFieldDef(factorFieldName(n), FieldKind::Integer);
}

void defineObjectTable(dbf::Table &table, bool withIndex)
{
    table.clearDefinitions();
    addObjectHead(table);
    table.addFieldDef(object::Pracov, FieldKind::Integer);
    table.addFieldDef(object::Zen, FieldKind::Integer);
    table.addFieldDef(object::Popis, FieldKind::Memo);
    table.addFieldDef(object::Mereni, FieldKind::Memo);
    table.addFieldDef(object::Opatreni, FieldKind::Memo);
    if (withIndex)
        table.addIndexDef(object::UpLinkTag, object::UpLink);
}

void defineLibraryObjectTable(dbf::Table &table)
{
    table.clearDefinitions();
    addObjectHead(table);
}

void defineWorkerTable(dbf::Table &table)
{
    table.clearDefinitions();
    table.addFieldDef(fields::worker::Index, FieldKind::Integer);
    table.addFieldDef(fields::worker::PersNum, FieldKind::String, 10);
    table.addFieldDef(fields::worker::FName, FieldKind::String, 20);
    table.addFieldDef(fields::worker::LName, FieldKind::String, 20);
    table.addFieldDef(fields::worker::Address, FieldKind::String, 50);
    table.addFieldDef(fields::worker::City, FieldKind::String, 50);
    table.addFieldDef(fields::worker::Zip, FieldKind::String, 6);
    table.addFieldDef(fields::worker::BirthDate, FieldKind::String, 10);
    table.addFieldDef(fields::worker::BirthNum, FieldKind::String, 11);
    table.addFieldDef(fields::worker::RiskLen, FieldKind::Integer);
    table.addFieldDef(fields::worker::LenType, FieldKind::Integer);
    table.addFieldDef(fields::worker::ReviDate, FieldKind::String, 10);
    table.addFieldDef(fields::worker::Result, FieldKind::Integer);
    table.addFieldDef(fields::worker::Profese, FieldKind::String, 30);
}

void defineLinkTable(dbf::Table &table)
{
    table.clearDefinitions();
    table.addFieldDef(fields::link::WIndex, FieldKind::Integer);
    table.addFieldDef(fields::link::TIndex, FieldKind::Integer);
}

void CreateMissingSideTables(DocumentTables &tables)
{
    const std::pair<dbf::Table *, void (*)(dbf::Table &)> sides[] = {{tables.worker.get(), defineWorkerTable},
                                                                     {tables.link.get(), defineLinkTable}};
    for (const auto &[table, define] : sides) {
        if (QFile::exists(table->tableName()))
            continue;
        define(*table);
        table->createTable();
    }
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
