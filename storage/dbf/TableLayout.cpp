#include "TableLayout.h"

#include "LanguageDriver.h"

#include <QtEndian>

namespace ergotab::dbf {

namespace {

constexpr int kMaxNameLength = 10;

[[noreturn]] void fail(const QString &tableName, const QString &cause)
{
    throw EngineError(QStringLiteral("Table %1: %2").arg(tableName, cause));
}

quint8 byteAt(const QByteArray &b, int i)
{
    return quint8(b.at(i));
}

QString nameFrom(const char *data, int size)
{
    int n = 0;
    while (n < size && data[n] != '\0')
        ++n;
    return QString::fromLatin1(data, n).trimmed();
}

struct VersionInfo
{
    Dialect dialect;
    MemoFormat memo;
};

bool classifyVersion(quint8 v, quint8 driverId, VersionInfo &out)
{
    switch (v) {
    case 0x02:
    case 0x03:
        out = {driverId ? Dialect::DBase4 : Dialect::DBase3, MemoFormat::None};
        return true;
    case 0x83:
    case 0xFB:
        out = {Dialect::DBase3, MemoFormat::Dbt3};
        return true;
    case 0x8B:
    case 0x8E:
    case 0xCB:
        out = {Dialect::DBase4, MemoFormat::Dbt4};
        return true;
    case 0x43:
    case 0x63:
        out = {Dialect::DBase4, MemoFormat::None};
        return true;
    case 0x04:
        out = {Dialect::Level7, MemoFormat::None};
        return true;
    case 0x8C:
        out = {Dialect::Level7, MemoFormat::Dbt4};
        return true;
    case 0xF5:
        out = {Dialect::FoxPro, MemoFormat::Fpt};
        return true;
    case 0x30:
    case 0x31:
    case 0x32:
        out = {Dialect::VisualFoxPro, MemoFormat::Fpt};
        return true;
    default:
        return false;
    }
}

} // namespace

bool FieldLayout::isNumeric() const
{
    switch (type) {
    case 'N':
    case 'F':
    case 'I':
    case '+':
    case 'O':
    case 'Y':
    case 'B':
        return type != 'B' || length == 8; // a Visual FoxPro double, not a dBase binary memo
    default:
        return false;
    }
}

int TableLayout::fieldIndex(QAnyStringView name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (QAnyStringView::compare(fields.at(i).name, name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TableLayout::hasMemoFields() const
{
    for (const FieldLayout &f : fields) {
        if (f.isMemo() && !(f.type == 'B' && f.length == 8))
            return true;
    }
    return false;
}

TableLayout parseTableHeader(const QByteArray &header, qint64 fileSize, const QString &tableName)
{
    if (header.size() < 32 || fileSize < 32)
        fail(tableName, QStringLiteral("the file is too short to be a dBase table"));
    TableLayout t;
    t.version = byteAt(header, 0);
    t.driverId = byteAt(header, 29);
    VersionInfo info {};
    if (!classifyVersion(t.version, t.driverId, info))
        fail(tableName, QStringLiteral("unknown dBase version byte 0x%1").arg(t.version, 2, 16, QLatin1Char('0')));
    t.dialect = info.dialect;
    t.memo = info.memo;
    t.recordCount = qFromLittleEndian<quint32>(header.constData() + 4);
    t.headerLength = qFromLittleEndian<quint16>(header.constData() + 8);
    t.recordLength = qFromLittleEndian<quint16>(header.constData() + 10);
    t.productionIndex = t.dialect != Dialect::FoxPro && t.dialect != Dialect::VisualFoxPro && (byteAt(header, 28) & 1);

    const bool level7 = t.dialect == Dialect::Level7;
    const int descriptorStart = level7 ? 68 : 32;
    const int descriptorSize = level7 ? 48 : 32;
    if (t.headerLength < descriptorStart + 1 || t.headerLength > fileSize || t.headerLength > header.size())
        fail(tableName, QStringLiteral("the header length %1 does not fit the file").arg(t.headerLength));
    if (t.recordLength < 1)
        fail(tableName, QStringLiteral("the record length is zero"));
    if (level7)
        t.driverName = header.mid(32, 32).split('\0').first();
    t.codePage = codePageForDriver(t.driverId, t.driverName);

    int offset = 1;
    for (int at = descriptorStart;; at += descriptorSize) {
        if (at >= t.headerLength)
            fail(tableName, QStringLiteral("the field list has no terminator"));
        if (byteAt(header, at) == 0x0D)
            break;
        if (at + descriptorSize > t.headerLength)
            fail(tableName, QStringLiteral("a field descriptor runs past the header"));
        const char *d = header.constData() + at;
        FieldLayout f;
        f.descriptorOffset = at;
        if (level7) {
            f.name = nameFrom(d, 32);
            f.type = d[32];
            f.length = quint8(d[33]);
            f.decimals = quint8(d[34]);
            f.indexed = d[37] == 1;
            f.nextAutoIncrement = qFromLittleEndian<quint32>(d + 42);
        } else {
            f.name = nameFrom(d, 11);
            f.type = d[11];
            f.length = quint8(d[16]);
            f.decimals = quint8(d[17]);
            f.indexed = d[31] == 1;
            // Clipper and FoxPro keep wide character fields' high length byte in the decimals.
            if (f.type == 'C') {
                f.length += f.decimals * 256;
                f.decimals = 0;
            }
        }
        f.offset = offset;
        offset += f.length;
        if (offset > t.recordLength)
            fail(tableName, QStringLiteral("field %1 runs past the record length %2").arg(f.name).arg(t.recordLength));
        t.fields.append(f);
    }
    if (t.fields.isEmpty())
        fail(tableName, QStringLiteral("the table has no fields"));
    // A table whose version byte promises no memo file may still carry memo fields.
    if (t.memo == MemoFormat::None && t.hasMemoFields())
        t.memo = t.dialect == Dialect::DBase3 ? MemoFormat::Dbt3 : MemoFormat::Dbt4;
    if (!t.hasMemoFields())
        t.memo = MemoFormat::None;
    return t;
}

TableLayout nativeLayout(const QList<FieldDef> &defs, const QStringList &indexedFields, const QString &tableName)
{
    if (defs.isEmpty())
        fail(tableName, QStringLiteral("no fields are defined"));
    TableLayout t;
    t.dialect = Dialect::DBase4;
    t.driverId = kWindows1250Driver;
    t.codePage = CodePage::Windows1250;
    int offset = 1;
    for (const FieldDef &def : defs) {
        const QString name = def.name.trimmed();
        if (name.isEmpty() || name.size() > kMaxNameLength)
            fail(tableName,
                 QStringLiteral("field name \"%1\" must have 1 to %2 characters").arg(name).arg(kMaxNameLength));
        for (QChar c : name) {
            if (c.unicode() > 0x7E || !(c.isLetterOrNumber() || c == QLatin1Char('_')))
                fail(tableName,
                     QStringLiteral("field name \"%1\" may hold only ASCII letters, digits and _").arg(name));
        }
        if (t.fieldIndex(name) >= 0)
            fail(tableName, QStringLiteral("field %1 is defined twice").arg(name));
        FieldLayout f;
        f.name = name;
        switch (def.kind) {
        case FieldKind::Integer:
            f.type = 'N';
            f.length = 11;
            break;
        case FieldKind::Memo:
            f.type = 'M';
            f.length = 10;
            break;
        case FieldKind::String:
            if (def.width < 1 || def.width > 254)
                fail(tableName, QStringLiteral("string field %1 needs a width of 1 to 254").arg(name));
            f.type = 'C';
            f.length = def.width;
            break;
        }
        f.offset = offset;
        offset += f.length;
        f.indexed = indexedFields.contains(name, Qt::CaseInsensitive);
        t.fields.append(f);
    }
    if (t.fields.size() > 255)
        fail(tableName, QStringLiteral("a table holds at most 255 fields"));
    t.recordLength = offset;
    if (t.recordLength > 0xFFFF)
        fail(tableName, QStringLiteral("the record is longer than 65535 bytes"));
    t.headerLength = 32 + 32 * int(t.fields.size()) + 1;
    t.memo = t.hasMemoFields() ? MemoFormat::Dbt4 : MemoFormat::None;
    t.version = t.memo == MemoFormat::None ? 0x03 : 0x8B;
    t.productionIndex = !indexedFields.isEmpty();
    for (int i = 0; i < t.fields.size(); ++i)
        t.fields[i].descriptorOffset = 32 + 32 * i;
    return t;
}

QByteArray headerDateAndCount(quint32 recordCount, const QDate &date)
{
    QByteArray b(7, '\0');
    b[0] = char(qBound(0, date.year() - 1900, 255));
    b[1] = char(date.month());
    b[2] = char(date.day());
    qToLittleEndian<quint32>(recordCount, b.data() + 3);
    return b;
}

QByteArray buildTableHeader(const TableLayout &t, quint32 recordCount, const QDate &date)
{
    QByteArray h(t.headerLength, '\0');
    h[0] = char(t.version);
    h.replace(1, 7, headerDateAndCount(recordCount, date));
    qToLittleEndian<quint16>(quint16(t.headerLength), h.data() + 8);
    qToLittleEndian<quint16>(quint16(t.recordLength), h.data() + 10);
    h[28] = t.productionIndex ? 1 : 0;
    h[29] = char(t.driverId);
    for (const FieldLayout &f : t.fields) {
        char *d = h.data() + f.descriptorOffset;
        const QByteArray name = f.name.toUpper().toLatin1();
        memcpy(d, name.constData(), size_t(qMin<qsizetype>(name.size(), 10)));
        d[11] = f.type;
        d[16] = char(f.length);
        d[17] = char(f.decimals);
        d[31] = f.indexed ? 1 : 0;
    }
    h[32 + 32 * t.fields.size()] = 0x0D;
    return h;
}

} // namespace ergotab::dbf
