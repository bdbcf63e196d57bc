#include "storage/document/DocumentFile.h"
#include "storage/archive/TZLBArchive.h"
#include "storage/document/Document.h"
#include "storage/document/TableFields.h"
#include "tests/storage/document/DamagedDocument.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using ergotab::test::TempDir;

namespace {

class RecordingProgress : public ProgressSink
{
public:
    void showProgress(const QString &text, int maximum) override
    {
        texts << text;
        maxima << maximum;
        ++shown;
    }
    void stepProgress() override { }
    void setProgress(int value) override { highest = qMax(highest, value); }
    void hideProgress() override { --shown; }

    QStringList texts;
    QList<int> maxima;
    int shown = 0;
    int highest = -1;
};

} // namespace

class DocumentFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.setProgressSink(&progress);
        document.start();
    }
    void TearDown() override { document.shutDown(); }

    void addSampleRows()
    {
        dbf::Table &objects = document.objects();
        objects.appendRecord({1, 0, 0, QStringLiteral("Úpravna vody")});
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), 2);
        objects.setFieldInt(QStringLiteral("UpLink"), 1);
        objects.setFieldInt(QStringLiteral("Type"), 1);
        objects.setFieldText(QStringLiteral("Text"), QStringLiteral("Chemik – laboratoř"));
        objects.setFieldInt(QStringLiteral("Fak02"), 4);
        objects.setFieldInt(QStringLiteral("Pracov"), 7);
        objects.setFieldText(QStringLiteral("Opatreni"), QStringLiteral("Ochranné rukavice,\r\nodsávání."));
        objects.post();
    }

    TempDir dir;
    RecordingProgress progress;
    Document document;
};

TEST_F(DocumentFiles, SavedFileHoldsSixMembersInOrderAndOpensWithTheSameRows)
{
    addSampleRows();
    EXPECT_TRUE(document.isModified());
    const QString path = dir.file(QStringLiteral("Vodárna.tvo"));
    document.setFileName(path);
    document.save();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(progress.texts.last(), QStringLiteral("Ukládání: Vodárna"));
    EXPECT_EQ(progress.shown, 0);

    TZLBArchive archive;
    archive.OpenArchive(path);
    QStringList names;
    for (int i = 0; i < archive.FileCount(); ++i)
        names << archive.GetEntry(i).FileName;
    EXPECT_EQ(names,
              (QStringList {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx"),
                            QStringLiteral("Worker.dbf"), QStringLiteral("Link.dbf"), QStringLiteral("Version.Inf")}));
    TempDir out;
    archive.ExtractAll(out.path());
    archive.CloseArchive();
    EXPECT_EQ(TempDir::read(out.file(QStringLiteral("Version.Inf"))), QByteArray("3\r\n"));

    // The tables stay usable after saving, and a fresh document reads what was saved.
    document.objects().appendRecord({3, 0, 0, QStringLiteral("Sklad")});
    Document reader;
    reader.start();
    reader.open(path);
    EXPECT_EQ(progress.texts.size(), 1) << "the reader has no progress sink";
    EXPECT_EQ(reader.fileName(), path);
    EXPECT_EQ(reader.version(), 3);
    EXPECT_FALSE(reader.isModified());
    ASSERT_EQ(reader.objects().recordCount(), 2);
    ASSERT_TRUE(reader.objects().locate(QStringLiteral("Index"), 2));
    EXPECT_EQ(reader.objects().fieldText(QStringLiteral("Text")), QStringLiteral("Chemik – laboratoř"));
    EXPECT_EQ(reader.objects().fieldInt(QStringLiteral("Fak02")), 4);
    EXPECT_EQ(reader.objects().fieldInt(QStringLiteral("Pracov")), 7);
    EXPECT_EQ(reader.objects().fieldText(QStringLiteral("Opatreni")),
              QStringLiteral("Ochranné rukavice,\r\nodsávání."));
    reader.shutDown();

    document.open(path);
    EXPECT_EQ(progress.texts.last(), QStringLiteral("Otevírání: Vodárna"));
    EXPECT_EQ(progress.maxima.last(), 100);
    EXPECT_EQ(progress.highest, 100) << "the container's progress moves the bar";
    EXPECT_EQ(progress.shown, 0);
}

