#include "CodePage.h"

#include "CodePageTables.h"

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

void CodePage::encodeInto(const QString &text, char *out, qsizetype size, char pad) const
{
    const qsizetype n = qMin(size, text.size());
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i].unicode();
        if (c < 0x80) {
            out[i] = char(c);
        } else {
            const auto it = m_fromUnicode.find(c);
            out[i] = it == m_fromUnicode.end() ? '?' : char(it->second);
        }
    }
    for (qsizetype i = n; i < size; ++i)
        out[i] = pad;
}

QByteArray CodePage::encode(const QString &text) const
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data(), bytes.size(), ' ');
    return bytes;
}

} // namespace ergotab
