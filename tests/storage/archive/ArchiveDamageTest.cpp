// Damaged and hostile containers: every lie in the bytes ends in the container's own message,
// never in a crash, an allocation the file cannot justify, or a file outside the destination.
#include "HandBuiltContainer.h"

#include "storage/archive/TZLBArchive.h"
#include "tests/support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;

namespace {

const QByteArray kTable = QByteArray("Pracovi\x9At\xEC 0001 0002 Sv\xE1\xF8"
                                     "e\xE8 ")
                              .repeated(50);

// Opens `bytes` as a container and returns the message of the error it raises ("" for none).
QString openError(const QByteArray &bytes)
{
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("c.tvo")), bytes);
    TZLBArchive archive;
    try {
        archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    } catch (const ArchiveError &e) {
        try {
            archive.FileCount();
        } catch (const ArchiveError &) {
            return e.message(); // and nothing is left open
        }
        return QStringLiteral("left open after: ") + e.message();
    }
    return QString();
}

// Opens and extracts into dir/out with CheckCRC; returns the error message ("" for none).
QString extractError(const TempDir &dir, const QByteArray &bytes, bool withPath = false)
{
    TempDir::write(dir.file(QStringLiteral("c.tvo")), bytes);
    TZLBArchive archive;
    archive.CheckCRC = true;
    archive.ExtractWithPath = withPath;
    try {
        archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
        archive.ExtractAll(dir.file(QStringLiteral("out")));
    } catch (const ArchiveError &e) {
        return e.message();
    }
    return QString();
}

HandMember withName(HandMember m, const QByteArray &name, const QByteArray &path = {})
{
    m.name = name;
    m.path = path;
    return m;
}

} // namespace

TEST(ArchiveDamage, EveryChangedByteBeforeTheTrailerIsCaught)
{
    const QByteArray good =
        handBuiltContainer({compressedMember("Object.dbf", kTable), storedMember("Version.Inf", "3\r\n")});
    ASSERT_EQ(openError(good), QString());
    for (qsizetype i = 0; i < good.size() - 36; ++i) {
        QByteArray bad = good;
        bad[i] = char(bad[i] ^ 0x20);
        ASSERT_EQ(openError(bad), QStringLiteral("The archive file appears to be corrupted")) << "byte " << i;
    }
}

TEST(ArchiveDamage, FilesTooShortOrMissing)
{
    EXPECT_EQ(openError(QByteArray()), QStringLiteral("The archive file appears to be corrupted"));
    EXPECT_EQ(openError(QByteArray(35, '\0')), QStringLiteral("The archive file appears to be corrupted"));
    // 36 zero bytes: a trailer whose CRC (0) matches the CRC of nothing, Count 0.
    EXPECT_EQ(openError(QByteArray(36, '\0')), QString());

    TZLBArchive archive;
    EXPECT_FALSE(archive.OpenArchive(QString()));
    try {
        archive.OpenArchive(QStringLiteral("/nonexistent/doc.tvo"));
        FAIL();
    } catch (const ArchiveError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Archive file not found"));
    }
}

TEST(ArchiveDamage, TrailerThatDoesNotFitTheFileIsRefusedBeforeAllocating)
{
    const std::vector<HandMember> members = {compressedMember("Object.dbf", kTable)};
    const QString listError = QStringLiteral("Unable to read archive file list");
    const QByteArray good = handBuiltContainer(members);
    const qint64 directoryOffset = le32(good, good.size() - 20);
    const struct
    {
        const char *what;
        HandContainerOptions options;
    } lies[] = {
        {"huge count", {.count = 0x7FFFFFFF}},
        {"negative count", {.count = 0x80000000}},
        {"one entry more than the stream holds", {.count = 2}},
        {"directory offset past the end", {.directoryOffset = good.size() + 100}},
        {"negative directory offset", {.directoryOffset = 0xFFFFFFF0}},
        {"directory offset into a member", {.directoryOffset = directoryOffset / 2}},
        {"flat directory with more entries than bytes", {.directoryCompressed = false, .count = 2}},
        {"flat directory with a huge count", {.directoryCompressed = false, .count = 0x10000000}},
    };
    for (const auto &lie : lies)
        EXPECT_EQ(openError(handBuiltContainer(members, lie.options)), listError) << lie.what;
}