TEST_F(DocumentFiles, AFailedSaveKeepsThePreviousFileTheFlagAndUsableTables)
{
    addSampleRows();
    const QString path = dir.file(QStringLiteral("doc.tvo"));
    document.setFileName(path);
    document.save();
    const QByteArray before = TempDir::read(path);
    document.objects().appendRecord({3, 0, 0, QStringLiteral("Nový uzel")});
    ASSERT_TRUE(document.isModified());

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_THROW(document.save(), AppError);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(document.objects().recordCount(), 3);

    // A folder that does not exist: the container cannot be written.
    document.setFileName(dir.file(QStringLiteral("missing/doc.tvo")));
    EXPECT_THROW(document.save(), AppError);
    EXPECT_TRUE(document.isModified());
    document.objects().appendRecord({4, 0, 0, QStringLiteral("Ještě jeden")});
    EXPECT_EQ(document.objects().recordCount(), 4);
    EXPECT_EQ(progress.shown, 0);
}

TEST_F(DocumentFiles, AFailedOpenKeepsTheOpenDocumentItsNameAndItsChanges)
{
    addSampleRows();
    const QString good = dir.file(QStringLiteral("good.tvo"));
    document.setFileName(good);
    document.save();

    QByteArray damaged = TempDir::read(good);
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x5A);
    const QString bad = dir.file(QStringLiteral("bad.tvo"));
    TempDir::write(bad, damaged);
    const QString foreign = dir.file(QStringLiteral("foreign.tvo"));
    TempDir::write(foreign, QByteArray("This is a text file, not a document.\n").repeated(20));

    int rows = 2;
    for (const QString &path : {bad, foreign}) {
        document.objects().appendRecord({10 + rows, 0, 0, QStringLiteral("Neuloženo")});
        ++rows;
        const QString folderBefore = document.workFolder();
        EXPECT_THROW(document.open(path), AppError) << qPrintable(path);
        EXPECT_EQ(document.fileName(), good);
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(document.objects().recordCount(), rows);
        EXPECT_EQ(document.workFolder(), folderBefore);
        EXPECT_EQ(progress.shown, 0);
        EXPECT_TRUE(document.objects().locate(QStringLiteral("Index"), 2));
        EXPECT_EQ(document.objects().fieldText(QStringLiteral("Opatreni")),
                  QStringLiteral("Ochranné rukavice,\r\nodsávání."));
    }
}

TEST_F(DocumentFiles, ADocumentCutShortOpensWithWhatCouldBeReadAndSaysWhatIsMissing)
{
    const QString path = dir.file(QStringLiteral("cut.tvo"));
    test::writeDamagedDocument(path, 46, 8, 5);

    const QList<dbf::TableDamage> damage = document.open(path);
    ASSERT_EQ(damage.size(), 1);
    EXPECT_EQ(damage[0].table, QStringLiteral("Object.dbf"));
    EXPECT_EQ(damage[0].rowsInHeader, 46);
    EXPECT_EQ(damage[0].rowsInFile, 8);
    EXPECT_EQ(damage[0].unreadableMemos, 3);
    EXPECT_EQ(document.objects().recordCount(), 8);
    EXPECT_FALSE(document.isModified());
    QStringList texts;
    for (document.objects().first(); !document.objects().eof(); document.objects().next())
        texts << document.objects().fieldText(fields::object::Popis);
    EXPECT_EQ(texts.mid(3),
              (QStringList {QStringLiteral("Popis 4"), QStringLiteral("Popis 5"), QString(), QString(), QString()}));

    // Saved, it holds what was read, and opens again without a word.
    const QString copy = dir.file(QStringLiteral("copy.tvo"));
    document.setFileName(copy);
    document.save();
    EXPECT_TRUE(document.open(copy).isEmpty());
    EXPECT_EQ(document.objects().recordCount(), 8);
}

TEST_F(DocumentFiles, MissingObjectTableOrBadVersionFileEndTheOpenWithAMessage)
{
    // A container without Object.dbf.
    Document source;
    source.start();
    source.objects().appendRecord({1, 0, 0, QStringLiteral("A")});
    source.closeTables();
    const QString noObject = dir.file(QStringLiteral("noobject.tvo"));
    TZLBArchive archive;
    archive.CreateArchive(noObject);
    archive.AddFiles(
        {source.workFolder() + QStringLiteral("Worker.dbf"), source.workFolder() + QStringLiteral("Link.dbf")});
    archive.CloseArchive();
    EXPECT_THROW(document.open(noObject), AppError);
    EXPECT_EQ(document.objects().recordCount(), 0);

    // A Version.Inf that is no number.
    TempDir::write(source.workFolder() + QStringLiteral("Version.Inf"), "x3\r\n");
    const QString badVersion = dir.file(QStringLiteral("badversion.tvo"));
    TZLBArchive second;
    second.CreateArchive(badVersion);
    QStringList members;
    for (const QString &name : documentMemberNames())
        members << source.workFolder() + name;
    second.AddFiles(members);
    second.CloseArchive();
    try {
        document.open(badVersion);
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'x3' is not a valid integer value"));
    }
    EXPECT_EQ(document.objects().recordCount(), 0);
    source.openTables();
    source.shutDown();
}

