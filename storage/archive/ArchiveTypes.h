#pragma once

#include "storage/AppError.h"

#include <QString>

#include <cstdint>

namespace ergotab {

// The container's own error: same type family as every other error the program shows, so the
// GUI's error box and the command-line tool print it without knowing where it came from.
class ArchiveError : public AppError
{
public:
    using AppError::AppError;
};

enum TFileCompressionLevel { fcNone, fcFastest, fcDefault, fcMaximum };

// zlib level for each level the component offers.
int zlibLevel(TFileCompressionLevel level);

// One member as the directory records it. FileName and FilePath are kept decoded; on disk they
// are Windows-1250 short strings.
struct TZLBFileEntry
{
    QString FileName;
    QString FilePath;
    qint32 FileSize = 0;
    qint32 StoredSize = 0;
    qint32 DataOffset = 0;
    quint32 Crc = 0;
    bool Stored = false;
    quint8 Level = 0;

    bool operator==(const TZLBFileEntry &) const = default;
};

struct TZLBTrailer
{
    quint32 Crc = 0;
    qint32 Count = 0;
    qint32 Reserved = 0; // 1 when written, never read
    qint32 DirectoryLength = 0;
    qint32 DirectoryOffset = 0;
    quint8 DirectoryCompressed = 0;

    bool operator==(const TZLBTrailer &) const = default;
};

namespace archive {

constexpr qsizetype kEntrySize = 532;
constexpr qsizetype kTrailerSize = 36;
constexpr qsizetype kShortStringSize = 256;
// Members larger than this are compressed through a temporary file instead of memory.
constexpr qint64 kInMemoryLimit = 20971520;
// Piece size for copying, checksumming and zlib output: keeps memory flat whatever the sizes.
constexpr qsizetype kPieceSize = 65536;

} // namespace archive
} // namespace ergotab
