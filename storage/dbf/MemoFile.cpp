#include "MemoFile.h"

#include "Table.h"
#include "TableFiles.h"

#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace ergotab::dbf {

namespace {

constexpr char kDbt4Signature[4] = {char(0xFF), char(0xFF), 0x08, 0x00};

qint64 blocksFor(qint64 bytes, int blockSize)
{
    return (bytes + blockSize - 1) / blockSize;
}

} // namespace

MemoFile::MemoFile(MemoFormat format, const QString &path, const QString &tableName)
    : m_format(format)
    , m_tableName(tableName)
    , m_file(path)
{
}

MemoFile::~MemoFile() = default;

void MemoFile::fail(const QString &cause) const
{
    throw EngineError(
        QStringLiteral("Table %1: memo file %2: %3").arg(m_tableName, QFileInfo(m_file.fileName()).fileName(), cause));
}

void MemoFile::open(bool writable)
{
    if (!m_file.exists())
        fail(QStringLiteral("the file is missing"));
    m_writable = writable && m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (!m_writable && !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot open: %1").arg(m_file.errorString()));
    m_size = m_file.size();
    if (m_size < 8)
        fail(QStringLiteral("the header is truncated"));
    const QByteArray header = m_file.read(32);
    if (m_format == MemoFormat::Dbt4) {
        m_blockSize = header.size() >= 22 ? qFromLittleEndian<quint16>(header.constData() + 20) : 0;
        if (m_blockSize == 0)
            m_blockSize = 512;
    } else if (m_format == MemoFormat::Fpt) {
        m_blockSize = qFromBigEndian<quint16>(header.constData() + 6);
        if (m_blockSize == 0)
            m_blockSize = 512;
    } else {
        m_blockSize = 512;
    }
}

const char *MemoFile::bytesAt(qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || offset + size > m_size)
        return nullptr;
    if (offset >= m_windowOffset && offset + size <= m_windowOffset + m_windowLength)
        return m_window.constData() + (offset - m_windowOffset);
    // Memos are read through a window the file is copied into: files written a post at a
    // time are expensive to map page by page, and a read can never go past the real end.
    const qint64 length = qMin(qMax(size, kWindow), m_size - offset);
    m_windowLength = 0;
    if (m_window.size() < length)
        m_window.resize(length);
    qint64 got = 0;
    if (m_file.seek(offset)) {
        while (got < length) {
            const qint64 n = m_file.read(m_window.data() + got, length - got);
            if (n <= 0)
                break;
            got += n;
        }
    }
    if (got < length) {
        // The file is shorter than thought (cut short by another program, or a failed
        // write left m_size ahead of it): what is missing reads as missing.
        const qint64 real = m_file.size();
        if (real >= offset + length)
            fail(QStringLiteral("cannot be read: %1").arg(m_file.errorString()));
        m_size = qMax<qint64>(0, qMin(m_size, real));
    }
    m_windowOffset = offset;
    m_windowLength = got;
    return got >= size ? m_window.constData() : nullptr;
}

std::pair<const char *, qint64> MemoFile::terminated(qint64 offset)
{
    // dBase III text ends at 0x1A or at the end of the file; look in ever larger pieces.
    for (qint64 want = kWindow;; want *= 2) {
        if (offset >= m_size)
            return {nullptr, 0};
        const qint64 n = qMin(want, m_size - offset);
        const char *p = bytesAt(offset, n);
        if (!p)
            continue; // m_size was corrected: look again within the real file
        if (const void *end = std::memchr(p, 0x1A, size_t(n)))
            return {p, static_cast<const char *>(end) - p};
        if (offset + n >= m_size)
            return {p, n};
    }
}

std::pair<const char *, qint64> MemoFile::locate(quint32 block)
{
    flushPending();
    const qint64 offset = qint64(block) * m_blockSize;
    if (offset >= m_size)
        fail(QStringLiteral("block %1 lies past the end of the file").arg(block));
    if (m_format == MemoFormat::Fpt) {
        const char *h = bytesAt(offset, 8);
        if (!h)
            fail(QStringLiteral("block %1 has a truncated header").arg(block));
        const quint32 length = qFromBigEndian<quint32>(h + 4);
        const char *data = bytesAt(offset + 8, length);
        if (!data)
            fail(QStringLiteral("the memo at block %1 runs past the end of the file").arg(block));
        return {data, length};
    }
    if (m_format == MemoFormat::Dbt4) {
        const char *h = bytesAt(offset, 8);
        if (h && std::memcmp(h, kDbt4Signature, 4) == 0) {
            const quint32 length = qFromLittleEndian<quint32>(h + 4);
            if (length < 8)
                fail(QStringLiteral("the memo at block %1 has an invalid length").arg(block));
            const char *data = bytesAt(offset + 8, length - 8);
            if (!data)
                fail(QStringLiteral("the memo at block %1 runs past the end of the file").arg(block));
            return {data, length - 8};
        }
        // No block header: some writers put dBase III style text here.
    }
    const auto text = terminated(offset);
    if (!text.first)
        fail(QStringLiteral("block %1 lies past the end of the file").arg(block));
    return text;
}

QByteArray MemoFile::read(quint32 block)
{
    if (block == 0)
        return QByteArray();
    const auto [data, length] = locate(block);
    return QByteArray(data, length);
}

