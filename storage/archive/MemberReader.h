#pragma once

#include "ArchiveTypes.h"
#include "ZlibStreams.h"

class QFile;

namespace ergotab::archive {

enum class MemberReadResult { Ok, Corrupt, SinkFailed };

// Reads member `entry` out of an open container and passes exactly FileSize bytes to `sink` in
// pieces. The data block must lie inside the data area (before `dataEnd`, the directory's
// offset); a stored block must be FileSize bytes long; a compressed block must be one complete
// zlib stream that yields exactly FileSize bytes. Anything else is Corrupt, found before a byte
// past the block is read. The sink checksums what it is given: it knows where that is cheapest.
// A compressed block is inflated into `space` when one is given.
MemberReadResult readMember(QFile &container, const TZLBFileEntry &entry, qint64 dataEnd, const ByteSink &sink,
                            const OutputSpace &space = {});

} // namespace ergotab::archive
