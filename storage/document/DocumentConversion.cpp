#include "DocumentConversion.h"

#include "FactorCatalogue.h"
#include "WorkFolder.h"

#include <QFile>

namespace ergotab {

using dbf::FieldKind;
using dbf::Table;

namespace {

const QString objectDbf = QStringLiteral("Object.dbf");
const QString objectDbt = QStringLiteral("Object.dbt");
const QString objectMdx = QStringLiteral("Object.mdx");
const QString convertingText = QStringLiteral("Převádím data");

QString oldFactorName(int number)
{
    return QStringLiteral("Fak%1").arg(number, 2, 10, QLatin1Char('0'));
}

int readIntIfPresent(const Table &table, const QString &field)
{
    return table.hasField(field) ? table.fieldInt(field) : 0;
}

void copyCommonHead(const Table &from, Table &to)
{
    to.setFieldInt(QStringLiteral("Index"), from.fieldInt(QStringLiteral("Index")));
    to.setFieldInt(QStringLiteral("UpLink"), from.fieldInt(QStringLiteral("UpLink")));
    to.setFieldInt(QStringLiteral("Type"), from.fieldInt(QStringLiteral("Type")));
    to.setFieldText(QStringLiteral("Text"), from.fieldText(QStringLiteral("Text")));
}

// Head counts and the three texts, taken over where the old table has them.
void copyCountsAndTexts(const Table &from, Table &to)
{
    to.setFieldInt(QStringLiteral("Pracov"), readIntIfPresent(from, QStringLiteral("Pracov")));
    to.setFieldInt(QStringLiteral("Zen"), readIntIfPresent(from, QStringLiteral("Zen")));
    for (const QString &memo : {QStringLiteral("Popis"), QStringLiteral("Mereni"), QStringLiteral("Opatreni")})
        to.setFieldText(memo, from.hasField(memo) ? from.fieldText(memo) : QString());
}

void resetFilter(Table &table)
{
    table.setFiltered(false);
    table.setFilter(QString());
    table.setIndexName(QString());
}

// Version 0 to 1: the head counts and the three texts are added.
void stepAddCounts(DocumentTables &tables, const QString &folder, const AfterPostHandler &afterPost,
                   ProgressSink *progress)
{
    Table &source = *tables.object;
    resetFilter(source);
    ProgressScope scope(progress, convertingText, source.recordCount());
    ScratchFolder scratch;
    {
        Table target(scratch.path() + objectDbf);
        target.clearDefinitions();
        target.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("UpLink"), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("Type"), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("Text"), FieldKind::String, 250);
        for (int n = 1; n <= 16; ++n)
            target.addFieldDef(oldFactorName(n), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("Pracov"), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("Zen"), FieldKind::Integer);
        target.addFieldDef(QStringLiteral("Popis"), FieldKind::Memo);
        target.addFieldDef(QStringLiteral("Mereni"), FieldKind::Memo);
        target.addFieldDef(QStringLiteral("Opatreni"), FieldKind::Memo);
        target.createTable();
        target.setAfterPost(afterPost);
        target.open();
        for (source.first(); !source.eof(); source.next()) {
            target.append();
            copyCommonHead(source, target);
            for (int n = 1; n <= 16; ++n)
                target.setFieldInt(oldFactorName(n), readIntIfPresent(source, oldFactorName(n)));
            target.setFieldInt(QStringLiteral("Pracov"), 0);
            target.setFieldInt(QStringLiteral("Zen"), 0);
            target.post();
            scope.step();
        }
        target.close();
    }
    source.close();
    copyFileOver(scratch.path() + objectDbf, folder + objectDbf);
    copyFileOver(scratch.path() + objectDbt, folder + objectDbt);
    // An index file of the old table would describe rows that are gone.
    QFile::remove(folder + objectMdx);
    source.open();
}

// Version 1 to 2: the maintained index on UpLink.
void stepAddIndex(DocumentTables &tables)
{
    Table &table = *tables.object;
    table.close();
    table.setExclusive(true);
    try {
        table.addIndex(QStringLiteral("UPLINK"), QStringLiteral("Uplink"));
    } catch (...) {
        table.setExclusive(false);
        table.open();
        throw;
    }
    table.setExclusive(false);
    table.open();
}

// Version 2 to 3: sixteen factors of the old catalogue become the thirteen current ones.
void stepMapFactors(DocumentTables &tables, const QString &folder, const AfterPostHandler &afterPost,
                    ProgressSink *progress)
{
    Table &source = *tables.object;
    resetFilter(source);
    ProgressScope scope(progress, convertingText, source.recordCount());
    ScratchFolder scratch;
    DocumentTables fresh;
    CreateDocumentTables(fresh, scratch.path(), afterPost);
    Table &target = *fresh.object;
    for (source.first(); !source.eof(); source.next()) {
        std::array<int, 16> old {};
        for (int n = 1; n <= 16; ++n)
            old[n - 1] = readIntIfPresent(source, oldFactorName(n));
        const std::array<int, 13> current = mapVersion2Factors(old);
        target.append();
        copyCommonHead(source, target);
        for (int n = 1; n <= FactorCount; ++n)
            target.setFieldInt(factorFieldName(n), current[n - 1]);
        copyCountsAndTexts(source, target);
        target.post();
        scope.step();
    }
    fresh.object->close();
    fresh.worker->close();
    fresh.link->close();
    source.close();
    for (const QString &name : {objectDbf, objectDbt, objectMdx})
        copyFileOver(scratch.path() + name, folder + name);
    source.open();
    DeleteDocumentTables(fresh, scratch.path());
}

} // namespace

std::array<int, 13> mapVersion2Factors(const std::array<int, 16> &old)
{
    auto v2 = [&old](int n) { return old[n - 1]; };
    int physical = v2(11) | v2(12) | v2(13) | v2(14);
    if (physical & categoryBit(4)) {
        // Physical load has no category 4 any more: what was marked 4 counts as 3. Bits
        // above the fourth carry no category, so they never turn into one.
        physical &= ~categoryBit(4);
        physical |= categoryBit(3);
    }
    return {v2(5), v2(6), v2(3), v2(4), v2(9), physical, v2(15), v2(1), v2(2), v2(16), v2(10), v2(7), 1};
}

void ConvertDocument(DocumentTables &tables, const QString &folder, int version, const AfterPostHandler &afterPost,
                     ProgressSink *progress)
{
    for (int step = version; step < 3; ++step) {
        switch (step) {
        case 0:
            stepAddCounts(tables, folder, afterPost, progress);
            break;
        case 1:
            stepAddIndex(tables);
            break;
        case 2:
            stepMapFactors(tables, folder, afterPost, progress);
            break;
        default:
            break; // negative versions: nothing older is known
        }
    }
}

} // namespace ergotab
