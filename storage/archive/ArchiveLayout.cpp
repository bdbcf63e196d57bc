#include "ArchiveLayout.h"

#include "storage/codepage/CodePage.h"

#include <cstring>

namespace ergotab::archive {

namespace {

constexpr int kNameOffset = 0;
constexpr int kPathOffset = 256;
constexpr int kFileSizeOffset = 512;
constexpr int kStoredSizeOffset = 516;
constexpr int kDataOffsetOffset = 520;
constexpr int kCrcOffset = 524;
constexpr int kStoredFlagOffset = 528;
constexpr int kLevelOffset = 529;

} // namespace

void putLE32(char *out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = char((value >> (8 * i)) & 0xFF);
}

quint32 getLE32(const char *in)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value |= quint32(static_cast<unsigned char>(in[i])) << (8 * i);
    return value;
}

void writeShortString(const QString &text, char *field)
{
    std::memset(field, 0, kShortStringSize);
    const QByteArray encoded = CodePage::windows1250().encode(text.left(kShortStringSize - 1));
    field[0] = char(encoded.size());
    std::memcpy(field + 1, encoded.constData(), size_t(encoded.size()));
}

QString readShortString(const char *field)
{
    const int length = static_cast<unsigned char>(field[0]);
    return CodePage::windows1250().decode(field + 1, length);
}

QByteArray encodeEntry(const TZLBFileEntry &entry)
{
    QByteArray bytes(kEntrySize, '\0');
    char *out = bytes.data();
    writeShortString(entry.FileName, out + kNameOffset);
    // An empty path is written as 256 zero bytes, the same as an empty short string.
    writeShortString(entry.FilePath, out + kPathOffset);
    putLE32(out + kFileSizeOffset, quint32(entry.FileSize));
    putLE32(out + kStoredSizeOffset, quint32(entry.StoredSize));
    putLE32(out + kDataOffsetOffset, quint32(entry.DataOffset));
    putLE32(out + kCrcOffset, entry.Crc);
    out[kStoredFlagOffset] = entry.Stored ? 1 : 0;
    out[kLevelOffset] = char(entry.Level);
    return bytes;
}

TZLBFileEntry decodeEntry(const char *bytes)
{
    TZLBFileEntry entry;
    entry.FileName = readShortString(bytes + kNameOffset);
    entry.FilePath = readShortString(bytes + kPathOffset);
    entry.FileSize = qint32(getLE32(bytes + kFileSizeOffset));
    entry.StoredSize = qint32(getLE32(bytes + kStoredSizeOffset));
    entry.DataOffset = qint32(getLE32(bytes + kDataOffsetOffset));
    entry.Crc = getLE32(bytes + kCrcOffset);
    // Any non-zero byte means "stored": readers of the format test it against 1 only when
    // writing, so accept what other writers may have put there.
    entry.Stored = bytes[kStoredFlagOffset] != 0;
    entry.Level = static_cast<unsigned char>(bytes[kLevelOffset]);
    return entry;
}

QByteArray encodeTrailer(const TZLBTrailer &trailer)
{
    QByteArray bytes(kTrailerSize, '\0');
    char *out = bytes.data();
    putLE32(out + 0, trailer.Crc);
    putLE32(out + 4, quint32(trailer.Count));
    putLE32(out + 8, quint32(trailer.Reserved));
    putLE32(out + 12, quint32(trailer.DirectoryLength));
    putLE32(out + 16, quint32(trailer.DirectoryOffset));
    out[20] = char(trailer.DirectoryCompressed);
    return bytes;
}

TZLBTrailer decodeTrailer(const char *bytes)
{
    TZLBTrailer trailer;
    trailer.Crc = getLE32(bytes + 0);
    trailer.Count = qint32(getLE32(bytes + 4));
    trailer.Reserved = qint32(getLE32(bytes + 8));
    trailer.DirectoryLength = qint32(getLE32(bytes + 12));
    trailer.DirectoryOffset = qint32(getLE32(bytes + 16));
    trailer.DirectoryCompressed = static_cast<unsigned char>(bytes[20]);
    return trailer;
}

} // namespace ergotab::archive
