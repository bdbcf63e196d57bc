#pragma once

#include "Crc32.h"

#include <QSaveFile>

namespace ergotab::archive {

// Writes a container under a temporary name beside its target and gives it the target's name
// only in commit(), after flushing it to disk. Until then an existing file of that name is
// untouched; if the writer is destroyed without commit the temporary file is removed.
// Every failure throws ArchiveError("Unable to write archive file (...)").
class ContainerWriter
{
public:
    explicit ContainerWriter(const QString &target);

    // Appends bytes that belong to the checksummed part of the file (data and directory).
    void append(const char *data, qsizetype size);
    void append(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }
    // Appends the trailer, which the checksum does not cover.
    void appendTrailer(const QByteArray &bytes);

    qint64 position() const { return m_position; }
    quint32 crc() const { return m_crc.value(); }
    // Offsets are signed 32-bit in the directory: a container cannot grow past 2 GiB.
    bool canGrowBy(qint64 size) const;

    void commit();

private:
    [[noreturn]] void fail();

    QSaveFile m_file;
    QString m_target;
    qint64 m_position = 0;
    Crc32 m_crc;
};

} // namespace ergotab::archive
