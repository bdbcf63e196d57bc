#pragma once

#include "TableLayout.h"

#include <QFile>
#include <QString>

#include <utility>

namespace ergotab::dbf {

// A memo file in one of three flavours: dBase III .dbt (text ended by 0x1A 0x1A, 512-byte
// blocks), dBase IV .dbt (block header with the length, block size in the file header) and
// FoxPro .fpt (big-endian block header). Reads are bounds-checked against the file size, so
// a hostile pointer or length gives an EngineError, never a read past the end.
class MemoFile
{
public:
    MemoFile(MemoFormat format, const QString &path, const QString &tableName);
    ~MemoFile();
    MemoFile(const MemoFile &) = delete;
    MemoFile &operator=(const MemoFile &) = delete;

    void open(bool writable);
    QString path() const { return m_file.fileName(); }
    int blockSize() const { return m_blockSize; }

    // The memo's bytes; empty for block 0.
    QByteArray read(quint32 block);
    // The memo decoded straight from the file's bytes, without an intermediate copy.
    QString readText(quint32 block, const CodePage &codePage);
    // Writes the memo runs appended since the last call, in one piece.
    void flushPending();
    // Writes the next-free-block pointer of the header, which appends keep only in memory.
    void flush();
    // Stores the bytes and returns the block they now start at (0 for empty data). Text that
    // fits the run of `oldBlock` is rewritten there; longer text goes to the end of the file.
    quint32 write(const QByteArray &data, quint32 oldBlock);

    // Header block of an empty memo file of the given flavour.
    static QByteArray emptyFile(MemoFormat format, const QString &tableBaseName, int blockSize = 512);
    // A whole memo run (header, data, terminator, padding) as `write` lays it out.
    static QByteArray encodeRun(MemoFormat format, const QByteArray &data, int blockSize);

private:
    // `size` bytes at `offset`, valid until the next call; nullptr past the end of the file.
    const char *bytesAt(qint64 offset, qint64 size);
    // dBase III style text from `offset` up to its 0x1A or the end of the file.
    std::pair<const char *, qint64> terminated(qint64 offset);
    // Where the memo at `block` lies in the file.
    std::pair<const char *, qint64> locate(quint32 block);
    qint64 runBlocks(quint32 block);
    void writeAt(qint64 offset, const QByteArray &bytes);
    [[noreturn]] void fail(const QString &cause) const;

    MemoFormat m_format;
    QString m_tableName;
    QFile m_file;
    int m_blockSize = 512;
    qint64 m_size = 0;
    static constexpr qint64 kWindow = 64 * 1024;
    QByteArray m_window; // file bytes from m_windowOffset, m_windowLength of them valid
    qint64 m_windowOffset = 0;
    qint64 m_windowLength = 0;
    bool m_writable = false;
    QByteArray m_pending; // appended runs not yet written, starting at m_pendingOffset
    qint64 m_pendingOffset = 0;
    quint32 m_nextFree = 0; // not yet in the header when m_nextFreeDirty
    bool m_nextFreeDirty = false;
};

} // namespace ergotab::dbf
