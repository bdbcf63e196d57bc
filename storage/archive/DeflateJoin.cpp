#include "DeflateJoin.h"

#include <array>

namespace ergotab::archive {

namespace {

constexpr int kMaxBits = 15;

// Reads bits least significant first, as deflate packs them. Running past the end is an error
// the caller sees through ok(); the reader then returns zeros so loops still end.
class BitReader
{
public:
    explicit BitReader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData()))
        , m_bits(qint64(bytes.size()) * 8)
    {
    }

    int bit()
    {
        if (m_pos >= m_bits) {
            m_ok = false;
            return 0;
        }
        const int b = (m_data[m_pos >> 3] >> (m_pos & 7)) & 1;
        ++m_pos;
        return b;
    }

    int bits(int count)
    {
        int value = 0;
        for (int i = 0; i < count; ++i)
            value |= bit() << i;
        return value;
    }

    void toByteBoundary() { m_pos = (m_pos + 7) & ~qint64(7); }
    void skipBytes(qint64 count)
    {
        m_pos += count * 8;
        if (m_pos > m_bits)
            m_ok = false;
    }
    qint64 position() const { return m_pos; }
    bool ok() const { return m_ok; }

private:
    const uchar *m_data;
    qint64 m_bits;
    qint64 m_pos = 0;
    bool m_ok = true;
};

// A canonical Huffman code as deflate defines it, decoded a bit at a time (codes arrive most
// significant bit first).
class Huffman
{
public:
    bool build(const short *lengths, int symbols)
    {
        m_count.fill(0);
        for (int s = 0; s < symbols; ++s)
            ++m_count[lengths[s]];
        if (m_count[0] == symbols)
            return true; // no codes: only valid for an unused distance code
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = (left << 1) - m_count[len];
            if (left < 0)
                return false; // over-subscribed
        }
        std::array<short, kMaxBits + 1> offsets {};
        for (int len = 1; len < kMaxBits; ++len)
            offsets[len + 1] = short(offsets[len] + m_count[len]);
        for (int s = 0; s < symbols; ++s)
            if (lengths[s] != 0)
                m_symbol[offsets[lengths[s]]++] = short(s);
        return true;
    }

    int decode(BitReader &in) const
    {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            code |= in.bit();
            const int count = m_count[len];
            if (code - count < first)
                return m_symbol[index + (code - first)];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
            if (!in.ok())
                return -1;
        }
        return -1;
    }

private:
    std::array<short, kMaxBits + 1> m_count {};
    std::array<short, 288> m_symbol {};
};

constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

bool skipCodes(BitReader &in, const Huffman &lengths, const Huffman &distances)
{
    for (;;) {
        const int symbol = lengths.decode(in);
        if (symbol < 0 || !in.ok())
            return false;
        if (symbol == 256)
            return true;
        if (symbol < 256)
            continue;
        const int lengthCode = symbol - 257;
        if (lengthCode >= 29)
            return false;
        in.bits(kLengthExtra[size_t(lengthCode)]);
        const int distanceCode = distances.decode(in);
        if (distanceCode < 0 || distanceCode >= 30)
            return false;
        in.bits(distanceCode < 4 ? 0 : (distanceCode - 2) / 2);
    }
}

bool skipFixed(BitReader &in)
{
    static const auto codes = [] {
        std::array<short, 288 + 30> lengths {};
        for (int s = 0; s < 288; ++s)
            lengths[size_t(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        for (int s = 0; s < 30; ++s)
            lengths[size_t(288 + s)] = 5;
        std::pair<Huffman, Huffman> built;
        built.first.build(lengths.data(), 288);
        built.second.build(lengths.data() + 288, 30);
        return built;
    }();
    return skipCodes(in, codes.first, codes.second);
}

bool skipDynamic(BitReader &in)
{
    static constexpr std::array<int, 19> order = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int literalCount = in.bits(5) + 257;
    const int distanceCount = in.bits(5) + 1;
    const int codeLengthCount = in.bits(4) + 4;
    if (literalCount > 286 || distanceCount > 30)
        return false;
    std::array<short, 320> lengths {};
    for (int i = 0; i < codeLengthCount; ++i)
        lengths[size_t(order[size_t(i)])] = short(in.bits(3));
    Huffman codeLengths;
    if (!codeLengths.build(lengths.data(), 19))
        return false;
    lengths.fill(0);
    for (int i = 0; i < literalCount + distanceCount;) {
        int symbol = codeLengths.decode(in);
        if (symbol < 0 || !in.ok())
            return false;
        if (symbol < 16) {
            lengths[size_t(i++)] = short(symbol);
            continue;
        }
        short repeated = 0;
        int times = 0;
        if (symbol == 16) {
            if (i == 0)
                return false;
            repeated = lengths[size_t(i - 1)];
            times = 3 + in.bits(2);
        } else if (symbol == 17) {
            times = 3 + in.bits(3);
        } else {
            times = 11 + in.bits(7);
        }
        if (i + times > literalCount + distanceCount)
            return false;
        while (times--)
            lengths[size_t(i++)] = repeated;
    }
    if (lengths[256] == 0)
        return false; // no end-of-block code
    Huffman literals;
    Huffman distances;
    if (!literals.build(lengths.data(), literalCount) || !distances.build(lengths.data() + literalCount, distanceCount))
        return false;
    return skipCodes(in, literals, distances);
}

} // namespace

std::optional<FinalBlock> findFinalBlock(const QByteArray &rawDeflate)
{
    BitReader in(rawDeflate);
    for (;;) {
        const qint64 header = in.position();
        const bool last = in.bit() == 1;
        const int type = in.bits(2);
        bool ok = false;
        if (type == 0) {
            in.toByteBoundary();
            const int length = in.bits(16);
            const int complement = in.bits(16);
            ok = in.ok() && (length ^ 0xFFFF) == complement;
            in.skipBytes(length);
        } else if (type == 1) {
            ok = skipFixed(in);
        } else if (type == 2) {
            ok = skipDynamic(in);
        }
        if (!ok || !in.ok())
            return std::nullopt;
        if (last)
            return FinalBlock {header, in.position()};
    }
}

QByteArray continuable(const QByteArray &rawDeflate)
{
    const std::optional<FinalBlock> final = findFinalBlock(rawDeflate);
    if (!final)
        return {};
    // The end of the stream plus three bits of an empty stored block's header, whole bytes.
    const qint64 headerEnd = final->endBit + 3;
    QByteArray out = rawDeflate.left((headerEnd + 7) / 8);
    out.resize((headerEnd + 7) / 8, '\0');
    out[final->headerBit / 8] = char(uchar(out[final->headerBit / 8]) & ~(1u << (final->headerBit % 8)));
    // Clear whatever padding followed the end: the stored block's header and its padding are zeros.
    const int usedInLastByte = int(final->endBit % 8);
    if (usedInLastByte != 0)
        out[final->endBit / 8] = char(uchar(out[final->endBit / 8]) & ((1u << usedInLastByte) - 1));
    for (qint64 byte = (final->endBit + 7) / 8; byte < out.size(); ++byte)
        out[byte] = '\0';
    out.append("\x00\x00\xff\xff", 4);
    return out;
}

} // namespace ergotab::archive
