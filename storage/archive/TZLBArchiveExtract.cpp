// ExtractAll and VerifyEntry: reading members out of a container.
#include "TZLBArchive.h"

#include "ArchiveMessages.h"
#include "BackgroundSink.h"
#include "Crc32.h"
#include "MemberPaths.h"
#include "MemberReader.h"
#include "ProgressReporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace ergotab {

using namespace archive;

namespace {

// Opens the container for one operation; the handle closes when the operation ends.
void openContainer(QFile &file, const QString &name)
{
    file.setFileName(name);
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveError(msg::unableToOpen(name));
}

} // namespace

void TZLBArchive::ExtractAll(const QString &destination)
{
    requireOpen();
    QFile container;
    openContainer(container, m_fileName);
    // Whatever ends the loop, the caller's progress display is reset.
    struct ResetProgress
    {
        TZLBArchive *self;
        ~ResetProgress() { self->notifyProgress(self->m_fileName, 0); }
    } reset {this};
    // A copy: a notification handler may close the container while the loop runs.
    const std::vector<TZLBFileEntry> entries = m_entries;
    const qint64 dataEnd = m_trailer.DirectoryOffset;
    for (size_t p = 0; p < entries.size(); ++p)
        extractEntry(container, entries[p], int(p), dataEnd, destination);
}

void TZLBArchive::extractEntry(QFile &container, const TZLBFileEntry &entry, int position, qint64 dataEnd,
                               const QString &destination)
{
    const std::optional<QString> name = safeMemberName(entry.FileName);
    const std::optional<QString> subfolder =
        ExtractWithPath ? safeSubfolder(entry.FilePath) : std::optional<QString>(QString());
    if (!name || !subfolder)
        throw ArchiveError(msg::fileCorrupt(position));

    const QString folder =
        collapseSeparators(subfolder->isEmpty() ? destination : destination + QLatin1Char('/') + *subfolder);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw ArchiveError(msg::unableToCreatePath());

    const QString target = folder + QLatin1Char('/') + *name;
    if (QFileInfo::exists(target) && OnReplaceFile) {
        bool replace = false;
        OnReplaceFile(target, replace);
        if (!replace)
            return;
    }
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ArchiveError(msg::unableToOpen(target));

    ProgressReporter progress(OnProgress, msg::extracting(entry.FileName), entry.FileSize);
    Crc32 crc;
    const ByteSink checksumAndWrite = [&](const char *data, qsizetype size) {
        crc.update(data, size);
        return out.write(data, size) == size;
    };
    // Large members are checksummed and written on a second thread while the next bytes are
    // inflated on this one.
    std::optional<BackgroundSink> background;
    if (entry.FileSize > BackgroundSink::kBufferSize)
        background.emplace(checksumAndWrite);
    const ByteSink write = [&](const char *data, qsizetype size) {
        if (!(background ? background->write(data, size) : checksumAndWrite(data, size)))
            return false;
        progress.advance(size);
        return true;
    };
    const OutputSpace space = [&background] { return background->space(); };
    MemberReadResult result = readMember(container, entry, dataEnd, write, background ? space : OutputSpace());
    if (result == MemberReadResult::Ok && background && !background->finish())
        result = MemberReadResult::SinkFailed;
    switch (result) {
    case MemberReadResult::Ok:
        break;
    case MemberReadResult::SinkFailed:
        throw ArchiveError(msg::unableToWriteFile(target));
    case MemberReadResult::Corrupt:
        throw ArchiveError(msg::fileCorrupt(position));
    }
    // The checksum is of the bytes handed to the file as they were written.
    if (CheckCRC && crc.value() != entry.Crc)
        throw ArchiveError(msg::fileCorrupt(position));
    if (!out.flush())
        throw ArchiveError(msg::unableToWriteFile(target));
    out.close();
    if (OnFileExtracted)
        OnFileExtracted(target);
}

void TZLBArchive::VerifyEntry(int position) const
{
    const TZLBFileEntry entry = GetEntry(position);
    QFile container;
    openContainer(container, m_fileName);
    Crc32 crc;
    const ByteSink checksum = [&crc](const char *data, qsizetype size) {
        crc.update(data, size);
        return true;
    };
    if (readMember(container, entry, m_trailer.DirectoryOffset, checksum) != MemberReadResult::Ok ||
        crc.value() != entry.Crc)
        throw ArchiveError(msg::fileCorrupt(position));
}

} // namespace ergotab
