#include "FieldCodec.h"
#include "ShortNumber.h"

#include <QDateTime>
#include <QtAlgorithms>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace ergotab::dbf::fieldcodec {

namespace {

bool isSpacesOrZeroDigits(const char *p, int n)
{
    for (int i = 0; i < n; ++i) {
        if (p[i] != ' ' && p[i] != '0')
            return false;
    }
    return true;
}

bool isSpacesOrNul(const char *p, int n)
{
    for (int i = 0; i < n; ++i) {
        if (p[i] != ' ' && p[i] != '\0')
            return false;
    }
    return true;
}

// Visual FoxPro date and time: the Julian day and the milliseconds since midnight, two
// little-endian 32-bit integers.
bool isFoxProDateTime(const FieldLayout &f, Dialect dialect)
{
    return f.type == 'T' && f.length == 8 && dialect == Dialect::VisualFoxPro;
}

bool isZeroBytes(const char *p, int n)
{
    for (int i = 0; i < n; ++i) {
        if (p[i] != '\0')
            return false;
    }
    return true;
}

// Level-7 binary fields keep their bytes most significant first, ordered like the values.
bool isBinaryInteger(const FieldLayout &f, Dialect dialect)
{
    return (f.type == 'I' || f.type == '+') && f.length == 4 && dialect == Dialect::Level7;
}

qint32 readLevel7Integer(const char *p)
{
    return qint32(qFromBigEndian<quint32>(p) ^ 0x80000000u);
}

double readLevel7Double(const char *p)
{
    quint64 bits = qFromBigEndian<quint64>(p);
    bits = (bits & 0x8000000000000000ull) ? bits & ~0x8000000000000000ull : ~bits;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void writeLevel7Double(char *p, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
    qToBigEndian<quint64>(bits, p);
}

// Milliseconds so that 0001-01-01 00:00 is one day: the level-7 timestamp convention.
constexpr qint64 kMsPerDay = 86400000;
qint64 daysFromYearOne(const QDate &d)
{
    return d.toJulianDay() - QDate(1, 1, 1).toJulianDay();
}

} // namespace

std::optional<double> parseDecimal(const char *data, int size)
{
    int i = 0;
    while (i < size && (data[i] == ' ' || data[i] == '\0'))
        ++i;
    int end = size;
    while (end > i && (data[end - 1] == ' ' || data[end - 1] == '\0'))
        --end;
    if (i == end)
        return std::nullopt;
    bool negative = false;
    if (data[i] == '-' || data[i] == '+') {
        negative = data[i] == '-';
        ++i;
    }
    double value = 0;
    int digits = 0;
    for (; i < end && data[i] >= '0' && data[i] <= '9'; ++i, ++digits)
        value = value * 10 + (data[i] - '0');
    if (i < end && (data[i] == '.' || data[i] == ',')) {
        double scale = 0.1;
        for (++i; i < end && data[i] >= '0' && data[i] <= '9'; ++i, ++digits, scale /= 10)
            value += (data[i] - '0') * scale;
    }
    if (i < end && (data[i] == 'e' || data[i] == 'E') && digits > 0) {
        const QByteArray rest(data + i + 1, end - i - 1);
        bool ok = false;
        const int exponent = rest.toInt(&ok);
        if (!ok || std::abs(exponent) > 308)
            return std::nullopt;
        value *= std::pow(10.0, exponent);
        i = end;
    }
    if (i != end || digits == 0)
        return std::nullopt;
    return negative ? -value : value;
}

bool readPlainInteger(const FieldLayout &f, const char *rec, qint64 &value)
{
    if (f.type != 'N' && f.type != 'F')
        return false;
    const char *p = rec + f.offset;
    const int n = f.length;
    if (shortnumber::readPlainInteger(p, n, value))
        return true; // the common shapes at once; anything else byte by byte below
    int i = 0;
    // Numbers are right-aligned: skip the leading blanks eight at a time first.
    constexpr quint64 kBlanks = 0x2020202020202020ull;
    while (i + 8 <= n) {
        const quint64 other = qFromLittleEndian<quint64>(p + i) ^ kBlanks; // zero bytes are blanks
        if (other) {
            i += qCountTrailingZeroBits(other) / 8;
            break;
        }
        i += 8;
    }
    while (i < n && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (i == n) {
        value = 0; // blank
        return true;
    }
    bool negative = false;
    if (p[i] == '-' || p[i] == '+') {
        negative = p[i] == '-';
        ++i;
    }
    const int digitsStart = i;
    qint64 v = 0;
    for (; i < n && i - digitsStart < 18 && p[i] >= '0' && p[i] <= '9'; ++i)
        v = v * 10 + (p[i] - '0');
    if (i == digitsStart)
        return false;
    while (i < n && (p[i] == ' ' || p[i] == '\0'))
        ++i;
    if (i != n)
        return false;
    value = negative ? -v : v;
    return true;
}

bool isBlank(const FieldLayout &f, const char *rec, Dialect dialect)
{
    const char *p = rec + f.offset;
    if (dialect == Dialect::Level7 && (f.type == 'I' || f.type == '+' || f.type == 'O' || f.type == '@'))
        return isZeroBytes(p, f.length);
    if (f.isMemo())
        return readMemoBlock(f, rec) == 0;
    switch (f.type) {
    case 'L':
        return f.length < 1 || p[0] == ' ' || p[0] == '?' || p[0] == '\0';
    case 'D':
        return isSpacesOrZeroDigits(p, f.length) || isZeroBytes(p, f.length);
    case 'T':
        return isSpacesOrNul(p, f.length);
    case 'I':
    case 'Y':
        return false; // Visual FoxPro binary values have no blank
    default:
        return isSpacesOrNul(p, f.length);
    }
}

namespace {

std::optional<double> readStoredNumber(const FieldLayout &f, const char *rec, Dialect dialect);

} // namespace

// Infinities and NaNs in binary fields are damage, not values: they read as blank, which also
// keeps them out of the ordering of index tags.
std::optional<double> readNumber(const FieldLayout &f, const char *rec, Dialect dialect)
{
    const auto v = readStoredNumber(f, rec, dialect);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

namespace {

std::optional<double> readStoredNumber(const FieldLayout &f, const char *rec, Dialect dialect)
{
    const char *p = rec + f.offset;
    if (isBinaryInteger(f, dialect))
        return isZeroBytes(p, 4) ? std::nullopt : std::optional<double>(readLevel7Integer(p));
    if (f.type == 'O' && f.length == 8)
        return isZeroBytes(p, 8) ? std::nullopt : std::optional<double>(readLevel7Double(p));
    if (f.type == 'I' && f.length == 4)
        return double(qFromLittleEndian<qint32>(p));
    if (f.type == 'B' && f.length == 8) {
        const quint64 bits = qFromLittleEndian<quint64>(p);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    if (f.type == 'Y' && f.length == 8)
        return double(qFromLittleEndian<qint64>(p)) / 10000.0;
    return parseDecimal(p, f.length);
}

} // namespace

QString readText(const FieldLayout &f, const char *rec, Dialect dialect, const CodePage &cp)
{
    const char *p = rec + f.offset;
    if (f.type == 'C') {
        int n = f.length;
        // Wide fields hold mostly padding: drop it eight blanks at a time first.
        constexpr quint64 kBlanks = 0x2020202020202020ull;
        for (quint64 chunk; n >= 8 && (std::memcpy(&chunk, p + n - 8, 8), chunk == kBlanks);)
            n -= 8;
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
            --n;
        return cp.decode(p, n);
    }
    if (f.type == 'L') {
        if (isBlank(f, rec, dialect))
            return QString();
        return QString(QChar::fromLatin1(std::strchr("TtYy", p[0]) ? 'T' : 'F'));
    }
    if (f.type == 'D')
        return isBlank(f, rec, dialect) ? QString() : QString::fromLatin1(p, f.length).trimmed();
    if (f.type == '@' && f.length == 8 && dialect == Dialect::Level7) {
        if (isZeroBytes(p, 8))
            return QString();
        double ms;
        const quint64 bits = qFromBigEndian<quint64>(p);
        std::memcpy(&ms, &bits, sizeof ms);
        if (!std::isfinite(ms) || ms < kMsPerDay || ms > 4e14)
            return QString();
        const qint64 total = qint64(ms) - kMsPerDay;
        const QDate date = QDate(1, 1, 1).addDays(total / kMsPerDay);
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(total % kMsPerDay));
        return QDateTime(date, time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (isFoxProDateTime(f, dialect)) {
        const qint32 day = qFromLittleEndian<qint32>(p);
        const qint32 ms = qFromLittleEndian<qint32>(p + 4);
        const QDate date = QDate::fromJulianDay(day);
        if (isBlank(f, rec, dialect) || day <= 0 || !date.isValid() || ms < 0 || ms >= kMsPerDay)
            return QString();
        return QDateTime(date, QTime::fromMSecsSinceStartOfDay(ms)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (isBinaryInteger(f, dialect) || f.type == 'O' || (f.type == 'I' && f.length == 4) ||
        (f.type == 'B' && f.length == 8) || f.type == 'Y') {
        const auto v = readNumber(f, rec, dialect);
        return v ? QString::number(*v, 'g', 15) : QString();
    }
    // N, F and anything else kept as text: the digits as written, without padding.
    return cp.decode(p, f.length).trimmed();
}

quint32 readMemoBlock(const FieldLayout &f, const char *rec)
{
    const char *p = rec + f.offset;
    if (f.length == 4) // Visual FoxPro: binary block number
        return qFromLittleEndian<quint32>(p);
    if (quint32 block; shortnumber::readMemoBlock(p, f.length, block))
        return block;
    quint64 block = 0;
    int i = 0;
    // Blanks add nothing: the leading ones (most of the field) are skipped a word at a time.
    constexpr quint64 kBlanks = 0x2020202020202020ull;
    while (i + 8 <= f.length) {
        const quint64 other = qFromLittleEndian<quint64>(p + i) ^ kBlanks; // zero bytes are blanks
        if (other) {
            i += qCountTrailingZeroBits(other) / 8;
            break;
        }
        i += 8;
    }
    for (; i < f.length; ++i) {
        const char c = p[i];
        if (c >= '0' && c <= '9')
            block = block * 10 + quint64(c - '0');
        else if (c != ' ' && c != '\0')
            return 0; // not a pointer at all: read as no memo
        if (block > 0xFFFFFFFFull)
            return 0;
    }
    return quint32(block);
}

void writeMemoBlock(const FieldLayout &f, char *rec, Dialect dialect, quint32 block)
{
    char *p = rec + f.offset;
    if (f.length == 4) {
        qToLittleEndian<quint32>(block, p);
        return;
    }
    if (block == 0) {
        std::memset(p, ' ', size_t(f.length));
        return;
    }
    // Level-7 writers pad with zeros, the older ones with blanks.
    const QByteArray digits =
        QByteArray::number(block).rightJustified(f.length, dialect == Dialect::Level7 ? '0' : ' ');
    std::memcpy(p, digits.constData(), size_t(qMin<qsizetype>(digits.size(), f.length)));
}

void clear(const FieldLayout &f, char *rec, Dialect dialect)
{
    char *p = rec + f.offset;
    const bool zeroes =
        (dialect == Dialect::Level7 && (f.type == 'I' || f.type == '+' || f.type == 'O' || f.type == '@')) ||
        (dialect == Dialect::VisualFoxPro &&
         (f.type == 'I' || f.type == 'Y' || f.type == 'T' || f.type == 'B' || (f.isMemo() && f.length == 4)));
    std::memset(p, zeroes ? 0 : ' ', size_t(f.length));
}

namespace {

// A whole number right-aligned in a field of `length` characters, with `decimals` zeros after
// the point: what QByteArray::number(value, 'f', decimals) gives, without its cost.
bool writeWholeNumber(char *p, int length, int decimals, qint64 value)
{
    char text[40];
    int at = int(sizeof text);
    if (decimals > 0) {
        if (decimals > 20)
            return false;
        for (int i = 0; i < decimals; ++i)
            text[--at] = '0';
        text[--at] = '.';
    }
    quint64 magnitude = value < 0 ? quint64(-value) : quint64(value);
    do {
        text[--at] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        text[--at] = '-';
    const int size = int(sizeof text) - at;
    if (size > length)
        return false;
    std::memset(p, ' ', size_t(length - size));
    std::memcpy(p + length - size, text + at, size_t(size));
    return true;
}

} // namespace

bool writeNumber(const FieldLayout &f, char *rec, Dialect dialect, double value)
{
    char *p = rec + f.offset;
    if (!std::isfinite(value))
        return false;
    if (isBinaryInteger(f, dialect) || (f.type == 'I' && f.length == 4)) {
        if (value != std::floor(value) || value < -2147483647.0 || value > 2147483647.0)
            return false;
        if (dialect == Dialect::Level7)
            qToBigEndian<quint32>(quint32(qint32(value)) ^ 0x80000000u, p);
        else
            qToLittleEndian<qint32>(qint32(value), p);
        return true;
    }
    if (f.type == 'O' && f.length == 8) {
        writeLevel7Double(p, value);
        return true;
    }
    if (f.type == 'B' && f.length == 8) {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian<quint64>(bits, p);
        return true;
    }
    if (f.type == 'Y' && f.length == 8) {
        if (std::fabs(value) > 9e14)
            return false;
        qToLittleEndian<qint64>(qint64(std::llround(value * 10000.0)), p);
        return true;
    }
    if ((f.type == 'N' || f.type == 'F') && value == std::trunc(value) && std::fabs(value) < 1e15)
        return writeWholeNumber(p, f.length, f.decimals, qint64(value));
    if (f.type == 'N' || f.type == 'F') {
        QByteArray digits = QByteArray::number(value, 'f', f.decimals);
        if (digits.startsWith("-") && digits.count('0') + digits.count('.') == digits.size() - 1)
            digits.remove(0, 1); // no "-0"
        if (digits.size() > f.length)
            return false;
        digits = digits.rightJustified(f.length, ' ');
        std::memcpy(p, digits.constData(), size_t(f.length));
        return true;
    }
    if (f.type == 'C') {
        const QByteArray digits = QByteArray::number(value, 'g', 15);
        if (digits.size() > f.length)
            return false;
        std::memcpy(p, digits.leftJustified(f.length, ' ').constData(), size_t(f.length));
        return true;
    }
    if (f.type == 'L') {
        p[0] = value != 0 ? 'T' : 'F';
        return true;
    }
    return false;
}

bool writeText(const FieldLayout &f, char *rec, Dialect dialect, const CodePage &cp, const QString &text)
{
    char *p = rec + f.offset;
    if (f.type == 'C') {
        cp.encodeInto(text, p, f.length, ' ');
        return true;
    }
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        clear(f, rec, dialect);
        return true;
    }
    const QByteArray latin = trimmed.toLatin1();
    if (f.isNumeric()) {
        const auto v = parseDecimal(latin.constData(), int(latin.size()));
        return v && writeNumber(f, rec, dialect, *v);
    }
    if (f.type == 'L') {
        const char c = latin.at(0);
        if (!std::strchr("TtYyFfNn", c) || latin.size() > 5)
            return false;
        p[0] = std::strchr("TtYy", c) ? 'T' : 'F';
        return true;
    }
    if (f.type == 'D') {
        QDate d = QDate::fromString(trimmed, QStringLiteral("yyyyMMdd"));
        if (!d.isValid())
            d = QDate::fromString(trimmed, Qt::ISODate);
        if (!d.isValid() || f.length != 8)
            return false;
        std::memcpy(p, d.toString(QStringLiteral("yyyyMMdd")).toLatin1().constData(), 8);
        return true;
    }
    if (isFoxProDateTime(f, dialect)) {
        QDateTime dt = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(trimmed, Qt::ISODate);
        if (!dt.isValid())
            return false;
        qToLittleEndian<qint32>(qint32(dt.date().toJulianDay()), p);
        qToLittleEndian<qint32>(dt.time().msecsSinceStartOfDay(), p + 4);
        return true;
    }
    if (f.type == '@' && f.length == 8 && dialect == Dialect::Level7) {
        QDateTime dt = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(trimmed, Qt::ISODate);
        if (!dt.isValid())
            return false;
        const double ms = double((daysFromYearOne(dt.date()) + 1) * kMsPerDay + dt.time().msecsSinceStartOfDay());
        quint64 bits;
        std::memcpy(&bits, &ms, sizeof bits);
        qToBigEndian<quint64>(bits, p);
        return true;
    }
    return false;
}

QByteArray numberKey(double value)
{
    if (value == 0)
        value = 0; // one key for +0 and -0
    return QByteArray(reinterpret_cast<const char *>(&value), sizeof value);
}

QByteArray key(const FieldLayout &f, const char *rec, Dialect dialect)
{
    if (f.isNumeric())
        return numberKey(readNumber(f, rec, dialect).value_or(0.0));
    const char *p = rec + f.offset;
    if (f.type == 'L')
        return isBlank(f, rec, dialect) ? QByteArray() : QByteArray(1, std::strchr("TtYy", p[0]) ? 'T' : 'F');
    int n = f.length;
    while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
        --n;
    return QByteArray(p, n);
}

} // namespace ergotab::dbf::fieldcodec
