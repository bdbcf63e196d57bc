#include "MemberCompressor.h"

#include "ArchiveMessages.h"
#include "ArchiveTypes.h"
#include "ContainerWriter.h"
#include "Crc32.h"
#include "ParallelDeflater.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace ergotab::archive {

namespace {

constexpr qint64 kMaxMemberSize = std::numeric_limits<qint32>::max();

// Collects deflate output and gives up as soon as it is no smaller than the file: such a member
// is stored unchanged, so the rest of the deflated bytes would be thrown away anyway.
class CompressedSink
{
public:
    CompressedSink(PreparedMember &member, qint64 fileSize)
        : m_member(member)
        , m_limit(fileSize)
    {
    }

    bool accept(const char *data, qsizetype size)
    {
        m_member.compressedSize += size;
        if (m_member.compressedSize >= m_limit) {
            m_gaveUp = true;
            return false;
        }
        if (!m_member.spill) {
            m_member.inMemory.append(data, size);
            return true;
        }
        if (m_member.spill->write(data, size) != size) {
            m_spillFailed = true;
            return false;
        }
        return true;
    }

    bool gaveUp() const { return m_gaveUp; }
    bool spillFailed() const { return m_spillFailed; }

private:
    PreparedMember &m_member;
    qint64 m_limit;
    bool m_gaveUp = false;
    bool m_spillFailed = false;
};

} // namespace

std::optional<PreparedMember> prepareMember(const QString &path, int zlibLevel, const QString &container,
                                            const ProgressReporter::Handler &progress)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = source.size();
    if (size > kMaxMemberSize)
        return std::nullopt;

    PreparedMember member;
    if (size > kInMemoryLimit) {
        member.spill = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/ZLBXXXXXX"));
        if (!member.spill->open())
            throw ArchiveError(msg::unableToWriteFile(member.spill->fileTemplate()));
    }

    ProgressReporter reporter(progress, msg::updating(path), size);
    CompressedSink compressed(member, size);
    const ByteSink sink = [&compressed](const char *d, qsizetype n) { return compressed.accept(d, n); };
    ParallelDeflater deflater(zlibLevel, sink);
    bool deflating = true;
    Crc32 crc;
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 got = source.read(piece.data(), piece.size());
        if (got < 0)
            return std::nullopt;
        total += got;
        // A file that grows while it is read must still fit the directory's 32-bit sizes.
        if (total > kMaxMemberSize)
            return std::nullopt;
        crc.update(piece.constData(), got);
        const bool atEnd = got == 0;
        if (deflating && !(atEnd ? deflater.finish() : deflater.feed(piece.constData(), got))) {
            if (compressed.spillFailed())
                throw ArchiveError(msg::unableToWriteFile(member.spill->fileName()));
            if (!compressed.gaveUp())
                throw ArchiveError(msg::unableToWriteArchive(container));
            deflating = false;
            member.inMemory.clear();
            member.spill.reset();
        }
        reporter.advance(got);
        if (atEnd)
            break;
    }
    member.fileSize = total;
    member.crc = crc.value();
    member.compressed = deflating && member.compressedSize < total;
    if (member.spill && !member.spill->flush())
        throw ArchiveError(msg::unableToWriteFile(member.spill->fileName()));
    return member;
}

void appendMember(const PreparedMember &member, const QString &path, ContainerWriter &writer)
{
    if (member.compressed && !member.spill) {
        writer.append(member.inMemory);
        return;
    }
    // Copy from a file in pieces: the spill file, or the source itself for a stored member.
    QFile fromFile(path);
    QIODevice *from = &fromFile;
    qint64 remaining = member.fileSize;
    if (member.compressed) {
        from = member.spill.get();
        remaining = member.compressedSize;
        if (!from->seek(0))
            throw ArchiveError(msg::unableToWriteFile(member.spill->fileName()));
    } else if (!fromFile.open(QIODevice::ReadOnly)) {
        throw ArchiveError(msg::unableToOpen(path));
    }
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    while (remaining > 0) {
        const qint64 got = from->read(piece.data(), qMin<qint64>(remaining, piece.size()));
        // The source changed since it was read: the block cannot match its directory entry.
        if (got <= 0)
            throw ArchiveError(msg::unableToOpen(path));
        writer.append(piece.constData(), got);
        remaining -= got;
    }
}

} // namespace ergotab::archive
