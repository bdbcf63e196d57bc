// ergotab-cli library build and extract, run the way an administrator's script runs them.
#include "CliRunner.h"
#include "tests/support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using ergotab::test::CliRun;
using ergotab::test::runCli;
using ergotab::test::TempDir;

TEST(LibraryCli, BuildsAndExtractsAndReportsBadCallsAndBadSources)
{
    TempDir dir;
    const QString library = dir.file(QStringLiteral("Library.LIB"));
    CliRun run = runCli({QStringLiteral("library"), QStringLiteral("build"),
                         QStringLiteral(ERGOTAB_SOURCE_DIR "/data/library"), library});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    run = runCli({QStringLiteral("library"), QStringLiteral("extract"), library, dir.file(QStringLiteral("src"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.file(QStringLiteral("src/samples"))).entryList(QDir::Files),
              QDir(QStringLiteral(ERGOTAB_SOURCE_DIR "/data/library/samples")).entryList(QDir::Files));
    EXPECT_EQ(QDir(dir.file(QStringLiteral("src/templates"))).entryList(QDir::Files).size(), 13);

    EXPECT_EQ(runCli({QStringLiteral("library"), QStringLiteral("build")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("library"), QStringLiteral("pack"), library, library}).exitCode, 2);

    // A bad source names its file; the library built before stays as it was.
    const QByteArray before = TempDir::read(library);
    QDir(dir.path()).mkpath(QStringLiteral("bad/samples"));
    TempDir::write(dir.file(QStringLiteral("bad/samples/01-x.json")),
                   R"({"assessment": "x", "categories": {"Hluk": 7}})");
    run = runCli({QStringLiteral("library"), QStringLiteral("build"), dir.file(QStringLiteral("bad")), library});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("01-x.json")));
    EXPECT_EQ(TempDir::read(library), before);
}
