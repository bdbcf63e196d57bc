// Streams made from independently deflated chunks: any zlib inflater must read them as one
// stream, whatever the member's size relative to the chunk size, and damage must not pass.
#include "storage/archive/DeflateJoin.h"
#include "storage/archive/ParallelDeflater.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

using namespace ergotab::archive;

namespace {

constexpr qsizetype kChunk = ParallelDeflater::kChunkSize;

// Rows like a table's, with enough variety that chunks do not compress to nothing.
QByteArray tableLike(qsizetype size, uint32_t seed = 7)
{
    std::mt19937 random(seed);
    QByteArray out;
    out.reserve(size + 64);
    while (out.size() < size) {
        out += " Pracovi\x9At\x9A ";
        out += QByteArray::number(int(random() % 100000)).rightJustified(8, ' ');
        out += (random() % 3 == 0) ? " Sv\xE1\xF8\x65\xE8 " : " Obsluha lisu ";
        out += QByteArray::number(int(random() % 16)).rightJustified(4, '0');
    }
    out.truncate(size);
    return out;
}

QByteArray deflateInParallel(const QByteArray &data, int zlibLevel = 9)
{
    QByteArray out;
    ParallelDeflater deflater(zlibLevel, [&out](const char *d, qsizetype n) {
        out.append(d, n);
        return true;
    });
    // Feed in uneven pieces so chunk boundaries fall inside pieces.
    qsizetype at = 0;
    for (qsizetype piece = 1; at < data.size(); piece = (piece * 3 + 1) % 700001) {
        const qsizetype n = qMin(piece, data.size() - at);
        EXPECT_TRUE(deflater.feed(data.constData() + at, n));
        at += n;
    }
    EXPECT_TRUE(deflater.finish());
    return out;
}

int inflateInOneCall(const QByteArray &stream, qsizetype expectedSize, QByteArray &out)
{
    out = QByteArray(qMax<qsizetype>(expectedSize, 1), Qt::Uninitialized);
    uLongf size = uLongf(out.size());
    const int rc = uncompress(reinterpret_cast<Bytef *>(out.data()), &size,
                              reinterpret_cast<const Bytef *>(stream.constData()), uLong(stream.size()));
    out.truncate(qsizetype(size));
    return rc;
}

// Inflates with tiny input and output pieces, as a streaming reader would meet the bytes.
QByteArray inflateInPieces(const QByteArray &stream, qsizetype inPiece, int *finalCode)
{
    z_stream z {};
    inflateInit(&z);
    QByteArray out;
    char buffer[97];
    int rc = Z_OK;
    for (qsizetype at = 0; rc == Z_OK && at < stream.size();) {
        const qsizetype n = qMin(inPiece, stream.size() - at);
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.constData() + at));
        z.avail_in = uInt(n);
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer);
            z.avail_out = sizeof buffer;
            rc = inflate(&z, Z_NO_FLUSH);
            out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (rc == Z_OK && z.avail_out == 0);
        at += n - qsizetype(z.avail_in);
        if (rc == Z_BUF_ERROR)
            rc = Z_OK;
    }
    inflateEnd(&z);
    *finalCode = rc;
    return out;
}

} // namespace

TEST(ParallelDeflate, SizesAroundTheChunkSizeInflateWithZlibInOneCallAndInPieces)
{
    for (qsizetype size : {qsizetype(0), qsizetype(1), kChunk - 1, kChunk, kChunk + 1, 3 * kChunk + 12345}) {
        SCOPED_TRACE(size);
        const QByteArray data = tableLike(size);
        const QByteArray stream = deflateInParallel(data);
        QByteArray whole;
        ASSERT_EQ(inflateInOneCall(stream, size, whole), Z_OK);
        EXPECT_TRUE(whole == data);
        if (size <= kChunk + 1) { // byte-sized pieces through a multi-chunk stream take too long
            int rc = Z_OK;
            const QByteArray pieces = inflateInPieces(stream, 13, &rc);
            EXPECT_EQ(rc, Z_STREAM_END);
            EXPECT_TRUE(pieces == data);
        }
    }
}

