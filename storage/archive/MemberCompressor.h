#pragma once

#include "ProgressReporter.h"

#include <QByteArray>
#include <QTemporaryFile>

#include <memory>
#include <optional>

namespace ergotab::archive {

class ContainerWriter;

// A file read once and deflated, ready to be appended as a data block. The compressed bytes are
// kept in memory for files up to 20 MiB and in a temporary file beyond, so memory stays bounded
// whatever the member's size.
struct PreparedMember
{
    qint64 fileSize = 0;
    quint32 crc = 0;
    // True when the deflated form is smaller than the file and is what gets stored.
    bool compressed = false;
    qint64 compressedSize = 0;
    QByteArray inMemory;
    std::unique_ptr<QTemporaryFile> spill;
};

// nullopt when the file cannot be read (or is too large for a member); throws ArchiveError naming
// the container when the member cannot be compressed or the temporary spill file cannot be
// written, since either is a failure to write the container.
std::optional<PreparedMember> prepareMember(const QString &path, int zlibLevel, const QString &container,
                                            const ProgressReporter::Handler &progress);

// Appends the member's data block: the deflated bytes, or the file's bytes unchanged when they
// did not shrink. Throws ArchiveError when the block cannot be written whole.
void appendMember(const PreparedMember &member, const QString &path, ContainerWriter &writer);

} // namespace ergotab::archive
