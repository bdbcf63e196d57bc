// dump and convert on old documents written by another program (tests/data/old-documents, made
// by python3-dbf and a container writer of its own), compared with the dump that writer expects.
#include "CliRunner.h"
#include "tests/support/TempDir.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using ergotab::test::runCli;
using ergotab::test::TempDir;

namespace {

const QString folder = QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/old-documents/");
const QStringList documents {QStringLiteral("version0"), QStringLiteral("version1"), QStringLiteral("version2"),
                             QStringLiteral("version3-no-index-no-worker")};

QString expectedDump(const QString &name)
{
    return QString::fromUtf8(TempDir::read(folder + name + QStringLiteral(".json")));
}

} // namespace

TEST(OldDocumentsCli, DumpGivesWhatTheirWriterExpects)
{
    for (const QString &name : documents) {
        SCOPED_TRACE(name.toStdString());
        const auto run = runCli({QStringLiteral("dump"), folder + name + QStringLiteral(".tvo")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, expectedDump(name));
    }
}

// The copy holds the current layout with its index and all three tables, and the same rows.
TEST(OldDocumentsCli, ConvertWritesTheIndexAndTheMissingTable)
{
    TempDir dir;
    for (const QString &name : documents) {
        SCOPED_TRACE(name.toStdString());
        const QString copy = dir.file(name + QStringLiteral(".tvo"));
        const auto run = runCli({QStringLiteral("convert"), folder + name + QStringLiteral(".tvo"), copy});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

        const auto list = runCli({QStringLiteral("list"), copy});
        for (const char *member : {"Object.dbf", "Object.dbt", "Object.mdx", "Worker.dbf", "Link.dbf", "Version.Inf"})
            EXPECT_TRUE(list.out.contains(QLatin1String(member))) << member << "\n" << list.out.toStdString();

        const auto dump = runCli({QStringLiteral("dump"), copy});
        ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
        QString expected = expectedDump(name);
        expected.replace(QRegularExpression(QStringLiteral("\"version\": \\d")), QStringLiteral("\"version\": 3"));
        EXPECT_EQ(dump.out, expected);
    }
}