TEST(ArchiveDamage, MemberThatLiesAboutItsBlockFailsWithItsPosition)
{
    const HandMember first = storedMember("Version.Inf", "3\r\n");
    const HandMember good = compressedMember("Object.dbf", kTable);
    const QByteArray stream = good.block;
    auto changed = [&](auto edit) {
        HandMember m = good;
        edit(m);
        return handBuiltContainer({first, m});
    };
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"block starts past the directory", changed([](HandMember &m) { m.dataOffset = 100000; })},
        {"block runs into the directory", changed([&](HandMember &m) { m.storedSize = stream.size() + 40; })},
        {"negative offset", changed([](HandMember &m) { m.dataOffset = 0xFFFFFF00; })},
        {"negative size", changed([](HandMember &m) { m.fileSize = 0x80000000; })},
        {"stream ends before FileSize", changed([](HandMember &m) { m.fileSize = m.content.size() + 1; })},
        {"stream holds more than FileSize", changed([](HandMember &m) { m.fileSize = m.content.size() - 1; })},
        {"huge FileSize from a small stream", changed([](HandMember &m) { m.fileSize = 0x7FFFFFFF; })},
        {"truncated stream", changed([](HandMember &m) { m.block.chop(10); })},
        {"not a zlib stream", changed([](HandMember &m) { m.block = QByteArray(40, 'z'); })},
        {"damaged deflate data", changed([](HandMember &m) { m.block[20] = char(m.block[20] ^ 0xFF); })},
        {"stored block shorter than FileSize", changed([](HandMember &m) {
             m.stored = true;
             m.block = m.content.left(100);
         })},
        {"CRC differs", changed([](HandMember &m) { m.crc = 12345; })},
    };
    for (const auto &c : cases) {
        TempDir dir;
        EXPECT_EQ(extractError(dir, c.bytes), QStringLiteral("File (1) is corrupt")) << c.what;
        EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Version.Inf"))), QByteArray("3\r\n"))
            << "members before the damaged one stay extracted: " << c.what;
    }
}

TEST(ArchiveDamage, CrcIsCheckedOnlyWhenAsked)
{
    HandMember m = compressedMember("Object.dbf", kTable);
    m.crc = crcOf(kTable) ^ 1;
    const QByteArray bytes = handBuiltContainer({m});
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("c.tvo")), bytes);
    TZLBArchive archive;
    archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    archive.ExtractAll(dir.path());
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("Object.dbf"))), kTable);
    archive.CheckCRC = true;
    EXPECT_THROW(archive.ExtractAll(dir.path()), ArchiveError);
    EXPECT_THROW(archive.VerifyEntry(0), ArchiveError);
}