// Other dBase programs write a document without its index file, or leave out an empty Worker or
// Link table: such a document opens whole, its index is built from the rows and the next save
// writes every file. A damaged index file is no different from a missing one.
TEST_F(DocumentFiles, MissingOrDamagedIndexAndMissingSideTablesOpenAndAreWrittenAtTheNextSave)
{
    Document source;
    source.start();
    source.objects().appendRecord({1, 0, 0, QStringLiteral("Hala")});
    source.objects().appendRecord({2, 3, 1, QStringLiteral("Jeřábník")});
    source.objects().appendRecord({3, 1, 0, QStringLiteral("Montáž")});
    source.closeTables();
    TempDir::write(source.workFolder() + QStringLiteral("Version.Inf"), "3\r\n");
    const QString folder = source.workFolder();
    const auto pack = [&](const QString &name, const QStringList &members) {
        const QString path = dir.file(name);
        TZLBArchive archive;
        archive.CreateArchive(path);
        QStringList files;
        for (const QString &member : members)
            files << folder + member;
        archive.AddFiles(files);
        archive.CloseArchive();
        return path;
    };
    const QString noIndex =
        pack(QStringLiteral("noindex.tvo"),
             {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Version.Inf")});
    TempDir::write(folder + QStringLiteral("Object.mdx"), QByteArray(3000, '\x5A'));
    const QString damaged =
        pack(QStringLiteral("damaged.tvo"),
             {QStringLiteral("Object.dbf"), QStringLiteral("Object.dbt"), QStringLiteral("Object.mdx"),
              QStringLiteral("Link.dbf"), QStringLiteral("Version.Inf")});
    source.shutDown();

    for (const QString &path : {noIndex, damaged}) {
        SCOPED_TRACE(path.toStdString());
        document.open(path);
        EXPECT_EQ(document.version(), 3);
        EXPECT_FALSE(document.isModified());
        EXPECT_EQ(document.workers().recordCount(), 0);
        EXPECT_EQ(document.links().recordCount(), 0);
        dbf::Table &objects = document.objects();
        ASSERT_TRUE(objects.hasIndex(QStringLiteral("UPLINK")));
        objects.setIndexName(QStringLiteral("UPLINK"));
        QList<int> order;
        for (objects.first(); !objects.eof(); objects.next())
            order << objects.fieldInt(QStringLiteral("Index"));
        objects.setIndexName(QString());
        EXPECT_EQ(order, (QList<int> {1, 3, 2}));

        document.setFileName(dir.file(QStringLiteral("whole.tvo")));
        document.save();
        TZLBArchive saved;
        saved.OpenArchive(document.fileName());
        QStringList names;
        for (int i = 0; i < saved.FileCount(); ++i)
            names << saved.GetEntry(i).FileName;
        saved.CloseArchive();
        EXPECT_EQ(names, documentMemberNames());
        // What was saved is a production index file (its first byte 2 or 3), not the damaged one.
        document.open(document.fileName());
        const QByteArray mdx = TempDir::read(document.workFolder() + QStringLiteral("Object.mdx"));
        ASSERT_GE(mdx.size(), 1024);
        EXPECT_TRUE(mdx.at(0) == 2 || mdx.at(0) == 3);
    }
}

TEST_F(DocumentFiles, OpeningAMissingFileChangesNothing)
{
    addSampleRows();
    document.setFileName(dir.file(QStringLiteral("current.tvo")));
    EXPECT_THROW(document.open(dir.file(QStringLiteral("nothere.tvo"))), DocumentNotFound);
    EXPECT_EQ(document.fileName(), dir.file(QStringLiteral("current.tvo")));
    EXPECT_EQ(document.objects().recordCount(), 2);
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(progress.texts.isEmpty());
}

TEST_F(DocumentFiles, NewDocumentEmptiesTablesNameAndFlag)
{
    addSampleRows();
    document.setFileName(dir.file(QStringLiteral("x.tvo")));
    document.cachedHighestObjectIndex = 2;
    document.newDocument();
    EXPECT_EQ(document.objects().recordCount(), 0);
    EXPECT_TRUE(document.fileName().isEmpty());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.cachedHighestObjectIndex, -1);
}

TEST(DocumentLifetime, ShutDownRemovesTheWorkingFolder)
{
    Document document;
    document.start();
    const QString folder = document.workFolder();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    document.objects().appendRecord({1});
    document.shutDown();
    EXPECT_FALSE(QFileInfo::exists(folder));
}
