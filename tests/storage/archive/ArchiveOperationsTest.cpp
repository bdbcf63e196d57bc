// Operations and notifications: adding, replacing, appending, progress and the mended faults
// around writing (no lost write errors, no half-written target).
#include "HandBuiltContainer.h"

#include "storage/archive/ContainerReplacement.h"
#include "storage/archive/ProgressReporter.h"
#include "storage/archive/TZLBArchive.h"
#include "tests/support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace ergotab;
using namespace ergotab::test;

namespace {

QString write(const TempDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.file(name);
    QDir().mkpath(QFileInfo(path).path());
    TempDir::write(path, bytes);
    return path;
}

QString messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ArchiveError &e) {
        return e.message();
    }
    return QString();
}

// Pseudo-random bytes: do not compress, so a member is stored and as large as the file.
QByteArray noise(qsizetype size)
{
    QByteArray out(size, '\0');
    quint32 x = 2463534242u;
    for (qsizetype i = 0; i < size; ++i) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        out[i] = char(x);
    }
    return out;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Limits the size of files this process may write, so that writing a container fails midway.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved {};
};

} // namespace

TEST(ArchiveOperations, WithoutAContainerOperationsRefuse)
{
    TZLBArchive archive;
    const QString none = QStringLiteral("No archive is currently open");
    EXPECT_EQ(messageOf([&] { archive.FileCount(); }), none);
    EXPECT_EQ(messageOf([&] { archive.FindEntry(QStringLiteral("a")); }), none);
    EXPECT_EQ(messageOf([&] { archive.ExtractAll(QStringLiteral("/tmp")); }), none);
    EXPECT_EQ(messageOf([&] { archive.AddFiles({}); }), none);
    EXPECT_EQ(messageOf([&] { archive.GetEntry(0); }), QStringLiteral("Index out of bounds"));

    TempDir dir;
    const QString existing = write(dir, QStringLiteral("old.tvo"), "old");
    EXPECT_EQ(messageOf([&] { archive.CreateArchive(existing); }), QStringLiteral("File already exists"));
    archive.CreateArchive(QString()); // an empty name leaves nothing open
    EXPECT_EQ(messageOf([&] { archive.FileCount(); }), none);
}

TEST(ArchiveOperations, DuplicatesAreKeptLoggedAndFoundFirst)
{
    TempDir dir;
    const QString a = write(dir, QStringLiteral("Object.dbf"), "first");
    const QString b = write(dir, QStringLiteral("sub/OBJECT.DBF"), "second");
    QStringList log;
    TZLBArchive archive;
    archive.OnErrorLogged = [&](const QString &m) { log << m; };
    archive.CreateArchive(dir.file(QStringLiteral("d.tvo")));
    archive.AddFiles({a, b, dir.file(QStringLiteral("missing.dbf"))});
    ASSERT_EQ(archive.FileCount(), 2);
    EXPECT_EQ(log,
              QStringList({b + QStringLiteral(" already exists in the archive"),
                           QStringLiteral("Unable to open file (%1)").arg(dir.file(QStringLiteral("missing.dbf")))}));
    EXPECT_EQ(archive.FindEntry(QStringLiteral("C:\\elsewhere\\object.dbf")), 0);
    EXPECT_EQ(archive.FindEntry(QStringLiteral("Link.dbf")), -1);
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/OBJECT.DBF"))), QByteArray("second"));
}

TEST(ArchiveOperations, SavePathsAndRecursePaths)
{
    TempDir dir;
    write(dir, QStringLiteral("tree/b.txt"), "b");
    write(dir, QStringLiteral("tree/deep/a.txt"), "a");
    const QString top = write(dir, QStringLiteral("top.txt"), "t");
    TZLBArchive archive;
    archive.RecursePaths = true;
    archive.SavePaths = true;
    archive.CreateArchive(dir.file(QStringLiteral("r.tvo")));
    archive.AddFiles({dir.file(QStringLiteral("tree")), top});
    ASSERT_EQ(archive.FileCount(), 3);
    EXPECT_EQ(archive.GetEntry(0).FileName, QStringLiteral("top.txt")) << "the folder's files come after";
    EXPECT_EQ(archive.GetEntry(1).FilePath, dir.path() + QStringLiteral("/tree/"));
    EXPECT_EQ(archive.GetEntry(2).FilePath, dir.path() + QStringLiteral("/tree/deep/"));
    EXPECT_EQ(archive.FindEntry(dir.file(QStringLiteral("tree/deep/a.txt"))), 2);
    EXPECT_EQ(archive.FindEntry(QStringLiteral("/other/a.txt")), -1);

    archive.ExtractWithPath = true;
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out")) + dir.path() + QStringLiteral("/tree/deep/a.txt")),
              QByteArray("a"));

    // Without RecursePaths a folder in the list is simply dropped.
    TZLBArchive flat;
    flat.CreateArchive(dir.file(QStringLiteral("f.tvo")));
    flat.AddFiles({dir.file(QStringLiteral("tree")), top});
    EXPECT_EQ(flat.FileCount(), 1);
}

