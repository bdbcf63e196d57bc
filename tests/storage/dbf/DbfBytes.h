#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <cstring>

namespace ergotab::test {

// Builds table, memo and field bytes by hand, the way the format descriptions lay them out,
// so tests check the engine against the format rather than against itself.
struct HandField
{
    QByteArray name;
    char type;
    int length;
    int decimals = 0;
};

inline QByteArray le16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

inline QByteArray be32(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian<quint32>(v, b.data());
    return b;
}

// A dBase III/IV/5 or FoxPro 2 table: 32-byte header, 32-byte descriptors, records, 0x1A.
inline QByteArray handTable(quint8 version, quint8 driver, const QList<HandField> &fields,
                            const QList<QByteArray> &records, bool productionIndex = false)
{
    int recordLength = 1;
    for (const HandField &f : fields)
        recordLength += f.length;
    const int headerLength = 32 + 32 * int(fields.size()) + 1;
    QByteArray h(32, '\0');
    h[0] = char(version);
    h[1] = 124; // 2024-05-06
    h[2] = 5;
    h[3] = 6;
    h.replace(4, 4, le32(quint32(records.size())));
    h.replace(8, 2, le16(headerLength));
    h.replace(10, 2, le16(recordLength));
    h[28] = productionIndex ? 1 : 0;
    h[29] = char(driver);
    for (const HandField &f : fields) {
        QByteArray d(32, '\0');
        d.replace(0, f.name.size(), f.name);
        d[11] = f.type;
        d[16] = char(f.length & 0xFF);
        d[17] = char(f.type == 'C' ? f.length >> 8 : f.decimals);
        h += d;
    }
    h += '\x0D';
    for (const QByteArray &r : records) {
        QByteArray rec = r;
        rec.resize(recordLength, ' ');
        h += rec;
    }
    h += '\x1A';
    return h;
}

// A level-7 table: 68-byte header with the driver name, 48-byte descriptors.
inline QByteArray handLevel7Table(bool memo, const QByteArray &driverName, const QList<HandField> &fields,
                                  const QList<QByteArray> &records, quint32 nextAutoIncrement = 0)
{
    int recordLength = 1;
    for (const HandField &f : fields)
        recordLength += f.length;
    const int headerLength = 68 + 48 * int(fields.size()) + 1;
    QByteArray h(68, '\0');
    h[0] = char(memo ? 0x8C : 0x04);
    h[1] = 120;
    h[2] = 1;
    h[3] = 2;
    h.replace(4, 4, le32(quint32(records.size())));
    h.replace(8, 2, le16(headerLength));
    h.replace(10, 2, le16(recordLength));
    h.replace(32, driverName.size(), driverName);
    for (const HandField &f : fields) {
        QByteArray d(48, '\0');
        d.replace(0, f.name.size(), f.name);
        d[32] = f.type;
        d[33] = char(f.length);
        d[34] = char(f.decimals);
        if (f.type == '+')
            d.replace(42, 4, le32(nextAutoIncrement));
        h += d;
    }
    h += '\x0D';
    for (const QByteArray &r : records) {
        QByteArray rec = r;
        rec.resize(recordLength, ' ');
        h += rec;
    }
    h += '\x1A';
    return h;
}

// A dBase IV memo file with the given memos, one run each, starting at block 1.
inline QByteArray handDbt4(const QList<QByteArray> &memos, int blockSize = 512)
{
    QByteArray file(blockSize, '\0');
    QByteArray body;
    quint32 next = 1;
    for (const QByteArray &m : memos) {
        QByteArray run = QByteArray("\xFF\xFF\x08\x00", 4) + le32(quint32(m.size() + 8)) + m;
        run.resize((run.size() + blockSize - 1) / blockSize * blockSize, '\0');
        next += quint32(run.size() / blockSize);
        body += run;
    }
    file.replace(0, 4, le32(next));
    file.replace(20, 2, le16(blockSize));
    return file + body;
}

// A dBase III memo file: text ended by 0x1A 0x1A in 512-byte blocks.
inline QByteArray handDbt3(const QList<QByteArray> &memos)
{
    QByteArray file(512, '\0');
    file[16] = 3;
    QByteArray body;
    quint32 next = 1;
    for (const QByteArray &m : memos) {
        QByteArray run = m + "\x1A\x1A";
        run.resize((run.size() + 511) / 512 * 512, '\0');
        next += quint32(run.size() / 512);
        body += run;
    }
    file.replace(0, 4, le32(next));
    return file + body;
}

// Big-endian 32-bit integer with the sign bit flipped: level-7 I and + fields.
inline QByteArray level7Int(qint32 v)
{
    return be32(quint32(v) ^ 0x80000000u);
}

} // namespace ergotab::test
