#pragma once

#include <QtAlgorithms>
#include <QtEndian>
#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Numbers and memo pointers in fields of 8 to 16 bytes (N(11,0), M(10) and their kin) in their
// common shapes, read sixteen bytes at once. Inline, because every row read of a table of such
// fields goes through here many times; anything unusual is left to the byte-by-byte readers.
namespace ergotab::dbf::shortnumber {

// Where the blanks (space or NUL) and the digits of the field are: bit i of each mask stands
// for byte i. Two overlapping 8-byte loads cover the field without reading past it.
struct DigitShape
{
    unsigned blanks = 0;
    unsigned digits = 0;
};

inline quint64 load8(const char *p)
{
    return qFromLittleEndian<quint64>(p);
}

inline DigitShape digitShape(const char *p, int n)
{
#if defined(__SSE2__)
    const __m128i v = _mm_set_epi64x(qint64(load8(p + n - 8)), qint64(load8(p)));
    const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_setzero_si128()));
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset);
    const auto toField = [n](unsigned lanes) { return (lanes & 0xFFu) | ((lanes >> 8) << (n - 8)); };
    return {toField(unsigned(_mm_movemask_epi8(blank))), toField(unsigned(_mm_movemask_epi8(digit)))};
#else
    DigitShape shape;
    for (int i = 0; i < n; ++i) {
        shape.blanks |= unsigned(p[i] == ' ' || p[i] == '\0') << i;
        shape.digits |= unsigned(p[i] >= '0' && p[i] <= '9') << i;
    }
    return shape;
#endif
}

// The value of the last `count` (1 to 8) bytes of p[0, 8), all of them digits.
inline quint64 lastDigits(const char *p, int count)
{
    const quint64 keep = ~quint64(0) << (8 * (8 - count));
    quint64 w = (load8(p) & keep) | (0x3030303030303030ull & ~keep); // the rest read as '0'
    w -= 0x3030303030303030ull;
    w = w * 10 + (w >> 8);
    return (((w & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((w >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
}

// How many digits the field ends in.
inline int trailingDigitCount(const DigitShape &shape, int n)
{
    const unsigned notDigit = ~shape.digits & ((1u << n) - 1);
    return notDigit ? n - 1 - (31 - qCountLeadingZeroBits(notDigit)) : n;
}

// A blank field (0), or blanks, an optional minus and up to eight digits at the end. False
// when the field has another shape or size: the caller reads it byte by byte.
inline bool readPlainInteger(const char *p, int n, qint64 &value)
{
    if (n < 8 || n > 16)
        return false;
    const DigitShape shape = digitShape(p, n);
    const unsigned all = (1u << n) - 1;
    if (shape.blanks == all) {
        value = 0;
        return true;
    }
    const int count = trailingDigitCount(shape, n);
    if (count == 0 || count > 8)
        return false;
    int prefix = n - count;
    const bool negative = prefix > 0 && p[prefix - 1] == '-';
    prefix -= negative ? 1 : 0;
    const unsigned prefixMask = (1u << prefix) - 1;
    if ((shape.blanks & prefixMask) != prefixMask)
        return false;
    const qint64 v = qint64(lastDigits(p + n - 8, count));
    value = negative ? -v : v;
    return true;
}

// A memo pointer: blank (0), blanks then up to eight digits, or anything holding a byte that
// is neither (0: no memo). False for other shapes and sizes.
inline bool readMemoBlock(const char *p, int n, quint32 &block)
{
    if (n < 8 || n > 16)
        return false;
    const DigitShape shape = digitShape(p, n);
    const unsigned all = (1u << n) - 1;
    if ((shape.blanks | shape.digits) != all || shape.blanks == all) {
        block = 0;
        return true;
    }
    const int count = trailingDigitCount(shape, n);
    const unsigned prefixMask = (1u << (n - count)) - 1;
    if (count == 0 || count > 8 || (shape.blanks & prefixMask) != prefixMask)
        return false;
    block = quint32(lastDigits(p + n - 8, count));
    return true;
}

} // namespace ergotab::dbf::shortnumber