TEST(ArchiveOperations, AddingToAnOpenedContainerKeepsItsBlocks)
{
    TempDir dir;
    const QByteArray table = QByteArray("Svářeč 0001 ").repeated(400);
    const QString target = dir.file(QStringLiteral("lib.LIB"));
    TZLBArchive archive;
    archive.CreateArchive(target);
    archive.AddFiles({write(dir, QStringLiteral("Object.dbf"), table)});
    const TZLBFileEntry first = archive.GetEntry(0);
    archive.AddFiles({write(dir, QStringLiteral("Vzory.dbf"), "vz")});
    ASSERT_EQ(archive.FileCount(), 2);
    EXPECT_EQ(archive.GetEntry(0), first);
    EXPECT_EQ(archive.GetEntry(1).DataOffset, first.StoredSize);

    TZLBArchive reader;
    reader.CheckCRC = true;
    reader.OpenArchive(target);
    reader.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Object.dbf"))), table);
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Vzory.dbf"))), QByteArray("vz"));
}

TEST(ArchiveOperations, NotificationsInOrder)
{
    TempDir dir;
    const QString src = write(dir, QStringLiteral("Object.dbf"), noise(300000));
    QStringList events;
    TZLBArchive archive;
    archive.OnArchiveOpened = [&](TZLBArchive &) { events << QStringLiteral("opened"); };
    archive.OnProgress = [&](const QString &m, int p) {
        if (events.isEmpty() || !events.last().startsWith(m + QLatin1Char(' ')) || p == 0 || p == 100)
            events << QStringLiteral("%1 %2").arg(m).arg(p);
    };
    archive.OnFileExtracted = [&](const QString &f) { events << QStringLiteral("extracted ") + f; };
    const QString target = dir.file(QStringLiteral("n.tvo"));
    archive.CreateArchive(target);
    archive.AddFiles({src});
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    archive.CloseArchive();
    const QStringList expected = {
        QStringLiteral(" 0"), // CreateArchive closes first
        QStringLiteral("opened"),
        QStringLiteral("Updating %1 0").arg(src),
        QStringLiteral("Updating %1 100").arg(src),
        QStringLiteral("Writing archive registry 0"),
        QStringLiteral(" 0"),
        QStringLiteral(" 0"),
        QStringLiteral("Extracting archive registry 0"),
        QStringLiteral("Extracting archive registry 100"),
        QStringLiteral("opened"),
        QStringLiteral("%1 0").arg(target),
        QStringLiteral("Extracting Object.dbf 0"),
        QStringLiteral("Extracting Object.dbf 100"),
        QStringLiteral("extracted %1").arg(dir.file(QStringLiteral("out/Object.dbf"))),
        QStringLiteral("%1 0").arg(target),
        QStringLiteral(" 0"),
    };
    EXPECT_EQ(events, expected);
}

TEST(ArchiveOperations, PercentagesRoundHalfToEven)
{
    using archive::roundedPercent;
    EXPECT_EQ(roundedPercent(1, 200), 0); // 0.5
    EXPECT_EQ(roundedPercent(3, 200), 2); // 1.5
    EXPECT_EQ(roundedPercent(5, 200), 2); // 2.5
    EXPECT_EQ(roundedPercent(7, 200), 4); // 3.5
    EXPECT_EQ(roundedPercent(1, 3), 33);
    EXPECT_EQ(roundedPercent(2, 3), 67);
    EXPECT_EQ(roundedPercent(2147483647, 2147483647), 100);
    EXPECT_EQ(roundedPercent(0, 0), 100);
}

TEST(ArchiveOperations, ReplaceFileHandlerDecidesAboutExistingFiles)
{
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("c.tvo")),
                   handBuiltContainer({storedMember("a.dbf", "new a"), storedMember("b.dbf", "new b")}));
    write(dir, QStringLiteral("out/a.dbf"), "old a");
    write(dir, QStringLiteral("out/b.dbf"), "old b");
    TZLBArchive archive;
    QStringList asked;
    archive.OnReplaceFile = [&](const QString &f, bool &replace) {
        asked << QFileInfo(f).fileName();
        replace = f.endsWith(QLatin1String("b.dbf"));
    };
    archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(asked, QStringList({QStringLiteral("a.dbf"), QStringLiteral("b.dbf")}));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/a.dbf"))), QByteArray("old a"));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/b.dbf"))), QByteArray("new b"));
}

