#include "LibraryFiles.h"

#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"

#include <QDir>
#include <QFile>

namespace ergotab::library {

QStringList libraryMemberNames()
{
    return {ObjectMember, TemplatesMember, TemplatesMemoMember};
}

void defineTemplateTable(dbf::Table &table)
{
    table.clearDefinitions();
    table.addFieldDef(FaktorField, dbf::FieldKind::Integer);
    table.addFieldDef(SpecifikField, dbf::FieldKind::String, SpecifikWidth);
    table.addFieldDef(OpatreniField, dbf::FieldKind::Memo);
}

void normaliseMemberNames(const QString &folderWithSeparator)
{
    const QDir folder(folderWithSeparator);
    const QStringList present = folder.entryList(QDir::Files);
    for (const QString &member : libraryMemberNames()) {
        if (present.contains(member))
            continue;
        for (const QString &name : present) {
            if (name.compare(member, Qt::CaseInsensitive) == 0) {
                QFile::rename(folder.filePath(name), folder.filePath(member));
                break;
            }
        }
    }
}

bool createMissingTables(const QString &folderWithSeparator)
{
    bool made = false;
    if (!QFile::exists(folderWithSeparator + ObjectMember)) {
        dbf::Table table(folderWithSeparator + ObjectMember);
        defineLibraryObjectTable(table);
        table.createTable();
        made = true;
    }
    // A table without its memo file cannot be opened: both are made afresh.
    if (!QFile::exists(folderWithSeparator + TemplatesMember) ||
        !QFile::exists(folderWithSeparator + TemplatesMemoMember)) {
        dbf::Table table(folderWithSeparator + TemplatesMember);
        defineTemplateTable(table);
        table.createTable();
        made = true;
    }
    return made;
}

} // namespace ergotab::library
