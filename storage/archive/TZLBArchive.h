#pragma once

#include "ArchiveTypes.h"

#include <QStringList>

#include <functional>
#include <vector>

class QFile;

namespace ergotab {

// The program's container: zlib-compressed members, a compressed directory of 532-byte entries
// and a 36-byte trailer holding the CRC-32 of everything before it. Documents (*.tvo) and
// Library.LIB are such containers.
//
// No file handle is kept between calls: each operation opens the container and closes it
// before returning. Every failure is thrown as ArchiveError with the text a user reads.
//
// Replacing an existing file: call CreateReplacement (or writeContainerAtomically) instead of
// deleting the old file and calling CreateArchive. AddFiles writes the new container under a
// temporary name in the target's folder, flushes it to disk and renames it over the old file
// only when it is complete; on any failure the old file is left as it was.
class TZLBArchive
{
public:
    TZLBArchive();
    ~TZLBArchive();
    TZLBArchive(const TZLBArchive &) = delete;
    TZLBArchive &operator=(const TZLBArchive &) = delete;

    // Properties.
    TFileCompressionLevel CompressionLevel = fcDefault;
    bool ExtractWithPath = false;
    bool CheckCRC = false;
    bool SavePaths = false;
    bool RecursePaths = false;
    // Off: a file AddFiles cannot read is skipped and logged. On: it ends AddFiles with
    // "Unable to open file (...)" before the target is touched. Callers saving a document or
    // the library want this, since a skipped table makes an unusable file.
    bool FailOnUnreadableFile = false;

    // Notifications. OnReplaceFile is asked before an existing file is overwritten (replace
    // starts false); without it existing files are overwritten.
    std::function<void(const QString &fileName, bool &replace)> OnReplaceFile;
    std::function<void(const QString &fileName)> OnFileExtracted;
    std::function<void(TZLBArchive &sender)> OnArchiveOpened;
    std::function<void(const QString &fileName)> OnStreamExtracted; // never raised
    std::function<void(const QString &message)> OnErrorLogged;
    std::function<void(const QString &message, int percentage)> OnProgress;

    // False (and nothing open) for an empty name; throws for a missing or damaged file.
    bool OpenArchive(const QString &fileName);
    // Starts a new container; the file must not exist yet. Nothing is written until AddFiles.
    void CreateArchive(const QString &fileName);
    // Like CreateArchive, but a file of that name may exist: AddFiles replaces it in one step
    // once the new container is complete, and leaves it untouched when anything fails.
    void CreateReplacement(const QString &fileName);
    // Writes the container with the given files appended, in order, then opens it. Folders in
    // the list are dropped (or expanded with RecursePaths). Files that cannot be read are
    // skipped and logged; a container that cannot be written throws.
    void AddFiles(QStringList files);
    // Writes every member into `destination`, creating it as needed.
    void ExtractAll(const QString &destination);
    void CloseArchive();

    int FileCount() const;
    TZLBFileEntry GetEntry(int position) const;
    // First entry whose FilePath + FileName equals the path's comparison form, ignoring case.
    int FindEntry(const QString &path) const;

    // Decompresses member `position` without writing it anywhere and checks its CRC; throws
    // "File (%d) is corrupt" when it cannot be read back intact.
    void VerifyEntry(int position) const;

    QString fileName() const { return m_fileName; }
    const TZLBTrailer &trailer() const { return m_trailer; }

private:
    void requireOpen() const;
    void readDirectory(QFile &file, qint64 fileSize);
    void notifyProgress(const QString &message, int percentage) const;
    void startNew(const QString &fileName, bool mayReplace);
    QString comparisonForm(const QString &path) const;
    // The folder recorded for an added file: empty unless SavePaths.
    QString recordedFolder(const QString &path) const;
    void extractEntry(QFile &container, const TZLBFileEntry &entry, int position, qint64 dataEnd,
                      const QString &destination);

    QString m_fileName;
    bool m_new = false;
    bool m_mayReplace = false;
    bool m_destroying = false;
    TZLBTrailer m_trailer;
    std::vector<TZLBFileEntry> m_entries;
};

} // namespace ergotab
