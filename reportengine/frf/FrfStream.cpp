#include "reportengine/frf/FrfStream.h"

#include <QList>
#include <QtEndian>

#include <cstring>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

const char *FrfStream::take(qint64 count, const char *what)
{
    if (count < 0 || count > remaining())
        fail(u"%1 potřebuje %2 bajtů, zbývá jen %3"_s.arg(QLatin1StringView(what)).arg(count).arg(remaining()));
    const char *data = m_bytes.constData() + m_pos;
    m_pos += count;
    return data;
}

void FrfStream::seek(qint64 pos, const char *what)
{
    if (pos < 0 || pos > size())
        fail(u"%1 ukazuje mimo soubor (na pozici %2)"_s.arg(QLatin1StringView(what)).arg(pos));
    m_pos = pos;
}

quint8 FrfStream::u8()
{
    return quint8(*take(1, "bajt"));
}

quint16 FrfStream::u16()
{
    return qFromLittleEndian<quint16>(take(2, "číslo"));
}

quint32 FrfStream::u32()
{
    return qFromLittleEndian<quint32>(take(4, "číslo"));
}

qint32 FrfStream::i32()
{
    return qFromLittleEndian<qint32>(take(4, "číslo"));
}

double FrfStream::f64()
{
    const quint64 bits = qFromLittleEndian<quint64>(take(8, "číslo"));
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray FrfStream::bytes(qint64 count, const char *what)
{
    const char *data = take(count, what);
    return QByteArray(data, count);
}

bool FrfStream::startsWith(const QByteArray &prefix) const
{
    return remaining() >= prefix.size() &&
           std::memcmp(m_bytes.constData() + m_pos, prefix.constData(), prefix.size()) == 0;
}

QByteArray FrfStream::string(StringCoding coding)
{
    switch (coding) {
    case StringCoding::ZeroTerminated: {
        const qsizetype end = m_bytes.indexOf('\0', m_pos);
        if (end < 0)
            fail(u"řetězec nemá ukončující nulu"_s);
        QByteArray text = bytes(end - m_pos, "řetězec");
        m_pos += 1;
        return text;
    }
    case StringCoding::Length16: {
        const qint64 start = m_pos;
        QByteArray text = bytes(u16(), "řetězec");
        if (u8() != 0)
            fail(start, u"řetězec není ukončen nulou"_s);
        return text;
    }
    case StringCoding::Length32: {
        // FreeReport 2.21.7 wrote each string as a one-line list: its text ends in CR LF.
        QByteArray text = bytes(qint64(u32()), "řetězec");
        if (text.endsWith("\r\n"))
            text.chop(2);
        return text;
    }
    }
    return {};
}

QByteArray FrfStream::shortString()
{
    return bytes(u8(), "řetězec");
}

QByteArray FrfStream::rawString16()
{
    return bytes(u16(), "řetězec");
}

QList<QByteArray> FrfStream::lines(StringCoding coding)
{
    QList<QByteArray> result;
    switch (coding) {
    case StringCoding::ZeroTerminated: {
        const QByteArray all = string(coding);
        if (all.isEmpty())
            return result;
        for (QByteArray line : all.split('\r')) {
            if (line.startsWith('\n'))
                line.remove(0, 1);
            result << line;
        }
        return result;
    }
    case StringCoding::Length32: {
        const QByteArray all = bytes(qint64(u32()), "seznam řádků");
        if (all.isEmpty())
            return result;
        // One text with the lines separated by CR LF.
        for (QByteArray line : all.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            result << line;
        }
        if (all.endsWith('\n'))
            result.removeLast();
        return result;
    }
    case StringCoding::Length16: {
        // The count only tells an empty list from a full one; the lines run until a separator
        // byte of zero (0x0D stands between lines).
        const qint64 start = m_pos;
        if (u16() == 0) {
            if (u8() != 0)
                fail(start, u"prázdný seznam řádků není ukončen nulou"_s);
            return result;
        }
        for (;;) {
            result << bytes(u16(), "řádek textu");
            const quint8 separator = u8();
            if (separator == 0)
                return result;
            if (separator != '\r')
                fail(m_pos - 1, u"neočekávaný oddělovač řádků 0x%1"_s.arg(separator, 2, 16, QLatin1Char('0')));
        }
    }
    }
    return result;
}

} // namespace ergotab::report::frf