QString MemoFile::readText(quint32 block, const CodePage &codePage)
{
    if (block == 0)
        return QString();
    const auto [data, length] = locate(block);
    return codePage.decode(data, length);
}

qint64 MemoFile::runBlocks(quint32 block)
{
    flushPending();
    const qint64 offset = qint64(block) * m_blockSize;
    if (block == 0 || offset >= m_size)
        return 0;
    if (m_format == MemoFormat::Fpt) {
        const char *h = bytesAt(offset, 8);
        return h ? blocksFor(8 + qint64(qFromBigEndian<quint32>(h + 4)), m_blockSize) : 0;
    }
    if (m_format == MemoFormat::Dbt4) {
        const char *h = bytesAt(offset, 8);
        return h && std::memcmp(h, kDbt4Signature, 4) == 0 ? blocksFor(qFromLittleEndian<quint32>(h + 4), m_blockSize)
                                                           : 0;
    }
    const auto [start, length] = terminated(offset);
    // Only text that ends with its terminator has a known run.
    return start && offset + length < m_size && start[length] == 0x1A ? blocksFor(length + 2, m_blockSize) : 0;
}

QByteArray MemoFile::encodeRun(MemoFormat format, const QByteArray &data, int blockSize)
{
    QByteArray run;
    if (format == MemoFormat::Dbt4) {
        run.resize(8);
        std::memcpy(run.data(), kDbt4Signature, 4);
        qToLittleEndian<quint32>(quint32(data.size() + 8), run.data() + 4);
        run += data;
    } else if (format == MemoFormat::Fpt) {
        run.resize(8);
        qToBigEndian<quint32>(1, run.data()); // 1 = text
        qToBigEndian<quint32>(quint32(data.size()), run.data() + 4);
        run += data;
    } else {
        run = data;
        run.replace('\x1A', ' '); // the terminator cannot appear inside dBase III text
        run += "\x1A\x1A";
    }
    run.resize(blocksFor(run.size(), blockSize) * blockSize, '\0');
    return run;
}

quint32 MemoFile::write(const QByteArray &data, quint32 oldBlock)
{
    if (data.isEmpty())
        return 0;
    if (!m_writable)
        fail(QStringLiteral("the file is read-only"));
    const QByteArray run = encodeRun(m_format, data, m_blockSize);
    const qint64 blocks = run.size() / m_blockSize;
    if (oldBlock != 0 && runBlocks(oldBlock) >= blocks) {
        writeAt(qint64(oldBlock) * m_blockSize, run);
        return oldBlock;
    }
    const qint64 block = qMax<qint64>(1, blocksFor(m_size, m_blockSize));
    if (block + blocks > 0xFFFFFFFFll)
        fail(QStringLiteral("the file is full"));
    // The memos of one post go out in one write.
    const qint64 offset = block * m_blockSize;
    if (!m_pending.isEmpty() && offset != m_pendingOffset + m_pending.size())
        flushPending();
    if (m_pending.isEmpty())
        m_pendingOffset = offset;
    m_pending += run;
    m_size = offset + run.size();
    m_nextFree = quint32(block + blocks);
    m_nextFreeDirty = true;
    return quint32(block);
}

void MemoFile::flushPending()
{
    if (m_pending.isEmpty())
        return;
    const QByteArray bytes = std::exchange(m_pending, QByteArray());
    writeAt(m_pendingOffset, bytes);
}

void MemoFile::flush()
{
    flushPending();
    if (!m_nextFreeDirty)
        return;
    QByteArray next(4, '\0');
    if (m_format == MemoFormat::Fpt)
        qToBigEndian<quint32>(m_nextFree, next.data());
    else
        qToLittleEndian<quint32>(m_nextFree, next.data());
    writeAt(0, next);
    m_nextFreeDirty = false;
}

void MemoFile::writeAt(qint64 offset, const QByteArray &bytes)
{
    if (offset < m_windowOffset + m_windowLength && offset + bytes.size() > m_windowOffset)
        m_windowLength = 0; // the window no longer shows the file

    if (!tablefiles::writeAt(m_file, offset, bytes))
        fail(QStringLiteral("write failed: %1").arg(m_file.errorString()));
    m_size = qMax(m_size, offset + bytes.size());
}

QByteArray MemoFile::emptyFile(MemoFormat format, const QString &tableBaseName, int blockSize)
{
    // The header takes block 0, or the first 512 bytes when blocks are smaller than that.
    QByteArray h(format == MemoFormat::Fpt ? 512 : qMax(blockSize, 512), '\0');
    if (format == MemoFormat::Fpt) {
        qToBigEndian<quint32>(quint32(blocksFor(512, blockSize)), h.data());
        qToBigEndian<quint16>(quint16(blockSize), h.data() + 6);
        return h;
    }
    qToLittleEndian<quint32>(1, h.data());
    if (format == MemoFormat::Dbt3) {
        h[16] = 0x03;
        return h;
    }
    const QByteArray name = tableBaseName.toUpper().toLatin1().left(8);
    std::memcpy(h.data() + 8, name.constData(), size_t(name.size()));
    qToLittleEndian<quint16>(quint16(blockSize), h.data() + 20);
    return h;
}

} // namespace ergotab::dbf
