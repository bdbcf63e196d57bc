#include "Crc32.h"

#include <zlib.h>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ERGOTAB_CRC_FOLDING 1
#include <immintrin.h>
#endif

namespace ergotab::archive {

namespace {

quint32 zlibCrc(quint32 crc, const unsigned char *data, qsizetype size)
{
    // zlib takes 32-bit lengths; feed huge pieces in slices.
    while (size > 0) {
        const uInt n = uInt(qMin<qsizetype>(size, 1 << 30));
        crc = quint32(crc32(crc, data, n));
        data += n;
        size -= n;
    }
    return crc;
}

#ifdef ERGOTAB_CRC_FOLDING

#define ERGOTAB_FOLDING_TARGET __attribute__((target("pclmul,sse4.1")))

ERGOTAB_FOLDING_TARGET inline __m128i load(const unsigned char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

// One folding step: x times the constant pair, added to the next 16 bytes.
ERGOTAB_FOLDING_TARGET inline __m128i fold(__m128i x, __m128i k, __m128i next)
{
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// Folding with carry-less multiplication (Gopal et al., "Fast CRC Computation for Generic
// Polynomials Using PCLMULQDQ", Intel 2009), constants for the bit-reflected 0xEDB88320.
// Takes the CRC register as it stands inside the loop (not complemented); `size` is a
// multiple of 16 and at least 64.
ERGOTAB_FOLDING_TARGET quint32 foldCrc(quint32 crc, const unsigned char *buf, qsizetype size)
{
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    const __m128i k5k0 = _mm_set_epi64x(0, 0x0163cd6124);
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);

    __m128i x1 = _mm_xor_si128(load(buf), _mm_cvtsi32_si128(int(crc)));
    __m128i x2 = load(buf + 16), x3 = load(buf + 32), x4 = load(buf + 48);
    buf += 64;
    size -= 64;
    while (size >= 64) {
        x1 = fold(x1, k1k2, load(buf));
        x2 = fold(x2, k1k2, load(buf + 16));
        x3 = fold(x3, k1k2, load(buf + 32));
        x4 = fold(x4, k1k2, load(buf + 48));
        buf += 64;
        size -= 64;
    }
    x1 = fold(x1, k3k4, x2);
    x1 = fold(x1, k3k4, x3);
    x1 = fold(x1, k3k4, x4);
    while (size >= 16) {
        x1 = fold(x1, k3k4, load(buf));
        buf += 16;
        size -= 16;
    }
    // 128 bits to 64, then Barrett reduction to 32.
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5k0, 0x00), _mm_srli_si128(x1, 4));
    __m128i x2r = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    x2r = _mm_clmulepi64_si128(_mm_and_si128(x2r, low32), poly, 0x00);
    return quint32(_mm_extract_epi32(_mm_xor_si128(x1, x2r), 1));
}

bool canFold()
{
    static const bool supported = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return supported;
}

#endif

} // namespace

void Crc32::update(const char *data, qsizetype size)
{
    auto bytes = reinterpret_cast<const unsigned char *>(data);
#ifdef ERGOTAB_CRC_FOLDING
    if (size >= 64 && canFold()) {
        const qsizetype folded = size & ~qsizetype(15);
        m_value = ~foldCrc(~m_value, bytes, folded);
        bytes += folded;
        size -= folded;
    }
#endif
    m_value = zlibCrc(m_value, bytes, size);
}

} // namespace ergotab::archive
