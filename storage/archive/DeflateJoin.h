#pragma once

#include <QByteArray>

#include <optional>

// Raw deflate streams made independently of each other, joined into one stream.
//
// A compressor that only works on whole buffers always ends its output with a final block.
// To let the next piece follow, the final flag of that last block is cleared and an empty
// stored block (a sync-flush marker) brings the stream to a byte boundary, exactly as a
// streaming deflater's sync flush would.
namespace ergotab::archive {

struct FinalBlock
{
    qint64 headerBit = 0; // bit offset of the last block's header (its final flag)
    qint64 endBit = 0;    // bit offset just past its end-of-block code or its stored bytes
};

// Walks the blocks of a complete raw deflate stream without producing output and tells where
// the final block starts and where the stream ends; nullopt when the bytes are not a complete,
// well-formed stream.
std::optional<FinalBlock> findFinalBlock(const QByteArray &rawDeflate);

// The stream with its final flag cleared and a sync-flush marker appended, ready to be followed
// by another raw deflate stream; empty when the bytes are not a complete stream.
QByteArray continuable(const QByteArray &rawDeflate);

} // namespace ergotab::archive
