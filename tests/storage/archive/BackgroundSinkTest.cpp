// The second-thread consumer large members are written through: bytes arrive whole and in
// order, a refusal reaches the producer, and abandoning it never hangs.
#include "storage/archive/BackgroundSink.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <atomic>

using ergotab::archive::BackgroundSink;

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

TEST(BackgroundSink, BytesArriveWholeAndInOrderWhetherCopiedOrPlacedInItsSpace)
{
    const QByteArray data = pattern(BackgroundSink::kBufferSize * 5 + 12345);
    for (const bool inPlace : {false, true}) {
        QByteArray received;
        BackgroundSink sink([&](const char *bytes, qsizetype size) {
            received.append(bytes, size);
            return true;
        });
        qsizetype at = 0;
        for (qsizetype piece = 1; at < data.size(); piece = piece * 3 % 70001 + 1) {
            const qsizetype n = qMin(piece, data.size() - at);
            if (inPlace) {
                const std::span<char> room = sink.space();
                ASSERT_FALSE(room.empty());
                const qsizetype placed = qMin<qsizetype>(n, qsizetype(room.size()));
                std::memcpy(room.data(), data.constData() + at, size_t(placed));
                ASSERT_TRUE(sink.write(room.data(), placed));
                at += placed;
            } else {
                ASSERT_TRUE(sink.write(data.constData() + at, n));
                at += n;
            }
        }
        ASSERT_TRUE(sink.finish());
        EXPECT_EQ(received.size(), data.size()) << "in place: " << inPlace;
        EXPECT_TRUE(received == data) << "in place: " << inPlace;
        EXPECT_TRUE(sink.finish()) << "a second finish is harmless";
    }
}

TEST(BackgroundSink, RefusalReachesTheProducerAndStopsFurtherConsumption)
{
    std::atomic<int> calls = 0;
    BackgroundSink sink([&](const char *, qsizetype) { return ++calls < 2; });
    const QByteArray piece = pattern(BackgroundSink::kBufferSize);
    bool refused = false;
    for (int i = 0; i < 50 && !refused; ++i)
        refused = !sink.write(piece.constData(), piece.size());
    EXPECT_TRUE(refused) << "the producer hears of the refusal while it is still writing";
    EXPECT_FALSE(sink.finish());
    EXPECT_EQ(calls, 2) << "nothing is handed on after the refusal";
}

TEST(BackgroundSink, AbandonedWithBytesQueuedStopsWithoutHanging)
{
    std::atomic<qsizetype> consumed = 0;
    {
        BackgroundSink sink([&](const char *, qsizetype size) {
            consumed += size;
            return true;
        });
        const QByteArray piece = pattern(BackgroundSink::kBufferSize * 4);
        ASSERT_TRUE(sink.write(piece.constData(), piece.size()));
    }
    EXPECT_LE(consumed, BackgroundSink::kBufferSize * 4);
}
