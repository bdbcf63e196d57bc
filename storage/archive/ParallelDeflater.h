#pragma once

#include "ZlibStreams.h"

#include <QByteArray>

#include <deque>
#include <future>
#include <memory>
#include <vector>

namespace ergotab::archive {

// Makes one zlib stream (RFC 1950) from a member on every core at once. The input is cut into
// chunks that are deflated independently with libdeflate and joined into one raw deflate
// stream; the Adler-32 of the whole member is combined from the chunks'. Output reaches the
// sink in order. At most a few chunks are in flight, so memory stays bounded whatever the size.
class ParallelDeflater
{
public:
    // Input chunk size: large enough that starting each chunk without history costs little ratio.
    static constexpr qsizetype kChunkSize = 4 * 1024 * 1024;

    // `zlibLevel` is the raw zlib level (0, 1, -1 or 9) that the container's level selects.
    ParallelDeflater(int zlibLevel, ByteSink sink);
    ~ParallelDeflater();
    ParallelDeflater(const ParallelDeflater &) = delete;
    ParallelDeflater &operator=(const ParallelDeflater &) = delete;

    // Takes more input. False when the sink refused or compression failed; then stop feeding.
    bool feed(const char *data, qsizetype size);
    // Compresses what is left and writes the stream's end. False as for feed().
    bool finish();
    // True when a chunk could not be compressed (out of memory): a failure to write, not a refusal.
    bool failed() const { return m_failed; }

    // The zlib header bytes a zlib deflater writes for this level.
    static QByteArray zlibHeader(int zlibLevel);

private:
    struct Chunk;

    void submit(bool last);
    bool drainOne();
    bool drainWhileMoreThan(size_t inFlight);

    std::vector<int> m_levels; // libdeflate levels tried on a chunk; the smallest result is kept
    int m_winner = -1;         // the level that made the last chunk taken
    int m_submitted = 0;
    ByteSink m_sink;
    QByteArray m_pending;
    std::deque<std::future<std::shared_ptr<Chunk>>> m_inFlight;
    size_t m_maxInFlight;
    QByteArray m_pendingHeader; // written before the first chunk's bytes
    quint32 m_adler = 1;
    bool m_failed = false;
    bool m_stopped = false;
};

} // namespace ergotab::archive
