#include "ParallelDeflater.h"

#include "DeflateJoin.h"

#include "ArchiveTypes.h"

#include <QThread>
#include <QtEndian>

#include <libdeflate.h>
#include <zlib.h>

namespace ergotab::archive {

namespace {

// libdeflate's levels for the zlib level the container uses, thorough level first. At the
// highest level a chunk is also made with libdeflate's faster parser and the smaller result
// kept: its thorough parser does badly on long runs of one byte (the padding of memo files),
// where the faster one beats zlib; elsewhere the thorough one wins. Which one wins holds for a
// whole member, so between rounds of trying both only the last winner is used.
std::vector<int> libdeflateLevels(int zlibLevel)
{
    if (zlibLevel < 0)
        return {6};
    if (zlibLevel >= 9)
        return {9, 6};
    return {zlibLevel};
}

struct CompressorDeleter
{
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

// One raw deflate stream of the whole input; empty when libdeflate cannot allocate.
QByteArray deflateRaw(const QByteArray &input, int level)
{
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(level));
    if (!compressor)
        return {};
    QByteArray out(qsizetype(libdeflate_deflate_compress_bound(compressor.get(), size_t(input.size()))),
                   Qt::Uninitialized);
    const size_t made = libdeflate_deflate_compress(compressor.get(), input.constData(), size_t(input.size()),
                                                    out.data(), size_t(out.size()));
    out.truncate(qsizetype(made));
    return out;
}

} // namespace

struct ParallelDeflater::Chunk
{
    QByteArray deflated; // raw deflate, continuable unless it is the last chunk
    int level = 0;       // the libdeflate level that made it
    quint32 adler = 1;
    qint64 length = 0;
    bool ok = false;
};

ParallelDeflater::ParallelDeflater(int zlibLevel, ByteSink sink)
    : m_levels(libdeflateLevels(zlibLevel))
    , m_sink(std::move(sink))
    , m_maxInFlight(size_t(qMax(1, QThread::idealThreadCount())) + 1)
{
    m_pending.reserve(kChunkSize);
    m_pendingHeader = zlibHeader(zlibLevel);
}

ParallelDeflater::~ParallelDeflater()
{
    // Jobs own their input; waiting here only keeps threads from outliving the deflater.
    for (auto &job : m_inFlight)
        job.wait();
}

QByteArray ParallelDeflater::zlibHeader(int zlibLevel)
{
    // CMF: deflate with a 32 KiB window; FLG: the level hint zlib writes, plus the check bits.
    const int hint = zlibLevel < 0 ? 2 : zlibLevel < 2 ? 0 : zlibLevel < 6 ? 1 : zlibLevel == 6 ? 2 : 3;
    const int cmf = 0x78;
    int flg = hint << 6;
    flg += 31 - (cmf * 256 + flg) % 31;
    QByteArray header;
    header.append(char(cmf));
    header.append(char(flg));
    return header;
}

bool ParallelDeflater::feed(const char *data, qsizetype size)
{
    while (size > 0 && !m_stopped) {
        const qsizetype take = qMin(size, kChunkSize - m_pending.size());
        m_pending.append(data, take);
        data += take;
        size -= take;
        if (m_pending.size() == kChunkSize)
            submit(false);
    }
    return !m_stopped;
}

bool ParallelDeflater::finish()
{
    if (!m_stopped)
        submit(true);
    if (!drainWhileMoreThan(0))
        return false;
    QByteArray trailer(4, '\0');
    qToBigEndian(m_adler, trailer.data());
    m_stopped = !m_sink(trailer.constData(), trailer.size());
    return !m_stopped;
}

void ParallelDeflater::submit(bool last)
{
    if (!drainWhileMoreThan(m_maxInFlight - 1))
        return;
    auto input = std::make_shared<QByteArray>(std::move(m_pending));
    m_pending = QByteArray();
    if (!last)
        m_pending.reserve(kChunkSize);
    constexpr int kRetryEvery = 8;
    const bool tryAll = m_winner < 0 || m_submitted++ % kRetryEvery == 0;
    const std::vector<int> levels = tryAll ? m_levels : std::vector<int> {m_winner};
    m_inFlight.push_back(std::async(std::launch::async, [input, levels, last] {
        auto chunk = std::make_shared<Chunk>();
        chunk->length = input->size();
        try {
            chunk->adler = quint32(libdeflate_adler32(1, input->constData(), size_t(input->size())));
            QByteArray best;
            for (int level : levels) {
                const QByteArray made = deflateRaw(*input, level);
                if (made.isEmpty())
                    return chunk;
                if (best.isEmpty() || made.size() < best.size()) {
                    best = made;
                    chunk->level = level;
                }
            }
            chunk->deflated = last ? best : continuable(best);
            chunk->ok = !chunk->deflated.isEmpty();
        } catch (const std::bad_alloc &) {
            chunk->ok = false; // reported by the reading thread as a failure to write
        }
        return chunk;
    }));
}

bool ParallelDeflater::drainOne()
{
    const std::shared_ptr<Chunk> chunk = m_inFlight.front().get();
    m_inFlight.pop_front();
    if (!chunk->ok) {
        m_failed = true;
        m_stopped = true;
        return false;
    }
    if (!m_pendingHeader.isEmpty()) {
        if (!m_sink(m_pendingHeader.constData(), m_pendingHeader.size())) {
            m_stopped = true;
            return false;
        }
        m_pendingHeader.clear();
    }
    m_adler = quint32(adler32_combine64(m_adler, chunk->adler, chunk->length));
    m_winner = chunk->level;
    for (qsizetype at = 0; at < chunk->deflated.size(); at += kPieceSize) {
        const qsizetype piece = qMin(kPieceSize, chunk->deflated.size() - at);
        if (!m_sink(chunk->deflated.constData() + at, piece)) {
            m_stopped = true;
            return false;
        }
    }
    return true;
}

bool ParallelDeflater::drainWhileMoreThan(size_t inFlight)
{
    while (m_inFlight.size() > inFlight && !m_stopped)
        drainOne();
    return !m_stopped;
}

} // namespace ergotab::archive
