// Packs and unpacks about 40 MB of table files with the container and, side by side, with
// zlib's compress2 (level 9, one core) and uncompress over the same bytes; then packs one 200 MB
// member in a fresh process and reports its peak memory. The container packs on every core, so
// packing is judged by wall time and by size against zlib level 9; unpacking by processor time.
//   bench_archive            both parts
//   bench_archive --large    only the 200 MB member (used by the first form)
#include "TableLikeData.h"

#include "storage/archive/TZLBArchive.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace ergotab;

namespace {

constexpr int kFiles = 8;
constexpr int kRecordsPerFile = 12000; // 8 x 12000 x 420 bytes ~ 40 MB
constexpr int kRounds = 3;
constexpr qint64 kLargeSize = 200ll * 1024 * 1024;

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double processorSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

QByteArray tableFile(uint32_t seed)
{
    TableLikeData data(seed);
    return TableLikeData::header(kRecordsPerFile) + data.records(kRecordsPerFile) + '\x1A';
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

int compareWithZlib()
{
    QTemporaryDir dir;
    QStringList files;
    QList<QByteArray> contents;
    qint64 total = 0;
    for (int i = 0; i < kFiles; ++i) {
        contents.append(tableFile(uint32_t(i + 1)));
        files.append(dir.filePath(QStringLiteral("Table%1.dbf").arg(i)));
        writeFile(files.last(), contents.last());
        total += contents.last().size();
    }

    // zlib alone: compress2 at level 9 and uncompress, in memory.
    QList<QByteArray> packed;
    qint64 zlibPacked = 0;
    const auto zlibPack = [&]() {
        packed.clear();
        zlibPacked = 0;
        for (const QByteArray &c : contents) {
            uLongf size = compressBound(uLong(c.size()));
            QByteArray out(qsizetype(size), Qt::Uninitialized);
            compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(c.constData()),
                      uLong(c.size()), 9);
            out.resize(qsizetype(size));
            zlibPacked += out.size();
            packed.append(out);
        }
    };
    const auto zlibUnpack = [&]() {
        for (qsizetype i = 0; i < packed.size(); ++i) {
            QByteArray out(contents[i].size(), Qt::Uninitialized);
            uLongf size = uLongf(out.size());
            if (uncompress(reinterpret_cast<Bytef *>(out.data()), &size,
                           reinterpret_cast<const Bytef *>(packed[i].constData()), uLong(packed[i].size())) != Z_OK)
                qFatal("uncompress failed");
        }
    };
    // The container, from files to file and back, as the program saves and opens documents.
    const QString target = dir.filePath(QStringLiteral("bench.tvo"));
    const auto ourPack = [&]() {
        QFile::remove(target);
        TZLBArchive archive;
        archive.CompressionLevel = fcMaximum;
        archive.CreateArchive(target);
        archive.AddFiles(files);
        archive.CloseArchive();
    };
    const auto ourUnpack = [&]() {
        TZLBArchive archive;
        archive.CheckCRC = true;
        archive.OpenArchive(target);
        archive.ExtractAll(dir.filePath(QStringLiteral("out")));
        archive.CloseArchive();
    };
    // Alternate the two sides and keep each one's best time: other load on the machine then
    // hits both alike instead of whichever happened to run second. Processor time is judged,
    // as it depends least on what else runs; wall time is shown beside it.
    double wall[4] = {1e9, 1e9, 1e9, 1e9}, cpu[4] = {1e9, 1e9, 1e9, 1e9};
    const std::function<void()> steps[4] = {zlibPack, ourPack, zlibUnpack, ourUnpack};
    for (int round = 0; round < kRounds; ++round) {
        for (int step = 0; step < 4; ++step) {
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = processorSeconds();
            steps[step]();
            cpu[step] = std::min(cpu[step], processorSeconds() - cpuStart);
            wall[step] = std::min(wall[step], seconds(timer));
        }
    }
    const qint64 ourPacked = QFile(target).size();

    std::printf("data: %d table files, %.1f MB; best of %d alternating rounds\n", kFiles, double(total) / 1e6, kRounds);
    const auto report = [&](const char *what, int zlibStep, double target, bool byWall) {
        const double ratio = byWall ? wall[zlibStep + 1] / wall[zlibStep] : cpu[zlibStep + 1] / cpu[zlibStep];
        std::printf("%s  zlib %6.3f s cpu (%6.3f wall)   container %6.3f s cpu (%6.3f wall)   x%.2f cpu, "
                    "x%.2f wall (target %s <= %.2f) %s\n",
                    what, cpu[zlibStep], wall[zlibStep], cpu[zlibStep + 1], wall[zlibStep + 1],
                    cpu[zlibStep + 1] / cpu[zlibStep], wall[zlibStep + 1] / wall[zlibStep], byWall ? "wall" : "cpu",
                    target, ratio <= target ? "ok" : "MISSED");
    };
    report("pack   (compress2 level 9)", 0, 0.50, true);
    report("unpack (uncompress)       ", 2, 1.25, false);
    const double sizeRatio = double(ourPacked) / double(zlibPacked);
    std::printf("size    zlib %.3f MB (%.2f%%)   container %.3f MB (%.2f%%)   x%.3f (target <= 1.030) %s\n",
                double(zlibPacked) / 1e6, 100.0 * double(zlibPacked) / double(total), double(ourPacked) / 1e6,
                100.0 * double(ourPacked) / double(total), sizeRatio, sizeRatio <= 1.03 ? "ok" : "MISSED");
    return 0;
}

int packLargeMember()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("Large.dbf"));
    {
        QFile f(source);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(source));
        TableLikeData data(42);
        while (f.size() < kLargeSize)
            f.write(data.records(2000));
    }
    const long before = peakMemoryKiB();
    QElapsedTimer timer;
    timer.start();
    TZLBArchive archive;
    archive.CompressionLevel = fcMaximum;
    archive.CreateArchive(dir.filePath(QStringLiteral("large.tvo")));
    archive.AddFiles({source});
    const double packTime = seconds(timer);
    const long afterPack = peakMemoryKiB();
    archive.CheckCRC = true;
    archive.ExtractAll(dir.filePath(QStringLiteral("out")));
    const long afterUnpack = peakMemoryKiB();
    std::printf("200 MB member: packed in %.1f s to %.1f MB; peak memory %.1f MiB after packing, "
                "%.1f MiB after unpacking (target < 64 MiB) %s; before packing %.1f MiB\n",
                packTime, double(archive.GetEntry(0).StoredSize) / 1e6, afterPack / 1024.0, afterUnpack / 1024.0,
                afterUnpack < 64 * 1024 ? "ok" : "MISSED", before / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--large")))
        return packLargeMember();
    compareWithZlib();
    std::fflush(stdout);
    // A fresh process, so the 40 MB held above does not count towards the member's peak.
    QProcess large;
    large.setProcessChannelMode(QProcess::ForwardedChannels);
    large.start(app.applicationFilePath(), {QStringLiteral("--large")});
    large.waitForFinished(-1);
    return large.exitCode();
}
