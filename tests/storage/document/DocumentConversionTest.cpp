#include "OldDocuments.h"

#include "storage/archive/TZLBArchive.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentConversion.h"
#include "storage/document/FactorCatalogue.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using ergotab::test::OldRow;
using ergotab::test::TempDir;
using ergotab::test::writeOldDocument;

TEST(FactorMapping, EachOldFactorLandsInItsCurrentField)
{
    // old factor -> current factor (0: not carried over)
    const std::map<int, int> expected = {{1, 8}, {2, 9},   {3, 3},  {4, 4},  {5, 1},  {6, 2},  {7, 12}, {8, 0},
                                         {9, 5}, {10, 11}, {11, 6}, {12, 6}, {13, 6}, {14, 6}, {15, 7}, {16, 10}};
    for (const auto &[oldFactor, current] : expected) {
        std::array<int, 16> old {};
        old[oldFactor - 1] = 2;
        const std::array<int, 13> mapped = mapVersion2Factors(old);
        for (int n = 1; n <= 12; ++n)
            EXPECT_EQ(mapped[n - 1], n == current ? 2 : 0) << "old " << oldFactor << " current " << n;
        EXPECT_EQ(mapped[12], 1) << "pressure is category 1 in every converted row";
    }
}

TEST(FactorMapping, PhysicalLoadJoinsFourOldFactorsAndCategoryFourBecomesThree)
{
    std::array<int, 16> old {};
    old[10] = 2 | 8; // Fak11: categories 2 and 4
    old[12] = 1;     // Fak13: category 1
    EXPECT_EQ(mapVersion2Factors(old)[5], 7);
    old = {};
    old[11] = 1;
    old[13] = 4;
    EXPECT_EQ(mapVersion2Factors(old)[5], 5);
    old = {};
    old[13] = 16; // not a category: never becomes one
    EXPECT_EQ(mapVersion2Factors(old)[5] & 8, 0);
}

class OpeningOldDocuments : public ::testing::Test
{
protected:
    void SetUp() override { document.start(); }
    void TearDown() override { document.shutDown(); }

    std::vector<OldRow> sampleRows() const
    {
        OldRow node {1, 0, 0, QStringLiteral("Lisovna")};
        OldRow assessment {2, 1, 1, QStringLiteral("Obsluha lisu – ženy")};
        assessment.fak[10] = 10; // Fak11: categories 2 and 4
        assessment.fak[12] = 1;  // Fak13
        assessment.fak[2] = 4;   // noise, category 3
        assessment.fak[4] = 2;   // dust, category 2
        assessment.pracov = 12;
        assessment.zen = 5;
        assessment.popis = QStringLiteral("Obsluha lisů.\r\nDruhý řádek");
        assessment.mereni = QStringLiteral("Hluk 88 dB");
        assessment.opatreni = QString(1500, QChar(u'ž'));
        return {node, assessment};
    }

    QString write(int layout, int versionFile)
    {
        const QString path = dir.file(QStringLiteral("old.tvo"));
        QFile::remove(path);
        writeOldDocument(path, layout, sampleRows(), versionFile);
        return path;
    }

    void expectConvertedAssessment(bool countsAndTextsKept)
    {
        dbf::Table &objects = document.objects();
        ASSERT_EQ(objects.recordCount(), 2);
        ASSERT_TRUE(objects.locate(QStringLiteral("Index"), 2));
        EXPECT_EQ(objects.fieldInt(QStringLiteral("UpLink")), 1);
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Type")), 1);
        EXPECT_EQ(objects.fieldText(QStringLiteral("Text")), QStringLiteral("Obsluha lisu – ženy"));
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak06")), 7);
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak03")), 4);
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak01")), 2);
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak13")), 1);
        EXPECT_FALSE(objects.hasField(QStringLiteral("Fak14")));
        if (countsAndTextsKept) {
            EXPECT_EQ(objects.fieldInt(QStringLiteral("Pracov")), 12);
            EXPECT_EQ(objects.fieldInt(QStringLiteral("Zen")), 5);
            EXPECT_EQ(objects.fieldText(QStringLiteral("Popis")), QStringLiteral("Obsluha lisů.\r\nDruhý řádek"));
            EXPECT_EQ(objects.fieldText(QStringLiteral("Opatreni")), QString(1500, QChar(u'ž')));
        } else {
            EXPECT_EQ(objects.fieldInt(QStringLiteral("Pracov")), 0);
            EXPECT_EQ(objects.fieldText(QStringLiteral("Popis")), QString());
        }
        ASSERT_TRUE(objects.locate(QStringLiteral("Index"), 1));
        EXPECT_EQ(objects.fieldInt(QStringLiteral("Fak13")), 1) << "nodes go through the same mapping";
        // Worker and Link come through untouched.
        EXPECT_EQ(document.workers().recordCount(), 1);
        document.links().first();
        EXPECT_EQ(document.links().fieldInt(QStringLiteral("TIndex")), 2);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(document.version() < CurrentDocumentVersion, true);
        // The maintained index is there: reading in UpLink order works.
        objects.setIndexName(QStringLiteral("UPLINK"));
        objects.first();
        EXPECT_EQ(objects.fieldInt(QStringLiteral("UpLink")), 0);
        objects.setIndexName(QString());
    }