TEST(ArchiveOperations, WriteFailureRaisesAndLeavesTheTargetAlone)
{
    TempDir dir;
    const QString member = write(dir, QStringLiteral("Object.dbf"), noise(1 << 20));
    // A target in a folder that does not exist cannot be written at all.
    TZLBArchive archive;
    archive.CreateArchive(dir.file(QStringLiteral("missing/doc.tvo")));
    EXPECT_EQ(messageOf([&] { archive.AddFiles({member}); }),
              QStringLiteral("Unable to write archive file (%1)").arg(dir.file(QStringLiteral("missing/doc.tvo"))));

    // Running out of room halfway: the old document stays as it was and no temporary is left.
    const QString target = write(dir, QStringLiteral("doc.tvo"), "the previous document");
    const QStringList before = filesIn(dir.path());
    {
        FileSizeLimit limit(256 * 1024);
        EXPECT_EQ(messageOf([&] { writeContainerAtomically(target, {member}, fcMaximum); }),
                  QStringLiteral("Unable to write archive file (%1)").arg(target));
    }
    EXPECT_EQ(TempDir::read(target), QByteArray("the previous document"));
    EXPECT_EQ(filesIn(dir.path()), before);
}

TEST(ArchiveOperations, AtomicReplacementSwapsInACompleteContainer)
{
    TempDir dir;
    const QString target = write(dir, QStringLiteral("Library.LIB"), "old library");
    const QString table = write(dir, QStringLiteral("Vzory.dbf"), QByteArray("vzor ").repeated(100));
    writeContainerAtomically(target, {table}, fcMaximum);
    TZLBArchive reader;
    reader.CheckCRC = true;
    reader.OpenArchive(target);
    ASSERT_EQ(reader.FileCount(), 1);
    EXPECT_EQ(reader.GetEntry(0).Level, 3);
    reader.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Vzory.dbf"))), TempDir::read(table));

    // A listed member that cannot be read fails the whole write: no document without a table.
    const QByteArray written = TempDir::read(target);
    EXPECT_EQ(messageOf([&] {
                  writeContainerAtomically(target, {table, dir.file(QStringLiteral("Link.dbf"))}, fcMaximum);
              }),
              QStringLiteral("Unable to open file (%1)").arg(dir.file(QStringLiteral("Link.dbf"))));
    EXPECT_EQ(TempDir::read(target), written);
    EXPECT_EQ(filesIn(dir.path()), QStringList({QStringLiteral("Library.LIB"), QStringLiteral("Vzory.dbf")}));
}

TEST(ArchiveOperations, LargeMembersGoThroughATemporaryFile)
{
    TempDir dir;
    // Just over the in-memory limit, compressible and incompressible halves.
    const QByteArray content = QByteArray("Řádek tabulky 0001 ").repeated(600000) + noise(10 << 20);
    ASSERT_GT(content.size(), 20971520);
    const QString source = write(dir, QStringLiteral("Big.dbf"), content);
    const QString target = dir.file(QStringLiteral("big.tvo"));
    TZLBArchive archive;
    archive.CompressionLevel = fcFastest;
    archive.CheckCRC = true;
    archive.CreateArchive(target);
    archive.AddFiles({source});
    const TZLBFileEntry entry = archive.GetEntry(0);
    EXPECT_FALSE(entry.Stored);
    EXPECT_EQ(entry.FileSize, content.size());
    EXPECT_EQ(entry.Crc, crcOf(content));
    const QByteArray file = TempDir::read(target);
    EXPECT_EQ(zlibUncompress(file.left(entry.StoredSize), content.size()), content);
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Big.dbf"))), content);
}

TEST(ArchiveOperations, HandlerClosingTheContainerMidwayDoesNotCutExtractionShort)
{
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("c.tvo")),
                   handBuiltContainer({storedMember("a.dbf", "a"), storedMember("b.dbf", "b")}));
    TZLBArchive archive;
    archive.OnFileExtracted = [&](const QString &) { archive.CloseArchive(); };
    archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    archive.ExtractAll(dir.file(QStringLiteral("out")));
    EXPECT_EQ(filesIn(dir.file(QStringLiteral("out"))),
              QStringList({QStringLiteral("a.dbf"), QStringLiteral("b.dbf")}));
}
