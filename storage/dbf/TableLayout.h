#pragma once

#include "Table.h"

#include "storage/codepage/CodePage.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace ergotab::dbf {

// Families of the header and field layout; they decide descriptor size and how binary
// fields and memo pointers are stored.
enum class Dialect { DBase3, DBase4, Level7, FoxPro, VisualFoxPro };
enum class MemoFormat { None, Dbt3, Dbt4, Fpt };

struct FieldLayout
{
    QString name;
    char type = 'C';
    int offset = 0; // from the start of the record, the deletion flag being byte 0
    int length = 0;
    int decimals = 0;
    int descriptorOffset = 0; // where its descriptor starts in the header
    bool indexed = false;     // the production-index flag of the descriptor
    quint32 nextAutoIncrement = 0;

    bool isMemo() const { return type == 'M' || type == 'B' || type == 'G'; }
    bool isNumeric() const;
};

struct TableLayout
{
    quint8 version = 0;
    Dialect dialect = Dialect::DBase4;
    MemoFormat memo = MemoFormat::None;
    int headerLength = 0;
    int recordLength = 0;
    quint32 recordCount = 0; // as the header says; the reader clamps it to the file size
    quint8 driverId = 0;
    QByteArray driverName;
    CodePage::Id codePage = CodePage::Windows1250;
    bool productionIndex = false;
    QList<FieldLayout> fields;

    int fieldIndex(QAnyStringView name) const; // -1 when absent; case-insensitive
    bool hasMemoFields() const;
    const CodePage &codec() const { return CodePage::get(codePage); }
};

// Reads the header of a table file. `header` holds at least the first 32 bytes and, when the
// file is long enough, everything up to the stored header length. Throws EngineError naming
// `tableName` for anything a reader cannot trust.
TableLayout parseTableHeader(const QByteArray &header, qint64 fileSize, const QString &tableName);

// Layout of a new table: dBase IV with a .dbt when memos exist, Windows-1250 driver.
TableLayout nativeLayout(const QList<FieldDef> &defs, const QStringList &indexedFields, const QString &tableName);

// The header bytes of a layout, terminator included, with the given record count and date.
QByteArray buildTableHeader(const TableLayout &layout, quint32 recordCount, const QDate &date);

// Bytes 1..7 of the header: the last-update date and the record count.
QByteArray headerDateAndCount(quint32 recordCount, const QDate &date);

} // namespace ergotab::dbf