TEST(ArchiveDamage, HostileNamesNeverLeaveTheDestination)
{
    const HandMember base = storedMember("x", "evil");
    const QByteArray names[] = {
        "../escaped",         "..", ".", "", "sub/escaped", "..\\escaped", "C:escaped", "/tmp/escaped", "nul\x01",
        QByteArray("a\0b", 3)};
    for (const QByteArray &name : names) {
        TempDir dir;
        EXPECT_EQ(extractError(dir, handBuiltContainer({storedMember("ok", "1"), withName(base, name)})),
                  QStringLiteral("File (1) is corrupt"))
            << name.constData();
        // Only the container and the destination with its one good member exist.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList({QStringLiteral("c.tvo"), QStringLiteral("out")}));
        EXPECT_EQ(QDir(dir.file(QStringLiteral("out"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList({QStringLiteral("ok")}));
    }
}

TEST(ArchiveDamage, RecordedFoldersAreConfinedToTheDestination)
{
    const HandMember base = storedMember("m.dbf", "data");
    const QByteArray refused[] = {"..\\", "\\..\\..\\", "a/../../", "C:\\x\\", "a\\\x02\\"};
    for (const QByteArray &path : refused) {
        TempDir dir;
        EXPECT_EQ(extractError(dir, handBuiltContainer({withName(base, "m.dbf", path)}), true),
                  QStringLiteral("File (0) is corrupt"))
            << path.constData();
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("m.dbf"))));
    }
    // A recorded absolute folder lands below the destination; "." and doubled separators vanish.
    TempDir dir;
    EXPECT_EQ(extractError(dir, handBuiltContainer({withName(base, "m.dbf", "\\Data\\.\\\\Tabulky\\")}), true),
              QString());
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Data/Tabulky/m.dbf"))), QByteArray("data"));
    // Without ExtractWithPath the recorded folder is ignored altogether.
    TempDir flat;
    EXPECT_EQ(extractError(flat, handBuiltContainer({withName(base, "m.dbf", "..\\..\\")})), QString());
    EXPECT_EQ(TempDir::read(flat.file(QStringLiteral("out/m.dbf"))), QByteArray("data"));
}

TEST(ArchiveDamage, DoubledSeparatorsInTheDestinationMeanTheSameFolder)
{
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("c.tvo")), handBuiltContainer({storedMember("Link.dbf", "L")}));
    TZLBArchive archive;
    QStringList extracted;
    archive.OnFileExtracted = [&](const QString &f) { extracted << f; };
    archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    archive.ExtractAll(dir.path() + QStringLiteral("//work///folder//"));
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("work/folder/Link.dbf"))), QByteArray("L"));
    EXPECT_EQ(extracted, QStringList({dir.path() + QStringLiteral("/work/folder/Link.dbf")}));
}

TEST(ArchiveDamage, DestinationThatIsAFileCannotBeCreated)
{
    TempDir dir;
    TempDir::write(dir.file(QStringLiteral("blocker")), "x");
    EXPECT_EQ(extractError(dir, handBuiltContainer({storedMember("Link.dbf", "L")}), false), QString())
        << "sanity: a normal destination works";
    TempDir::write(dir.file(QStringLiteral("c.tvo")), handBuiltContainer({storedMember("Link.dbf", "L")}));
    TZLBArchive archive;
    archive.OpenArchive(dir.file(QStringLiteral("c.tvo")));
    try {
        archive.ExtractAll(dir.file(QStringLiteral("blocker/sub")));
        FAIL();
    } catch (const ArchiveError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to create destination path"));
    }
}

// Large members are checksummed and written on a second thread: damage is still caught, the
// message still names the member, and a good one arrives whole.
TEST(ArchiveDamage, LargeMembersAreCheckedLikeSmallOnes)
{
    QByteArray memo;
    for (int i = 0; memo.size() < 3 * 1024 * 1024 + 777; ++i)
        memo += QByteArray::number(i * 2654435761u) + (i % 9 ? ' ' : '\n');
    const HandMember good = compressedMember("Object.dbt", memo);
    {
        TempDir dir;
        EXPECT_EQ(extractError(dir, handBuiltContainer({good})), QString());
        EXPECT_TRUE(TempDir::read(dir.file(QStringLiteral("out/Object.dbt"))) == memo);
    }
    HandMember badCrc = good;
    badCrc.crc = crcOf(memo) ^ 0x100;
    HandMember badStream = good;
    badStream.block[badStream.block.size() / 2] = char(badStream.block[badStream.block.size() / 2] ^ 0x04);
    HandMember shortStream = good;
    shortStream.block.chop(shortStream.block.size() / 3);
    for (const HandMember &bad : {badCrc, badStream, shortStream}) {
        TempDir dir;
        EXPECT_EQ(extractError(dir, handBuiltContainer({storedMember("Version.Inf", "3\r\n"), bad})),
                  QStringLiteral("File (1) is corrupt"));
    }
}
