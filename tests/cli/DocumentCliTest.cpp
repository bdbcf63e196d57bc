// dump and convert run as separate processes on documents written by the program's own save.
#include "CliRunner.h"
#include "storage/document/Document.h"
#include "tests/storage/document/DamagedDocument.h"
#include "tests/storage/document/OldDocuments.h"
#include "tests/support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace ergotab;
using ergotab::test::TempDir;

namespace {

using CliResult = ergotab::test::CliRun;

CliResult cli(const QStringList &args)
{
    return ergotab::test::runCli(args);
}

QJsonObject parse(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString()) << json.constData();
    return doc.object();
}

} // namespace

TEST(DocumentCli, DumpShowsWhatWasSavedWithCzechTextAndEveryField)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Závod.tvo"));
    {
        Document document;
        document.start();
        document.objects().appendRecord({1, 0, 0, QStringLiteral("Svařovna „Jih“")});
        dbf::Table &objects = document.objects();
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), 2);
        objects.setFieldInt(QStringLiteral("UpLink"), 1);
        objects.setFieldInt(QStringLiteral("Type"), 1);
        objects.setFieldText(QStringLiteral("Text"), QStringLiteral("Svářeč – ruční obloukové svařování"));
        objects.setFieldInt(QStringLiteral("Fak01"), 4);
        objects.setFieldInt(QStringLiteral("Fak08"), 2 | 8);
        objects.setFieldInt(QStringLiteral("Pracov"), 14);
        objects.setFieldInt(QStringLiteral("Zen"), 1);
        objects.setFieldText(QStringLiteral("Mereni"), QStringLiteral("Prach: 1,2 mg/m3\r\n\"svářecí dýmy\""));
        objects.post();
        document.workers().appendRecord({1, QStringLiteral("77"), QStringLiteral("Šárka"), QStringLiteral("Žáková")});
        document.links().appendRecord({1, 2});
        document.setFileName(path);
        document.save();
        document.shutDown();
    }
    const CliResult run = cli({QStringLiteral("dump"), path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QJsonObject json = parse(run.outBytes);
    EXPECT_EQ(json.value(QStringLiteral("version")).toInt(), 3);
    const QJsonArray objects = json.value(QStringLiteral("Object")).toArray();
    ASSERT_EQ(objects.size(), 2);
    const QJsonObject node = objects[0].toObject();
    EXPECT_EQ(node.value(QStringLiteral("Text")).toString(), QStringLiteral("Svařovna „Jih“"));
    EXPECT_EQ(node.size(), 22);
    const QJsonObject assessment = objects[1].toObject();
    EXPECT_EQ(assessment.value(QStringLiteral("Text")).toString(),
              QStringLiteral("Svářeč – ruční obloukové svařování"));
    EXPECT_EQ(assessment.value(QStringLiteral("Fak08")).toInt(), 10);
    EXPECT_EQ(assessment.value(QStringLiteral("Fak02")).toInt(), 0);
    EXPECT_EQ(assessment.value(QStringLiteral("Pracov")).toInt(), 14);
    EXPECT_EQ(assessment.value(QStringLiteral("Mereni")).toString(),
              QStringLiteral("Prach: 1,2 mg/m3\r\n\"svářecí dýmy\""));
    // Keys come in the table's field order.
    EXPECT_LT(run.outBytes.indexOf("\"Index\""), run.outBytes.indexOf("\"UpLink\""));
    EXPECT_LT(run.outBytes.indexOf("\"Fak13\""), run.outBytes.indexOf("\"Pracov\""));
    const QJsonObject worker = json.value(QStringLiteral("Worker")).toArray().at(0).toObject();
    EXPECT_EQ(worker.value(QStringLiteral("LName")).toString(), QStringLiteral("Žáková"));
    EXPECT_EQ(worker.size(), 14);
    const QJsonObject link = json.value(QStringLiteral("Link")).toArray().at(0).toObject();
    EXPECT_EQ(link.value(QStringLiteral("TIndex")).toInt(), 2);
}

TEST(DocumentCli, ConvertWritesAVersionThreeCopyAndLeavesTheOldFile)
{
    TempDir dir;
    test::OldRow assessment {1, 0, 1, QStringLiteral("Montáž")};
    assessment.fak[10] = 10; // old Fak11, categories 2 and 4
    assessment.fak[12] = 1;
    const QString old = dir.file(QStringLiteral("old.tvo"));
    test::writeOldDocument(old, 2, {assessment}, 2);
    const QByteArray oldBytes = TempDir::read(old);

    const QString converted = dir.file(QStringLiteral("new.tvo"));
    CliResult run = cli({QStringLiteral("convert"), old, converted});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(TempDir::read(old), oldBytes);

    run = cli({QStringLiteral("dump"), old});
    EXPECT_EQ(parse(run.outBytes).value(QStringLiteral("version")).toInt(), 2);
    EXPECT_EQ(parse(run.outBytes)
                  .value(QStringLiteral("Object"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("Fak06"))
                  .toInt(),
              7);
    run = cli({QStringLiteral("dump"), converted});
    const QJsonObject json = parse(run.outBytes);
    EXPECT_EQ(json.value(QStringLiteral("version")).toInt(), 3);
    const QJsonObject row = json.value(QStringLiteral("Object")).toArray().at(0).toObject();
    EXPECT_EQ(row.value(QStringLiteral("Fak06")).toInt(), 7);
    EXPECT_EQ(row.value(QStringLiteral("Fak13")).toInt(), 1);
    EXPECT_FALSE(row.contains(QStringLiteral("Fak14")));

    // An existing target is refused unless told.
    run = cli({QStringLiteral("convert"), old, converted});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--force")));
    run = cli({QStringLiteral("convert"), QStringLiteral("--force"), old, converted});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
}

TEST(DocumentCli, BadInputIsRefusedWithTheProgramsMessages)
{
    TempDir dir;
    CliResult run = cli({QStringLiteral("dump"), dir.file(QStringLiteral("none.tvo"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Soubor nenalezen."))) << qPrintable(run.err);
    EXPECT_TRUE(run.outBytes.isEmpty());

    TempDir::write(dir.file(QStringLiteral("short.tvo")), "abc");
    run = cli({QStringLiteral("dump"), dir.file(QStringLiteral("short.tvo"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("The archive file appears to be corrupted"))) << qPrintable(run.err);

    run = cli({QStringLiteral("convert"), dir.file(QStringLiteral("short.tvo"))});
    EXPECT_EQ(run.exitCode, 2);
}

TEST(DocumentCli, CheckReportsADocumentCutShortAndFails)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("Hala.tvo"));
    ergotab::test::writeDamagedDocument(path, 46, 8, 5);
    const CliResult run = cli({QStringLiteral("check"), path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << qPrintable(run.out);
    EXPECT_EQ(run.err, path + QStringLiteral(": Object.dbf: the header counts 46 rows, the file holds 8\n") + path +
                           QStringLiteral(": Object.dbf: 3 memo texts cannot be read from Object.dbt\n"));

    // The program's own save of the same document passes.
    Document document;
    document.start();
    EXPECT_EQ(document.open(path).size(), 1);
    const QString saved = dir.file(QStringLiteral("Hala-kopie.tvo"));
    document.setFileName(saved);
    document.save();
    document.shutDown();
    const CliResult again = cli({QStringLiteral("check"), saved});
    EXPECT_EQ(again.exitCode, 0) << qPrintable(again.err);
    EXPECT_TRUE(again.out.endsWith(QStringLiteral(": OK, 6 members\n"))) << qPrintable(again.out);
}
