#pragma once

#include "ArchiveTypes.h"

#include <QByteArray>

// The exact bytes of directory entries and the trailer. Everything here is pure: no files,
// no zlib, so the byte layout can be checked on its own.
namespace ergotab::archive {

// A 256-byte short string: length byte, Windows-1250 text, zero fill. Longer text is cut.
void writeShortString(const QString &text, char *field);
QString readShortString(const char *field);

QByteArray encodeEntry(const TZLBFileEntry &entry);
// `bytes` must hold kEntrySize bytes.
TZLBFileEntry decodeEntry(const char *bytes);

QByteArray encodeTrailer(const TZLBTrailer &trailer);
// `bytes` must hold kTrailerSize bytes.
TZLBTrailer decodeTrailer(const char *bytes);

void putLE32(char *out, quint32 value);
quint32 getLE32(const char *in);

} // namespace ergotab::archive
