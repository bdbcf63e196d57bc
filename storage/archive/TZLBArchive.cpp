#include "TZLBArchive.h"

#include "ArchiveLayout.h"
#include "ArchiveMessages.h"
#include "Crc32.h"
#include "MemberPaths.h"
#include "ProgressReporter.h"
#include "ZlibStreams.h"

#include <QFile>
#include <QFileInfo>

namespace ergotab {

using namespace archive;

namespace {

// zlib cannot expand data by more than about 1032:1, so a directory stream of n bytes holds
// at most this many entry bytes; a larger Count is a lie told before anything is allocated.
qint64 maxInflatedSize(qint64 streamBytes)
{
    return streamBytes * 1032 + 1024;
}

} // namespace

int zlibLevel(TFileCompressionLevel level)
{
    switch (level) {
    case fcNone:
        return 0;
    case fcFastest:
        return 1;
    case fcDefault:
        return Z_DEFAULT_COMPRESSION;
    case fcMaximum:
        return 9;
    }
    return Z_DEFAULT_COMPRESSION;
}

TZLBArchive::TZLBArchive() = default;

TZLBArchive::~TZLBArchive()
{
    m_destroying = true;
    CloseArchive();
}

void TZLBArchive::notifyProgress(const QString &message, int percentage) const
{
    if (OnProgress && !m_destroying)
        OnProgress(message, percentage);
}

bool TZLBArchive::OpenArchive(const QString &fileName)
{
    CloseArchive();
    if (fileName.isEmpty())
        return false;
    m_fileName = fileName;

    QFile file(fileName);
    if (!QFileInfo::exists(fileName)) {
        m_fileName.clear();
        throw ArchiveError(msg::archiveNotFound());
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_fileName.clear();
        throw ArchiveError(msg::unableToOpen(fileName));
    }
    const qint64 size = file.size();
    const qint64 checked = size - kTrailerSize;
    Crc32 crc;
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    for (qint64 done = 0; done < checked;) {
        const qint64 got = file.read(piece.data(), qMin<qint64>(piece.size(), checked - done));
        if (got <= 0)
            break;
        crc.update(piece.constData(), got);
        done += got;
    }
    const QByteArray trailerBytes = checked >= 0 ? file.read(kTrailerSize) : QByteArray();
    if (trailerBytes.size() != kTrailerSize || decodeTrailer(trailerBytes.constData()).Crc != crc.value()) {
        m_fileName.clear();
        m_trailer = TZLBTrailer();
        throw ArchiveError(msg::archiveCorrupted());
    }
    m_trailer = decodeTrailer(trailerBytes.constData());

    try {
        readDirectory(file, size);
    } catch (const ArchiveError &) {
        CloseArchive();
        throw ArchiveError(msg::unableToReadList());
    }
    if (OnArchiveOpened)
        OnArchiveOpened(*this);
    notifyProgress(m_fileName, 0);
    return true;
}

void TZLBArchive::readDirectory(QFile &file, qint64 fileSize)
{
    const TZLBTrailer &t = m_trailer;
    const qint64 directoryArea = fileSize - kTrailerSize - t.DirectoryOffset;
    const qint64 wanted = qint64(t.Count) * kEntrySize;
    const bool compressed = t.DirectoryCompressed != 0;
    // Everything the trailer claims is checked against the file before any of it is believed.
    if (t.Count < 0 || t.DirectoryOffset < 0 || directoryArea < 0 ||
        wanted > (compressed ? maxInflatedSize(directoryArea) : directoryArea) || !file.seek(t.DirectoryOffset))
        throw ArchiveError(msg::unableToReadList());

    QByteArray entries;
    if (!compressed) {
        entries = file.read(wanted);
    } else {
        ProgressReporter progress(OnProgress, msg::extractingRegistry(), wanted);
        Inflater inflater;
        const ByteSink collect = [&](const char *data, qsizetype size) {
            const qsizetype take = qMin<qint64>(size, wanted - entries.size());
            entries.append(data, take);
            progress.advance(take);
            return entries.size() < wanted;
        };
        QByteArray piece(kPieceSize, Qt::Uninitialized);
        qint64 remaining = directoryArea;
        InflateStatus status = wanted == 0 ? InflateStatus::SinkStopped : InflateStatus::NeedInput;
        while (status == InflateStatus::NeedInput && remaining > 0) {
            const qint64 got = file.read(piece.data(), qMin<qint64>(remaining, piece.size()));
            if (got <= 0)
                break;
            remaining -= got;
            status = inflater.feed(piece.constData(), got, collect);
        }
    }
    if (entries.size() != wanted)
        throw ArchiveError(msg::unableToReadList());
    m_entries.reserve(size_t(t.Count));
    for (qint64 offset = 0; offset < wanted; offset += kEntrySize)
        m_entries.push_back(decodeEntry(entries.constData() + offset));
}

void TZLBArchive::startNew(const QString &fileName, bool mayReplace)
{
    CloseArchive();
    if (fileName.isEmpty())
        return;
    if (!mayReplace && QFileInfo::exists(fileName))
        throw ArchiveError(msg::fileAlreadyExists());
    m_fileName = fileName;
    m_new = true;
    m_mayReplace = mayReplace;
    if (OnArchiveOpened)
        OnArchiveOpened(*this);
}

void TZLBArchive::CreateArchive(const QString &fileName)
{
    startNew(fileName, false);
}

void TZLBArchive::CreateReplacement(const QString &fileName)
{
    startNew(fileName, true);
}

void TZLBArchive::CloseArchive()
{
    m_entries.clear();
    m_new = false;
    m_mayReplace = false;
    m_trailer = TZLBTrailer();
    m_fileName.clear();
    notifyProgress(QString(), 0);
}

void TZLBArchive::requireOpen() const
{
    if (m_fileName.isEmpty())
        throw ArchiveError(msg::noArchiveOpen());
}

int TZLBArchive::FileCount() const
{
    requireOpen();
    return int(m_entries.size());
}

TZLBFileEntry TZLBArchive::GetEntry(int position) const
{
    if (position < 0 || size_t(position) >= m_entries.size())
        throw ArchiveError(msg::indexOutOfBounds());
    return m_entries[size_t(position)];
}

QString TZLBArchive::recordedFolder(const QString &path) const
{
    return SavePaths ? withoutDrive(folderPart(path)) : QString();
}

QString TZLBArchive::comparisonForm(const QString &path) const
{
    return recordedFolder(path) + namePart(path);
}

int TZLBArchive::FindEntry(const QString &path) const
{
    requireOpen();
    const QString wanted = comparisonForm(path);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const TZLBFileEntry &e = m_entries[i];
        if (QString(e.FilePath + e.FileName).compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace ergotab
