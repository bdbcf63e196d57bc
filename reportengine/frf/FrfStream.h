#pragma once

// Reading the earlier engine's binary template stream: little-endian numbers and the string
// encodings of its versions. Nothing is trusted: every read is checked against what is left of
// the stream, and a read that does not fit throws FrfDamaged with the offset where it started.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace ergotab::report::frf {

// A damaged or foreign stream: what was expected and where. The loader turns it into an
// AppError naming the file.
struct FrfDamaged
{
    qint64 offset = 0;
    QString what;
};

// How strings and string lists are written: FR 2.2 zero-terminated, FR 2.3 and later with a
// 16-bit length, FreeReport 2.21.7 with a 32-bit length.
enum class StringCoding { ZeroTerminated, Length16, Length32 };

class FrfStream
{
public:
    explicit FrfStream(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    qint64 pos() const { return m_pos; }
    qint64 size() const { return m_bytes.size(); }
    qint64 remaining() const { return size() - m_pos; }
    bool atEnd() const { return m_pos >= size(); }
    // Moves to an absolute position inside the stream (the end included).
    void seek(qint64 pos, const char *what);

    quint8 u8();
    quint16 u16();
    quint32 u32();
    qint32 i32();
    double f64();
    bool bool16() { return u16() != 0; }
    bool bool8() { return u8() != 0; }
    QByteArray bytes(qint64 count, const char *what);
    void skip(qint64 count, const char *what) { bytes(count, what); }
    // The byte at an absolute position, or -1 past the end.
    int byteAt(qint64 pos) const { return pos >= 0 && pos < size() ? quint8(m_bytes.at(pos)) : -1; }
    // Peeks without moving; false when fewer bytes are left.
    bool startsWith(const QByteArray &prefix) const;

    // A string in the given coding (the "read string" of the stream's version).
    QByteArray string(StringCoding coding);
    // u16 length, the bytes, one terminating zero: used by every field added in FR 2.4.
    QByteArray string16() { return string(StringCoding::Length16); }
    // u8 length and the bytes (the old variables table).
    QByteArray shortString();
    // u16 length and the bytes, no terminator (the FR 2.5 report information).
    QByteArray rawString16();
    // A list of lines in the given coding.
    QList<QByteArray> lines(StringCoding coding);

    [[noreturn]] void fail(const QString &what) const { fail(m_pos, what); }
    [[noreturn]] static void fail(qint64 offset, const QString &what) { throw FrfDamaged {offset, what}; }

private:
    const char *take(qint64 count, const char *what);

    QByteArray m_bytes;
    qint64 m_pos = 0;
};

} // namespace ergotab::report::frf
