#include "MemberReader.h"

#include <QFile>

namespace ergotab::archive {

namespace {

bool blockLiesInDataArea(const TZLBFileEntry &entry, qint64 dataEnd)
{
    return entry.FileSize >= 0 && entry.StoredSize >= 0 && entry.DataOffset >= 0 &&
           qint64(entry.DataOffset) + entry.StoredSize <= dataEnd;
}

} // namespace

MemberReadResult readMember(QFile &container, const TZLBFileEntry &entry, qint64 dataEnd, const ByteSink &sink,
                            const OutputSpace &space)
{
    if (!blockLiesInDataArea(entry, dataEnd) || (entry.Stored && entry.StoredSize != entry.FileSize))
        return MemberReadResult::Corrupt;
    if (!container.seek(entry.DataOffset))
        return MemberReadResult::Corrupt;

    qint64 produced = 0;
    bool sinkFailed = false;
    // Counts output, and refuses anything past FileSize.
    const ByteSink counting = [&](const char *data, qsizetype size) {
        if (produced + size > entry.FileSize)
            return false;
        produced += size;
        if (!sink(data, size)) {
            sinkFailed = true;
            return false;
        }
        return true;
    };

    QByteArray piece(kPieceSize, Qt::Uninitialized);
    qint64 remaining = entry.StoredSize;
    Inflater inflater;
    inflater.setOutputSpace(space);
    bool ended = false;
    while (remaining > 0 && !ended) {
        const qint64 got = container.read(piece.data(), qMin<qint64>(remaining, piece.size()));
        if (got <= 0)
            return MemberReadResult::Corrupt;
        remaining -= got;
        if (entry.Stored) {
            if (!counting(piece.constData(), got))
                return sinkFailed ? MemberReadResult::SinkFailed : MemberReadResult::Corrupt;
            continue;
        }
        switch (inflater.feed(piece.constData(), got, counting)) {
        case InflateStatus::NeedInput:
            break;
        case InflateStatus::StreamEnd:
            ended = true;
            break;
        case InflateStatus::SinkStopped:
            return sinkFailed ? MemberReadResult::SinkFailed : MemberReadResult::Corrupt;
        case InflateStatus::Error:
            return MemberReadResult::Corrupt;
        }
    }
    // A compressed block must hold a whole stream; both kinds must give exactly FileSize bytes.
    if ((!entry.Stored && !ended) || produced != entry.FileSize)
        return MemberReadResult::Corrupt;
    return MemberReadResult::Ok;
}

} // namespace ergotab::archive
