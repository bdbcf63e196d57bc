#pragma once

#include <QByteArray>

#include <zlib.h>

#include <functional>
#include <span>

// Thin owners of zlib's deflate and inflate states, so that every exit path frees them.
namespace ergotab::archive {

// Receives compressed or decompressed bytes; returns false to stop (a write failed, or the
// caller has seen enough).
using ByteSink = std::function<bool(const char *data, qsizetype size)>;

// Room for the next output, offered by a consumer that would otherwise copy what it is given:
// an Inflater given one inflates straight into that room and passes the same bytes to its sink.
using OutputSpace = std::function<std::span<char>()>;

class Deflater
{
public:
    // Raw zlib level (0, 1, -1, 9); 15-bit window, memory level 8, default strategy.
    explicit Deflater(int level);
    ~Deflater();
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    // Compresses `size` more bytes; `finish` ends the stream. Output goes to `sink` in pieces of
    // at most kPieceSize bytes. Returns false when zlib fails or the sink refuses.
    bool feed(const char *data, qsizetype size, bool finish, const ByteSink &sink);

private:
    z_stream m_stream {};
    bool m_ready = false;
    QByteArray m_out;
};

// Result of pushing input through an Inflater.
enum class InflateStatus { NeedInput, StreamEnd, Error, SinkStopped };

class Inflater
{
public:
    Inflater();
    ~Inflater();
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    // Decompresses all of `data` (or up to the stream's end). `consumed` tells how much input the
    // stream used, which matters only at StreamEnd.
    InflateStatus feed(const char *data, qsizetype size, const ByteSink &sink, qsizetype *consumed = nullptr);
    void setOutputSpace(OutputSpace space) { m_space = std::move(space); }

private:
    z_stream m_stream {};
    bool m_ready = false;
    QByteArray m_out;
    OutputSpace m_space;
};

// Compresses a whole buffer as one zlib stream at the given raw level; empty on failure.
QByteArray deflateAll(const QByteArray &data, int level);

} // namespace ergotab::archive
