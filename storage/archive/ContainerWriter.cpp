#include "ContainerWriter.h"

#include "ArchiveMessages.h"
#include "ArchiveTypes.h"

#include <limits>

namespace ergotab::archive {

ContainerWriter::ContainerWriter(const QString &target)
    : m_file(target)
    , m_target(target)
{
    // Never fall back to writing the target in place: that would destroy the old file first.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly))
        fail();
}

void ContainerWriter::append(const char *data, qsizetype size)
{
    if (!canGrowBy(size) || m_file.write(data, size) != size)
        fail();
    m_crc.update(data, size);
    m_position += size;
}

void ContainerWriter::appendTrailer(const QByteArray &bytes)
{
    if (m_file.write(bytes) != bytes.size())
        fail();
    m_position += bytes.size();
}

bool ContainerWriter::canGrowBy(qint64 size) const
{
    return m_position + size + kTrailerSize <= std::numeric_limits<qint32>::max();
}

void ContainerWriter::commit()
{
    if (!m_file.commit())
        fail();
}

void ContainerWriter::fail()
{
    m_file.cancelWriting();
    throw ArchiveError(msg::unableToWriteArchive(m_target));
}

} // namespace ergotab::archive
