#include "CodePage.h"

#include "CodePageTables.h"

#include <QList>
#include <QTextBoundaryFinder>
#include <QtAlgorithms>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ergotab {

CodePage::CodePage(Id id, int number, const char16_t *upper)
    : m_id(id)
    , m_number(number)
{
    for (int b = 0; b < 128; ++b)
        m_toUnicode[b] = char16_t(b);
    for (int b = 0; b < 128; ++b)
        m_toUnicode[128 + b] = upper[b];
    for (int b = 128; b < 256; ++b) {
        if (m_toUnicode[b] != 0xFFFD)
            m_fromUnicode.emplace(m_toUnicode[b], static_cast<unsigned char>(b));
    }
}

const CodePage &CodePage::get(Id id)
{
    using namespace codepage;
    static const CodePage pages[] = {
        {Windows1250, 1250, cp1250Upper}, {Windows1252, 1252, cp1252Upper}, {Windows1251, 1251, cp1251Upper},
        {Cp852, 852, cp852Upper},         {Cp867, 867, cp867Upper},         {Cp437, 437, cp437Upper},
        {Cp850, 850, cp850Upper},         {Cp866, 866, cp866Upper},
    };
    return pages[id];
}

QString CodePage::decode(const char *data, qsizetype size) const
{
    QString text(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const unsigned char *in = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    // Most text is ASCII, which maps to itself: each block of sixteen bytes is widened as it
    // is, and only its bytes above 0x7F are then looked up in the table.
#if defined(__SSE2__)
    const auto widenBlock = [&](qsizetype at) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + at));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at), _mm_unpacklo_epi8(block, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + at + 8), _mm_unpackhi_epi8(block, _mm_setzero_si128()));
        for (unsigned high = unsigned(_mm_movemask_epi8(block)); high; high &= high - 1) {
            const qsizetype k = at + qCountTrailingZeroBits(high);
            out[k] = m_toUnicode[in[k]];
        }
    };
    if (size >= 16) {
        for (; i + 16 <= size; i += 16)
            widenBlock(i);
        if (i < size)
            widenBlock(size - 16); // the last bytes, overlapping what is done already
        return text;
    }
#endif
    for (; i < size; ++i)
        out[i] = m_toUnicode[in[i]];
    return text;
}

namespace {

// Below U+0300 every UTF-16 unit is a whole character of its own: no surrogates, no combining
// marks, nothing that normalisation would join. Such text maps unit by unit.
bool isOneUnitPerCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x300)
            return false;
    }
    return true;
}

} // namespace

char CodePage::byteFor(char32_t c) const
{
    if (c < 0x80)
        return char(c);
    if (c > 0xFFFF)
        return '?';
    const auto it = m_fromUnicode.find(char16_t(c));
    return it == m_fromUnicode.end() ? '?' : char(it->second);
}

QByteArray CodePage::encodeCharacters(const QString &text, qsizetype limit) const
{
    // Letters typed as a base and a combining accent are joined first, so "e" + U+0301 is one
    // byte where the code page has "é". Then each user-visible character is taken whole: its
    // bytes when the code page holds all of it, otherwise a single '?'; a character that would
    // not fit in the limit is left out with everything after it.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QByteArray out;
    out.reserve(qMin(limit, composed.size()));
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, composed);
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end > 0; start = end, end = graphemes.toNextBoundary()) {
        QByteArray bytes;
        bool whole = true;
        for (const uint c : QStringView(composed).mid(start, end - start).toUcs4()) {
            const char b = byteFor(c);
            whole = whole && (b != '?' || c == '?');
            bytes.append(b);
        }
        if (!whole)
            bytes = QByteArray(1, '?');
        if (out.size() + bytes.size() > limit)
            break;
        out.append(bytes);
    }
    return out;
}

void CodePage::encodeInto(const QString &text, char *out, qsizetype size, char pad) const
{
    if (!isOneUnitPerCharacter(text)) {
        const QByteArray bytes = encodeCharacters(text, size);
        std::memcpy(out, bytes.constData(), size_t(bytes.size()));
        std::memset(out + bytes.size(), pad, size_t(size - bytes.size()));
        return;
    }
    const qsizetype n = qMin(size, text.size());
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < n; ++i)
        out[i] = byteFor(in[i].unicode());
    for (qsizetype i = n; i < size; ++i)
        out[i] = pad;
}

bool CodePage::canEncode(const QString &text) const
{
    const auto holds = [this](const QString &t) {
        for (const QChar c : t) {
            if (c.unicode() >= 0x80 && m_fromUnicode.find(c.unicode()) == m_fromUnicode.end())
                return false;
        }
        return true;
    };
    return holds(text) || holds(text.normalized(QString::NormalizationForm_C));
}

QByteArray CodePage::encode(const QString &text) const
{
    if (!isOneUnitPerCharacter(text))
        return encodeCharacters(text, text.size());
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data(), bytes.size(), ' ');
    return bytes;
}

} // namespace ergotab
