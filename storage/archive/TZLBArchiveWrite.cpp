// AddFiles: writing a container.
#include "TZLBArchive.h"

#include "ArchiveLayout.h"
#include "ArchiveMessages.h"
#include "ContainerWriter.h"
#include "MemberCompressor.h"
#include "MemberPaths.h"
#include "ZlibStreams.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ergotab {

using namespace archive;

namespace {

QStringList filesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    // Directory listing order differs between file systems; members should not.
    std::sort(found.begin(), found.end());
    return found;
}

// Folders are never members: drop them, or put the files below them at the end of the list.
QStringList expandFolders(const QStringList &items, bool recurse)
{
    QStringList files;
    QStringList appended;
    for (const QString &item : items) {
        if (QFileInfo(item).isDir()) {
            if (recurse)
                appended += filesBelow(item);
        } else {
            files.append(item);
        }
    }
    return files + appended;
}

// Copies the data blocks of the container being extended into the new one.
void copyDataBlocks(const QString &from, qint64 length, ContainerWriter &writer)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw ArchiveError(msg::unableToOpen(from));
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    for (qint64 remaining = length; remaining > 0;) {
        const qint64 got = source.read(piece.data(), qMin<qint64>(remaining, piece.size()));
        if (got <= 0)
            throw ArchiveError(msg::unableToOpen(from));
        writer.append(piece.constData(), got);
        remaining -= got;
    }
}

} // namespace

void TZLBArchive::AddFiles(QStringList files)
{
    requireOpen();
    files = expandFolders(files, RecursePaths);

    // On failure the component keeps the directory it had; only a finished file changes it.
    const std::vector<TZLBFileEntry> previousEntries = m_entries;
    const QString target = m_fileName;
    try {
        ContainerWriter writer(target);
        if (!m_new)
            copyDataBlocks(target, m_trailer.DirectoryOffset, writer);

        for (const QString &item : std::as_const(files)) {
            if (OnErrorLogged && FindEntry(item) >= 0)
                OnErrorLogged(msg::alreadyInArchive(item));
            const std::optional<PreparedMember> member =
                prepareMember(item, zlibLevel(CompressionLevel), target, OnProgress);
            const qint64 storedSize = member ? (member->compressed ? member->compressedSize : member->fileSize) : 0;
            // Offsets are 32-bit: a member that would push the file past 2 GiB cannot be written.
            if (member && !writer.canGrowBy(storedSize))
                throw ArchiveError(msg::unableToWriteArchive(target));
            if (!member) {
                if (FailOnUnreadableFile)
                    throw ArchiveError(msg::unableToOpen(item));
                if (OnErrorLogged)
                    OnErrorLogged(msg::unableToOpen(item));
                continue;
            }
            TZLBFileEntry entry;
            entry.Crc = member->crc;
            entry.FileName = namePart(item).left(kShortStringSize - 1);
            entry.FilePath = recordedFolder(item);
            entry.FileSize = qint32(member->fileSize);
            entry.DataOffset = qint32(writer.position());
            entry.StoredSize = qint32(storedSize);
            entry.Stored = !member->compressed;
            entry.Level = member->compressed ? quint8(CompressionLevel) : 0;
            appendMember(*member, item, writer);
            m_entries.push_back(entry);
        }

        TZLBTrailer trailer;
        trailer.Count = qint32(m_entries.size());
        trailer.Reserved = 1;
        trailer.DirectoryOffset = qint32(writer.position());
        notifyProgress(msg::writingRegistry(), 0);
        QByteArray directory;
        for (const TZLBFileEntry &entry : m_entries)
            directory += encodeEntry(entry);
        const QByteArray packed = deflateAll(directory, zlibLevel(CompressionLevel));
        if (!packed.isEmpty()) {
            writer.append(packed);
            trailer.DirectoryLength = qint32(packed.size());
            trailer.DirectoryCompressed = 1;
        } else {
            writer.append(directory);
        }
        trailer.Crc = writer.crc();
        writer.appendTrailer(encodeTrailer(trailer));
        writer.commit();
    } catch (...) {
        m_entries = previousEntries;
        throw;
    }
    CloseArchive();
    OpenArchive(target);
}

} // namespace ergotab
