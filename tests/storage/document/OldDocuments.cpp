#include "OldDocuments.h"

#include "storage/archive/TZLBArchive.h"
#include "storage/dbf/Table.h"
#include "storage/document/DocumentTables.h"
#include "tests/support/TempDir.h"

namespace ergotab::test {

using dbf::FieldKind;

void writeOldDocument(const QString &tvoPath, int layout, const std::vector<OldRow> &rows, int versionFile)
{
    TempDir dir;
    const QString folder = dir.withSeparator();
    {
        dbf::Table object(folder + QStringLiteral("Object.dbf"));
        object.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
        object.addFieldDef(QStringLiteral("UpLink"), FieldKind::Integer);
        object.addFieldDef(QStringLiteral("Type"), FieldKind::Integer);
        object.addFieldDef(QStringLiteral("Text"), FieldKind::String, 250);
        for (int n = 1; n <= 16; ++n)
            object.addFieldDef(QStringLiteral("Fak%1").arg(n, 2, 10, QLatin1Char('0')), FieldKind::Integer);
        if (layout >= 1) {
            object.addFieldDef(QStringLiteral("Pracov"), FieldKind::Integer);
            object.addFieldDef(QStringLiteral("Zen"), FieldKind::Integer);
            object.addFieldDef(QStringLiteral("Popis"), FieldKind::Memo);
            object.addFieldDef(QStringLiteral("Mereni"), FieldKind::Memo);
            object.addFieldDef(QStringLiteral("Opatreni"), FieldKind::Memo);
        }
        if (layout >= 2)
            object.addIndexDef(QStringLiteral("UPLINK"), QStringLiteral("UpLink"));
        object.createTable();
        object.open();
        for (const OldRow &row : rows) {
            object.append();
            object.setFieldInt(QStringLiteral("Index"), row.index);
            object.setFieldInt(QStringLiteral("UpLink"), row.upLink);
            object.setFieldInt(QStringLiteral("Type"), row.type);
            object.setFieldText(QStringLiteral("Text"), row.text);
            for (int n = 1; n <= 16; ++n)
                object.setFieldInt(QStringLiteral("Fak%1").arg(n, 2, 10, QLatin1Char('0')), row.fak[n - 1]);
            if (layout >= 1) {
                object.setFieldInt(QStringLiteral("Pracov"), row.pracov);
                object.setFieldInt(QStringLiteral("Zen"), row.zen);
                object.setFieldText(QStringLiteral("Popis"), row.popis);
                object.setFieldText(QStringLiteral("Mereni"), row.mereni);
                object.setFieldText(QStringLiteral("Opatreni"), row.opatreni);
            }
            object.post();
        }
        object.close();

        dbf::Table worker(folder + QStringLiteral("Worker.dbf"));
        defineWorkerTable(worker);
        worker.createTable();
        worker.open();
        worker.appendRecord({1, QStringLiteral("0042"), QStringLiteral("Jiří"), QStringLiteral("Čermák")});
        worker.close();

        dbf::Table link(folder + QStringLiteral("Link.dbf"));
        defineLinkTable(link);
        link.createTable();
        link.open();
        for (const OldRow &row : rows) {
            if (row.type == 1) {
                link.appendRecord({1, row.index});
                break;
            }
        }
        link.close();
    }
    QStringList members;
    for (const QString &name :
         {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx"),
          QStringLiteral("Worker.dbf"), QStringLiteral("Link.dbf")}) {
        if (QFile::exists(folder + name))
            members << folder + name;
    }
    if (versionFile >= 0) {
        TempDir::write(folder + QStringLiteral("Version.Inf"), QByteArray::number(versionFile) + "\r\n");
        members << folder + QStringLiteral("Version.Inf");
    }
    TZLBArchive archive;
    archive.CompressionLevel = fcMaximum;
    archive.CreateArchive(tvoPath);
    archive.AddFiles(members);
    archive.CloseArchive();
}

} // namespace ergotab::test
