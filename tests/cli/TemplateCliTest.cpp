// ergotab-cli template-info and template-convert over the public sample templates of the
// earlier engine, and their answers to damaged files and bad calls.
#include "CliRunner.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using ergotab::test::CliRun;
using ergotab::test::runCli;
using ergotab::test::TempDir;

namespace {

QString sample(const char *path)
{
    return QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/frf-samples/") + QString::fromLatin1(path);
}

TEST(TemplateCli, InfoDescribesTheRecords)
{
    const CliRun run = runCli({QStringLiteral("template-info"), QStringLiteral("--code-page"), QStringLiteral("1251"),
                               sample("FastReports-FreeReport/Demos/REPORTS/1.FRF")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QJsonObject info = QJsonDocument::fromJson(run.outBytes).object();
    EXPECT_EQ(info[QStringLiteral("version")].toInt(), 23);
    EXPECT_EQ(info[QStringLiteral("dialect")].toString(), QStringLiteral("FR 2.3"));
    const QJsonArray objects = info[QStringLiteral("pages")][0][QStringLiteral("objects")].toArray();
    ASSERT_EQ(objects.size(), 2);
    const QJsonObject memo = objects[0].toObject();
    EXPECT_EQ(memo[QStringLiteral("kind")].toString(), QStringLiteral("memo"));
    EXPECT_EQ(memo[QStringLiteral("name")].toString(), QStringLiteral("Memo3"));
    EXPECT_NEAR(memo[QStringLiteral("x")].toDouble(), 4.47, 0.01); // 16 px
    EXPECT_EQ(memo[QStringLiteral("lines")][0].toString(), QStringLiteral("Company"));
    const QJsonArray variables = info[QStringLiteral("variables")].toArray();
    ASSERT_EQ(variables.size(), 7);
    EXPECT_EQ(variables[6][QStringLiteral("name")].toString(), QStringLiteral("Страница"));
}

TEST(TemplateCli, ConvertWritesOurFormat)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("doc3.frf"));
    const CliRun run =
        runCli({QStringLiteral("template-convert"), sample("FastReports-FreeReport/Demos/REPORTS/DOC5.FRF"), out});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("warning"))); // its picture comes from a data field
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    EXPECT_TRUE(xml.contains("<report version=\"1\" name=\"DOC5\""));
    EXPECT_TRUE(xml.contains("kind=\"master-data\""));
    // And the converted file describes itself as ours.
    const CliRun again = runCli({QStringLiteral("template-info"), out});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("own format"))) << qPrintable(again.err);
}

TEST(TemplateCli, DamagedFilesAndBadCalls)
{
    TempDir dir;
    QFile source(sample("FastReports-FreeReport/Demos/REPORTS/DOC3.FRF"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString cut = dir.file(QStringLiteral("cut.frf"));
    QFile damaged(cut);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(source.readAll().left(1000));
    damaged.close();
    const CliRun info = runCli({QStringLiteral("template-info"), cut});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_TRUE(info.err.contains(QStringLiteral("cut.frf"))) << qPrintable(info.err);
    EXPECT_TRUE(info.err.contains(QStringLiteral("0x"))) << qPrintable(info.err);
    EXPECT_TRUE(info.out.isEmpty());

    EXPECT_EQ(runCli({QStringLiteral("template-info")}).exitCode, 2);
    EXPECT_EQ(
        runCli({QStringLiteral("template-info"), QStringLiteral("--code-page"), QStringLiteral("437"), cut}).exitCode,
        2);
    EXPECT_EQ(runCli({QStringLiteral("template-convert"), cut}).exitCode, 2);
    const CliRun self = runCli({QStringLiteral("template-convert"), cut, cut});
    EXPECT_EQ(self.exitCode, 2) << "writing over the old template needs --overwrite";
    EXPECT_EQ(runCli({QStringLiteral("template-info"), dir.file(QStringLiteral("missing.frf"))}).exitCode, 1);
}

} // namespace
