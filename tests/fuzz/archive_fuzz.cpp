// libFuzzer target: any bytes as a container, opened and extracted into a scratch folder.
// The first input byte chooses options; the rest is the file. Besides sanitizer findings the
// target aborts when anything is written outside the destination folder.
#include "storage/archive/TZLBArchive.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <zlib.h>

namespace {

enum Flags : uint8_t { Reseal = 1, CheckCrc = 2, WithPath = 4, Append = 8 };

// Gives random mutations a correct trailer CRC so they reach the directory and member code.
void reseal(QByteArray &file)
{
    if (file.size() < 36)
        return;
    const qsizetype body = file.size() - 36;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(file.constData()), uInt(body));
    for (int i = 0; i < 4; ++i)
        file[body + i] = char((crc >> (8 * i)) & 0xFF);
}

void requireConfined(const QString &root, const QString &container, const QString &destination)
{
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path != container && path != destination && !path.startsWith(destination + QLatin1Char('/'))) {
            std::fprintf(stderr, "written outside the destination: %s\n", qPrintable(path));
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static QTemporaryDir scratch;
    const uint8_t flags = data[0];
    QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (flags & Reseal)
        reseal(file);

    const QString container = scratch.filePath(QStringLiteral("in.tvo"));
    const QString destination = scratch.filePath(QStringLiteral("out"));
    {
        QFile f(container);
        if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
            std::abort();
    }
    ergotab::TZLBArchive archive;
    archive.CheckCRC = flags & CheckCrc;
    archive.ExtractWithPath = flags & WithPath;
    try {
        if (archive.OpenArchive(container)) {
            for (int i = 0; i < archive.FileCount(); ++i)
                (void)archive.GetEntry(i);
            archive.ExtractAll(destination);
            // Rewriting an opened container copies its data blocks: exercise that path too.
            if (flags & Append)
                archive.AddFiles({});
        }
    } catch (const ergotab::ArchiveError &) {
    }
    requireConfined(scratch.path(), container, destination);
    QDir(destination).removeRecursively();
    return 0;
}