TEST(ParallelDeflate, HeaderIsWhatZlibWritesForEachLevel)
{
    const QByteArray data = tableLike(5000);
    for (int level : {0, 1, -1, 9}) {
        uLongf size = compressBound(uLong(data.size()));
        QByteArray reference(qsizetype(size), Qt::Uninitialized);
        compress2(reinterpret_cast<Bytef *>(reference.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
                  uLong(data.size()), level);
        EXPECT_EQ(ParallelDeflater::zlibHeader(level), reference.left(2)) << level;
        const QByteArray stream = deflateInParallel(data, level);
        EXPECT_EQ(stream.left(2), reference.left(2)) << level;
        QByteArray back;
        EXPECT_EQ(inflateInOneCall(stream, data.size(), back), Z_OK) << level;
        EXPECT_TRUE(back == data) << level;
    }
}

TEST(ParallelDeflate, DamageInAnyChunkIsCaughtByTheInflater)
{
    const QByteArray data = tableLike(2 * kChunk + 999);
    const QByteArray stream = deflateInParallel(data);
    for (qsizetype at : {stream.size() / 5, stream.size() / 2, stream.size() - 6, stream.size() - 2}) {
        QByteArray damaged = stream;
        damaged[at] = char(damaged[at] ^ 0x10);
        QByteArray back;
        const int rc = inflateInOneCall(damaged, data.size(), back);
        EXPECT_TRUE(rc != Z_OK || back != data) << "damage at " << at << " passed";
        EXPECT_NE(rc, Z_OK) << "damage at " << at;
    }
}

TEST(ParallelDeflate, RefusingSinkStopsWithoutHanging)
{
    const QByteArray data = tableLike(3 * kChunk);
    int calls = 0;
    ParallelDeflater deflater(9, [&calls](const char *, qsizetype) { return ++calls < 3; });
    bool ok = deflater.feed(data.constData(), data.size());
    ok = ok && deflater.finish();
    EXPECT_FALSE(ok);
    EXPECT_FALSE(deflater.failed()) << "a refusal is not a failure to compress";
    EXPECT_EQ(calls, 3);
}

TEST(DeflateJoin, FinalBlockOfHandBuiltStreams)
{
    // Fixed-Huffman block holding only its end code: header bits 1,01 then seven zero bits.
    const std::optional<FinalBlock> fixedEmpty = findFinalBlock(QByteArray("\x03\x00", 2));
    ASSERT_TRUE(fixedEmpty);
    EXPECT_EQ(fixedEmpty->headerBit, 0);
    EXPECT_EQ(fixedEmpty->endBit, 10);

    // A non-final stored block of two bytes, then a final empty stored block.
    const QByteArray stored("\x00\x02\x00\xfd\xff"
                            "ab"
                            "\x01\x00\x00\xff\xff",
                            12);
    const std::optional<FinalBlock> last = findFinalBlock(stored);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->headerBit, 7 * 8);
    EXPECT_EQ(last->endBit, 12 * 8);

    // Clearing the final flag and appending a sync marker: the bytes zlib's sync flush makes.
    EXPECT_EQ(continuable(QByteArray("\x03\x00", 2)), QByteArray("\x02\x00\x00\x00\xff\xff", 6));
}

TEST(DeflateJoin, DamagedOrCutStreamsAreRefusedNotWalkedPast)
{
    const QByteArray data = tableLike(100000);
    z_stream z {};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray raw(qsizetype(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(raw.data());
    z.avail_out = uInt(raw.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    raw.truncate(qsizetype(z.total_out));
    deflateEnd(&z);

    const std::optional<FinalBlock> whole = findFinalBlock(raw);
    ASSERT_TRUE(whole);
    EXPECT_EQ((whole->endBit + 7) / 8, raw.size());
    for (qsizetype cut = 0; cut < raw.size(); cut += qMax<qsizetype>(1, raw.size() / 97))
        EXPECT_FALSE(findFinalBlock(raw.left(cut))) << cut;
    EXPECT_TRUE(continuable(raw.left(raw.size() / 2)).isEmpty());
    // A reserved block type is refused.
    EXPECT_FALSE(findFinalBlock(QByteArray("\x07\x00", 2)));
}

TEST(ParallelDeflate, TableRowsPackNoLargerThanZlibsHighestLevel)
{
    const QByteArray data = tableLike(3 * kChunk, 11);
    uLongf size = compressBound(uLong(data.size()));
    QByteArray reference(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(reference.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), 9);
    EXPECT_LE(double(deflateInParallel(data).size()), 1.03 * double(size));
}
