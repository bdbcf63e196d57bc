#include "DocumentConversion.h"

#include "FactorCatalogue.h"
#include "TableFields.h"
#include "WorkFolder.h"

#include <QFile>

#include <vector>

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

namespace object = fields::object;

// Fields copied by name from the old Object table into the new one, their positions looked up
// once per conversion. A field the old table lacks is written as 0 or "".
class FieldCopy
{
public:
    FieldCopy(const Table &from, const Table &to, const QStringList &names)
    {
        const QList<dbf::FieldDef> targetFields = to.fields();
        for (const QString &name : names) {
            const int target = to.fieldIndex(name);
            m_pairs.push_back({from.hasField(name) ? from.fieldIndex(name) : -1, target,
                               targetFields.at(target).kind != FieldKind::Integer});
        }
    }

    void copyRow(const Table &from, Table &to) const
    {
        for (const Pair &p : m_pairs) {
            if (p.text)
                to.setFieldText(p.to, p.from >= 0 ? from.fieldText(p.from) : QString());
            else
                to.setFieldInt(p.to, p.from >= 0 ? from.fieldInt(p.from) : 0);
        }
    }

private:
    struct Pair
    {
        int from;
        int to;
        bool text;
    };
    std::vector<Pair> m_pairs;
};

const QStringList headFields {object::Index, object::UpLink, object::Type, object::Text};
const QStringList countFields {object::Pracov, object::Zen};
const QStringList memoFields {object::Popis, object::Mereni, object::Opatreni};

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
        target.addFieldDef(object::Index, FieldKind::Integer);
        target.addFieldDef(object::UpLink, FieldKind::Integer);
        target.addFieldDef(object::Type, FieldKind::Integer);
        target.addFieldDef(object::Text, FieldKind::String, 250);
        for (int n = 1; n <= 16; ++n)
            target.addFieldDef(oldFactorName(n), FieldKind::Integer);
        target.addFieldDef(object::Pracov, FieldKind::Integer);
        target.addFieldDef(object::Zen, FieldKind::Integer);
        target.addFieldDef(object::Popis, FieldKind::Memo);
        target.addFieldDef(object::Mereni, FieldKind::Memo);
        target.addFieldDef(object::Opatreni, FieldKind::Memo);
        target.createTable();
        target.setAfterPost(afterPost);
        target.open();
        QStringList copied = headFields;
        for (int n = 1; n <= 16; ++n)
            copied << oldFactorName(n);
        // The head counts are new: written as 0, the texts left empty.
        const FieldCopy copy(source, target, copied + countFields);
        for (source.first(); !source.eof(); source.next()) {
            target.append();
            copy.copyRow(source, target);
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
    const FieldCopy copy(source, target, headFields + countFields + memoFields);
    std::array<int, 16> oldFactors;
    for (int n = 1; n <= 16; ++n)
        oldFactors[n - 1] = source.hasField(oldFactorName(n)) ? source.fieldIndex(oldFactorName(n)) : -1;
    std::array<int, FactorCount> newFactors;
    for (int n = 1; n <= FactorCount; ++n)
        newFactors[n - 1] = target.fieldIndex(factorFieldName(n));
    for (source.first(); !source.eof(); source.next()) {
        std::array<int, 16> old {};
        for (int n = 0; n < 16; ++n)
            old[n] = oldFactors[n] >= 0 ? source.fieldInt(oldFactors[n]) : 0;
        const std::array<int, 13> current = mapVersion2Factors(old);
        target.append();
        copy.copyRow(source, target);
        for (int n = 0; n < FactorCount; ++n)
            target.setFieldInt(newFactors[n], current[n]);
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

void RestoreUpLinkIndex(DocumentTables &tables)
{
    Table &table = *tables.object;
    if (table.hasIndex(object::UpLinkTag))
        return;
    table.close();
    table.setExclusive(true);
    try {
        table.addIndex(object::UpLinkTag, object::UpLink);
    } catch (...) {
        table.setExclusive(false);
        table.open();
        throw;
    }
    table.setExclusive(false);
    table.open();
}

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
            RestoreUpLinkIndex(tables);
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
