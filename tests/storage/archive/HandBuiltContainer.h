#pragma once

#include <QByteArray>
#include <QString>

#include <zlib.h>

#include <vector>

// Builds containers byte by byte, independently of the component: each field is placed at its
// offset by hand, streams come from zlib's own compress(). Tests open what this builds and
// compare what the component writes against it.
namespace ergotab::test {

inline void putLE32(QByteArray &out, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = char((v >> (8 * i)) & 0xFF);
}

inline quint32 le32(const QByteArray &in, qsizetype at)
{
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v |= quint32(quint8(in.at(at + i))) << (8 * i);
    return v;
}

inline quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// zlib's compress2(): a zlib stream made without the component's code.
inline QByteArray zlibCompress(const QByteArray &data, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), level);
    out.resize(qsizetype(size));
    return out;
}

inline QByteArray zlibUncompress(const QByteArray &stream, qsizetype expected)
{
    QByteArray out(expected, '\0');
    uLongf size = uLongf(expected);
    if (uncompress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(stream.constData()),
                   uLong(stream.size())) != Z_OK)
        return QByteArray("<not a zlib stream>");
    out.resize(qsizetype(size));
    return out;
}

// A zlib stream written by hand with deflate "stored" blocks: the kind another deflate
// implementation may produce, and nothing zlib's compressor would write for this input.
inline QByteArray handMadeStoredStream(const QByteArray &data)
{
    QByteArray out("\x78\x01", 2);
    qsizetype at = 0;
    do {
        const qsizetype n = qMin<qsizetype>(data.size() - at, 65535);
        const bool last = at + n == data.size();
        out.append(char(last ? 1 : 0));
        out.append(char(n & 0xFF)).append(char(n >> 8));
        out.append(char(~n & 0xFF)).append(char((~n >> 8) & 0xFF));
        out.append(data.mid(at, n));
        at += n;
    } while (at < data.size());
    const uLong adler = adler32(1, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((adler >> shift) & 0xFF));
    return out;
}

struct HandMember
{
    QByteArray name;    // already Windows-1250
    QByteArray content; // the member's bytes
    QByteArray block;   // what goes into the data block
    bool stored = false;
    quint8 level = 2;
    QByteArray path; // FilePath text
    // Overrides for damaged containers; -1 keeps the true value.
    qint64 fileSize = -1, storedSize = -1, dataOffset = -1;
    qint64 crc = -1;
};

inline HandMember compressedMember(const QByteArray &name, const QByteArray &content, int zlibLevel = 9,
                                   quint8 levelOrdinal = 3)
{
    HandMember m;
    m.name = name;
    m.content = content;
    m.block = zlibCompress(content, zlibLevel);
    m.level = levelOrdinal;
    return m;
}

inline HandMember storedMember(const QByteArray &name, const QByteArray &content)
{
    HandMember m;
    m.name = name;
    m.content = m.block = content;
    m.stored = true;
    m.level = 0;
    return m;
}

inline QByteArray shortString(const QByteArray &text)
{
    QByteArray field(256, '\0');
    field[0] = char(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        field[1 + i] = text.at(i);
    return field;
}

inline QByteArray entryBytes(const HandMember &m, quint32 offset)
{
    QByteArray e = shortString(m.name) + shortString(m.path) + QByteArray(20, '\0');
    putLE32(e, 512, quint32(m.fileSize >= 0 ? m.fileSize : m.content.size()));
    putLE32(e, 516, quint32(m.storedSize >= 0 ? m.storedSize : m.block.size()));
    putLE32(e, 520, quint32(m.dataOffset >= 0 ? m.dataOffset : offset));
    putLE32(e, 524, quint32(m.crc >= 0 ? m.crc : crcOf(m.content)));
    e[528] = char(m.stored ? 1 : 0);
    e[529] = char(m.level);
    return e;
}

struct HandContainerOptions
{
    bool directoryCompressed = true;
    qint64 count = -1;           // -1: the number of members
    qint64 directoryOffset = -1; // -1: where the directory really starts
};

// Data blocks, directory, trailer with the CRC of all before it.
inline QByteArray handBuiltContainer(const std::vector<HandMember> &members, HandContainerOptions o = {})
{
    QByteArray file;
    QByteArray directory;
    for (const HandMember &m : members) {
        directory += entryBytes(m, quint32(file.size()));
        file += m.block;
    }
    const quint32 directoryOffset = quint32(file.size());
    const QByteArray block = o.directoryCompressed ? zlibCompress(directory) : directory;
    file += block;
    QByteArray trailer(36, '\0');
    putLE32(trailer, 0, crcOf(file));
    putLE32(trailer, 4, quint32(o.count >= 0 ? o.count : qint64(members.size())));
    putLE32(trailer, 8, 1);
    putLE32(trailer, 12, o.directoryCompressed ? quint32(block.size()) : 0);
    putLE32(trailer, 16, quint32(o.directoryOffset >= 0 ? o.directoryOffset : directoryOffset));
    trailer[20] = char(o.directoryCompressed ? 1 : 0);
    return file + trailer;
}

// A member whose data block is given as is (a stream from elsewhere, or damaged bytes).
inline HandMember rawBlockMember(const QByteArray &name, const QByteArray &content, const QByteArray &block)
{
    HandMember m;
    m.name = name;
    m.content = content;
    m.block = block;
    return m;
}

// Recomputes the trailer CRC after a test has edited bytes before it, so that the damage
// reaches the code behind the checksum.
inline QByteArray resealed(QByteArray file)
{
    putLE32(file, file.size() - 36, crcOf(file.left(file.size() - 36)));
    return file;
}

} // namespace ergotab::test