    TempDir dir;
    Document document;
};

TEST_F(OpeningOldDocuments, VersionTwoKeepsCountsAndTexts)
{
    document.open(write(2, 2));
    EXPECT_EQ(document.version(), 2);
    expectConvertedAssessment(true);
}

TEST_F(OpeningOldDocuments, VersionOneGetsTheIndexAndKeepsCountsAndTexts)
{
    document.open(write(1, 1));
    expectConvertedAssessment(true);
}

namespace {
class StepCounter : public ProgressSink
{
public:
    void showProgress(const QString &text, int maximum) override
    {
        shown << QStringLiteral("%1/%2").arg(text).arg(maximum);
    }
    void stepProgress() override { ++steps; }
    void setProgress(int) override { }
    void hideProgress() override { ++hidden; }
    QStringList shown;
    int steps = 0;
    int hidden = 0;
};
} // namespace

TEST_F(OpeningOldDocuments, NoVersionFileMeansVersionZeroAndRunsEveryStep)
{
    StepCounter progress;
    document.setProgressSink(&progress);
    document.open(write(0, -1));
    document.setProgressSink(nullptr);
    // Opening, then steps 0 and 2 copying both rows; step 1 only adds the index.
    EXPECT_EQ(progress.shown, (QStringList {QStringLiteral("Otevírání: old/100"), QStringLiteral("Převádím data/2"),
                                            QStringLiteral("Převádím data/2")}));
    EXPECT_EQ(progress.steps, 4);
    EXPECT_EQ(progress.hidden, 3);
    EXPECT_EQ(document.version(), 0);
    expectConvertedAssessment(false);
    EXPECT_TRUE(QFile::exists(document.workFolder() + QStringLiteral("Object.mdx")));
}

TEST_F(OpeningOldDocuments, AnEmptyOldDocumentIsConvertedWithoutBecomingModified)
{
    const QString path = dir.file(QStringLiteral("empty.tvo"));
    writeOldDocument(path, 0, {}, -1);
    document.open(path);
    EXPECT_EQ(document.objects().recordCount(), 0);
    EXPECT_TRUE(document.objects().hasField(QStringLiteral("Opatreni")));
    EXPECT_FALSE(document.isModified());
}

TEST_F(OpeningOldDocuments, ANewerVersionIsUsedUnchanged)
{
    // A version-4 file of today's layout: nothing is converted, nothing modified.
    Document writer;
    writer.start();
    writer.objects().appendRecord({1, 0, 1, QStringLiteral("Budoucí"), 3});
    const QString path = dir.file(QStringLiteral("v4.tvo"));
    writer.setFileName(path);
    writer.save();
    writer.shutDown();
    // Rewrite Version.Inf as 4 inside the container by repacking.
    document.open(path);
    TempDir::write(document.workFolder() + QStringLiteral("Version.Inf"), "4\r\n");
    document.closeTables();
    TZLBArchive archive;
    archive.CreateReplacement(path);
    QStringList members;
    for (const QString &name : documentMemberNames())
        members << document.workFolder() + name;
    archive.AddFiles(members);
    archive.CloseArchive();
    document.openTables();

    document.open(path);
    EXPECT_EQ(document.version(), 4);
    EXPECT_FALSE(document.isModified());
    document.objects().first();
    EXPECT_EQ(document.objects().fieldInt(QStringLiteral("Fak01")), 3);
}
