#include "ZlibStreams.h"

#include "ArchiveTypes.h"

namespace ergotab::archive {

Deflater::Deflater(int level)
    : m_out(kPieceSize, Qt::Uninitialized)
{
    m_ready = deflateInit2(&m_stream, level, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}

Deflater::~Deflater()
{
    if (m_ready)
        deflateEnd(&m_stream);
}

bool Deflater::feed(const char *data, qsizetype size, bool finish, const ByteSink &sink)
{
    if (!m_ready)
        return false;
    m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    m_stream.avail_in = uInt(size);
    const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
    for (;;) {
        m_stream.next_out = reinterpret_cast<Bytef *>(m_out.data());
        m_stream.avail_out = uInt(m_out.size());
        const int rc = deflate(&m_stream, flush);
        if (rc == Z_STREAM_ERROR)
            return false;
        const qsizetype produced = m_out.size() - qsizetype(m_stream.avail_out);
        if (produced > 0 && !sink(m_out.constData(), produced))
            return false;
        if (finish) {
            if (rc == Z_STREAM_END)
                return true;
            if (rc == Z_BUF_ERROR && produced == 0)
                return false; // no progress possible; never spin
        } else if (m_stream.avail_out != 0) {
            return true; // all input taken, nothing pending in zlib's output
        }
    }
}

Inflater::Inflater()
    : m_out(kPieceSize, Qt::Uninitialized)
{
    m_ready = inflateInit(&m_stream) == Z_OK;
}

Inflater::~Inflater()
{
    if (m_ready)
        inflateEnd(&m_stream);
}

InflateStatus Inflater::feed(const char *data, qsizetype size, const ByteSink &sink, qsizetype *consumed)
{
    if (!m_ready)
        return InflateStatus::Error;
    m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    m_stream.avail_in = uInt(size);
    for (;;) {
        const std::span<char> room = m_space ? m_space() : std::span<char>(m_out.data(), size_t(m_out.size()));
        m_stream.next_out = reinterpret_cast<Bytef *>(room.data());
        m_stream.avail_out = uInt(qMin<size_t>(room.size(), kPieceSize));
        const qsizetype offered = qsizetype(m_stream.avail_out);
        const int rc = inflate(&m_stream, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
            return InflateStatus::Error;
        const qsizetype produced = offered - qsizetype(m_stream.avail_out);
        if (produced > 0 && !sink(room.data(), produced))
            return InflateStatus::SinkStopped;
        if (consumed)
            *consumed = size - qsizetype(m_stream.avail_in);
        if (rc == Z_STREAM_END)
            return InflateStatus::StreamEnd;
        if (m_stream.avail_out == 0)
            continue; // the output piece was full: more may be waiting
        // Room was left, so zlib took everything it could; leftover input means it is stuck.
        return m_stream.avail_in == 0 ? InflateStatus::NeedInput : InflateStatus::Error;
    }
}

QByteArray deflateAll(const QByteArray &data, int level)
{
    QByteArray out;
    Deflater deflater(level);
    const bool ok = deflater.feed(data.constData(), data.size(), true, [&out](const char *d, qsizetype n) {
        out.append(d, n);
        return true;
    });
    return ok ? out : QByteArray();
}

} // namespace ergotab::archive
