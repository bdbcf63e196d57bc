// ergotab-cli run as a separate process, the way scripts use it.
#include "CliRunner.h"
#include "tests/storage/dbf/DbfBytes.h"
#include "tests/support/TempDir.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <zlib.h>

using ergotab::test::CliRun;
using ergotab::test::TempDir;

namespace {

CliRun cli(const QStringList &args)
{
    return ergotab::test::runCli(args);
}

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

class CliTest : public ::testing::Test
{
protected:
    QString make(const QString &name, const QByteArray &bytes)
    {
        TempDir::write(dir.file(name), bytes);
        return dir.file(name);
    }
    TempDir dir;
    // A real table, since check also reads the tables among the members.
    const QByteArray table = ergotab::test::handTable(
        0x03, 0xC8, {{"TEXT", 'C', 23}}, QList<QByteArray>(300, QByteArray(" Pracovi\x9At\xEC 0001 0002")));
};

} // namespace

TEST_F(CliTest, PackListUnpackCheckRoundTrip)
{
    const QString object = make(QStringLiteral("Object.dbf"), table);
    const QString version = make(QStringLiteral("Version.Inf"), "3\r\n");
    const QString doc = dir.file(QStringLiteral("doc.tvo"));
    CliRun r = cli({QStringLiteral("pack"), doc, object, version});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    r = cli({QStringLiteral("list"), doc});
    ASSERT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QStringList first = lines[0].split(QLatin1Char('\t'));
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(first[0], QStringLiteral("Object.dbf"));
    EXPECT_EQ(first[1].toInt(), table.size());
    EXPECT_LT(first[2].toInt(), table.size());
    EXPECT_EQ(first[3], QStringLiteral("0"));
    EXPECT_EQ(first[4], QStringLiteral("%1").arg(crcOf(table), 8, 16, QLatin1Char('0')));
    EXPECT_EQ(first[5], QStringLiteral("maximum")) << "the program's own level by default";
    EXPECT_EQ(
        lines[1],
        QStringLiteral("Version.Inf\t3\t3\t%1\t%2\tstored").arg(first[2]).arg(crcOf("3\r\n"), 8, 16, QLatin1Char('0')));

    r = cli({QStringLiteral("check"), doc});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("OK, 2 members")));

    r = cli({QStringLiteral("unpack"), doc, dir.file(QStringLiteral("out"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Object.dbf"))), table);
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("out/Version.Inf"))), QByteArray("3\r\n"));
}

TEST_F(CliTest, PackRefusesToOverwriteUnlessForced)
{
    const QString member = make(QStringLiteral("Link.dbf"), table);
    const QString doc = make(QStringLiteral("doc.tvo"), "keep me");
    CliRun r = cli({QStringLiteral("pack"), doc, member});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("ergotab-cli: File already exists\n"));
    EXPECT_EQ(TempDir::read(doc), QByteArray("keep me"));

    r = cli({QStringLiteral("pack"), QStringLiteral("--force"), QStringLiteral("--level"), QStringLiteral("1"), doc,
             member});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({QStringLiteral("list"), doc});
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("\tfastest\n"))) << r.out.toStdString();

    // A missing member fails the whole command and the old file survives.
    const QByteArray before = TempDir::read(doc);
    r = cli({QStringLiteral("pack"), QStringLiteral("--force"), doc, member, dir.file(QStringLiteral("nope.dbf"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Unable to open file (")));
    EXPECT_EQ(TempDir::read(doc), before);
}

TEST_F(CliTest, DamagedFilesReportTheContainerMessage)
{
    const QString member = make(QStringLiteral("Object.dbf"), table);
    const QString doc = dir.file(QStringLiteral("doc.tvo"));
    ASSERT_EQ(cli({QStringLiteral("pack"), doc, member}).exitCode, 0);
    QByteArray bytes = TempDir::read(doc);

    // One changed byte in a member: the trailer's checksum catches it.
    bytes[10] = char(bytes[10] ^ 0x55);
    const QString bad = make(QStringLiteral("bad.tvo"), bytes);
    for (const QString &command : {QStringLiteral("list"), QStringLiteral("check")}) {
        const CliRun r = cli({command, bad});
        EXPECT_EQ(r.exitCode, 1) << command.toStdString();
        EXPECT_EQ(r.err, QStringLiteral("ergotab-cli: The archive file appears to be corrupted\n"));
    }
    // The same change with the checksum made to fit: check finds the member itself.
    const qsizetype body = bytes.size() - 36;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(body));
    for (int i = 0; i < 4; ++i)
        bytes[body + i] = char((crc >> (8 * i)) & 0xFF);
    const CliRun r = cli({QStringLiteral("check"), make(QStringLiteral("resealed.tvo"), bytes)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("ergotab-cli: File (0) is corrupt\n"));

    const CliRun missing = cli({QStringLiteral("unpack"), dir.file(QStringLiteral("none.tvo")), dir.path()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, QStringLiteral("ergotab-cli: Archive file not found\n"));
}

TEST_F(CliTest, HelpAndWrongCallsExplainThemselves)
{
    CliRun r = cli({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    for (const char *name : {"list FILE", "check FILE", "unpack FILE DIR", "pack [--level L] [--force] FILE MEMBER..."})
        EXPECT_TRUE(r.out.contains(QLatin1String(name))) << name;

    r = cli({QStringLiteral("help"), QStringLiteral("pack")});
    EXPECT_TRUE(r.out.contains(QStringLiteral("--force")));
    EXPECT_EQ(cli({QStringLiteral("unpack"), QStringLiteral("--help")}).exitCode, 0);

    const struct
    {
        QStringList args;
        const char *says;
    } wrong[] = {
        {{}, "Usage"},
        {{QStringLiteral("explode")}, "unknown command 'explode'"},
        {{QStringLiteral("list")}, "list takes one FILE"},
        {{QStringLiteral("unpack"), QStringLiteral("a")}, "unpack takes FILE and DIR"},
        {{QStringLiteral("pack"), QStringLiteral("a.tvo")}, "at least one MEMBER"},
        {{QStringLiteral("pack"), QStringLiteral("--level"), QStringLiteral("5"), QStringLiteral("a"),
          QStringLiteral("b")},
         "unknown level '5'"},
        {{QStringLiteral("pack"), QStringLiteral("--fast"), QStringLiteral("a"), QStringLiteral("b")},
         "unknown option '--fast'"},
    };
    for (const auto &w : wrong) {
        r = cli(w.args);
        EXPECT_EQ(r.exitCode, 2) << w.says;
        EXPECT_TRUE((r.err + r.out).contains(QLatin1String(w.says))) << w.says << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("a.tvo")));
}
