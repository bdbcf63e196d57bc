#include "TableDamage.h"

#include "TableFiles.h"
#include "TableLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <functional>

namespace ergotab::dbf {

namespace {

TableLayout readLayout(QFile &file, const QString &path)
{
    QByteArray header = file.read(32);
    if (header.size() == 32) {
        const int headerLength = quint8(header.at(8)) | quint8(header.at(9)) << 8;
        file.seek(0);
        header = file.read(qMax(headerLength, 32));
    }
    return parseTableHeader(header, file.size(), path);
}

QStringList memoFields(const Table &table)
{
    QStringList names;
    for (const FieldDef &field : table.fields())
        if (field.kind == FieldKind::Memo)
            names << field.name;
    return names;
}

// Calls `unreadable` for each memo field of each live row whose text cannot be read; the
// table's cursor stands on that row meanwhile.
void forEachUnreadableMemo(Table &table, const std::function<void(const QString &field)> &unreadable)
{
    const QStringList fields = memoFields(table);
    if (fields.isEmpty())
        return;
    for (table.first(); !table.eof(); table.next()) {
        for (const QString &field : fields) {
            try {
                table.fieldText(field);
            } catch (const EngineError &) {
                unreadable(field);
            }
        }
    }
}

} // namespace

TableDamage inspectTable(const QString &path)
{
    // Opened first, so that a table that cannot be read at all fails with the engine's error.
    Table table(path);
    table.open();
    TableDamage damage;
    damage.table = QFileInfo(path).fileName();
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw EngineError(QStringLiteral("Table %1: cannot open the file: %2").arg(path, file.errorString()));
        const TableLayout layout = readLayout(file, path);
        damage.rowsInHeader = layout.recordCount;
        damage.rowsInFile = (file.size() - layout.headerLength) / qMax(layout.recordLength, 1);
        if (layout.memo != MemoFormat::None) {
            const QString ext = layout.memo == MemoFormat::Fpt ? QStringLiteral("fpt") : QStringLiteral("dbt");
            damage.memoFile = QFileInfo(tablefiles::companion(path, ext)).fileName();
        }
    }
    forEachUnreadableMemo(table, [&damage](const QString &) { ++damage.unreadableMemos; });
    table.close();
    return damage;
}

void salvageTable(const QString &path, const TableDamage &damage)
{
    if (damage.unreadableMemos > 0) {
        Table table(path);
        table.open();
        // Writing an empty text reads nothing of the old one, so the row can be stored.
        forEachUnreadableMemo(table, [&table](const QString &field) {
            table.edit();
            table.setFieldText(field, QString());
            table.post();
        });
        table.close();
    }
    if (damage.rowsMissing()) {
        QFile file(path);
        QByteArray count(4, '\0');
        qToLittleEndian<quint32>(quint32(damage.rowsInFile), count.data());
        if (!file.open(QIODevice::ReadWrite) || !tablefiles::writeAt(file, 4, count))
            throw EngineError(
                QStringLiteral("Table %1: cannot correct the row count: %2").arg(path, file.errorString()));
    }
}

} // namespace ergotab::dbf
