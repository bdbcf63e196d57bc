#include "LibraryFixtures.h"

#include "library/core/LibraryExport.h"
#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"
#include "storage/archive/ContainerReplacement.h"

using namespace ergotab;
using namespace ergotab::library;
using namespace ergotab::test;

namespace {

class Export : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TempDir source;
        makeSampleTable(source.file(ObjectMember), {{1, 0, 0, QStringLiteral("Stará knihovna")}});
        makeTemplateTable(source.file(TemplatesMember), {{3, QStringLiteral("do 85 dB"), QStringLiteral("Text.")}});
        QStringList files;
        for (const QString &m : libraryMemberNames())
            files.append(source.file(m));
        writeContainerAtomically(libraryFile(), files, fcDefault);

        document = std::make_unique<dbf::Table>(dir.file(QStringLiteral("Object.dbf")));
        defineObjectTable(*document, false);
        document->createTable();
        document->open();
    }

    void addDocumentRow(int index, int upLink, int type, const QString &text, int fak03)
    {
        document->append();
        document->setFieldInt(QStringLiteral("Index"), index);
        document->setFieldInt(QStringLiteral("UpLink"), upLink);
        document->setFieldInt(QStringLiteral("Type"), type);
        document->setFieldText(QStringLiteral("Text"), text);
        if (type == 1)
            document->setFieldInt(QStringLiteral("Fak03"), fak03);
        document->setFieldInt(QStringLiteral("Pracov"), 12);
        document->setFieldText(QStringLiteral("Popis"), QStringLiteral("popis"));
        document->post();
    }

    QString libraryFile() const { return dir.file(QStringLiteral("Library.LIB")); }

    TempDir dir;
    std::unique_ptr<dbf::Table> document;
};

} // namespace

TEST_F(Export, CopiesEveryRowAndKeepsTheTemplatesOfTheFile)
{
    addDocumentRow(5, 0, 0, QStringLiteral("Dílna"), 0);
    addDocumentRow(9, 5, 1, QStringLiteral("Zámečník"), 6);
    // A filter some command left on does not hide rows from the export.
    document->setFilter(QStringLiteral("Type=1"));
    document->setFiltered(true);
    exportLibrary(*document, libraryFile());

    LibraryWorkCopy copy;
    ASSERT_EQ(copy.open(libraryFile()), QString());
    dbf::Table &samples = copy.LibTable();
    EXPECT_FALSE(samples.hasField(QStringLiteral("Pracov")));
    EXPECT_FALSE(samples.hasField(QStringLiteral("Popis")));
    ASSERT_EQ(samples.recordCount(), 2);
    samples.first();
    EXPECT_EQ(samples.fieldInt(QStringLiteral("Index")), 5);
    EXPECT_EQ(samples.fieldText(QStringLiteral("Text")), QStringLiteral("Dílna"));
    EXPECT_EQ(samples.fieldInt(QStringLiteral("Fak03")), 0) << "an empty mask exports as 0";
    EXPECT_FALSE(samples.isFieldEmpty(QStringLiteral("Fak03")));
    samples.next();
    EXPECT_EQ(samples.fieldInt(QStringLiteral("UpLink")), 5);
    EXPECT_EQ(samples.fieldInt(QStringLiteral("Type")), 1);
    EXPECT_EQ(samples.fieldInt(QStringLiteral("Fak03")), 6);
    EXPECT_EQ(MeasureTemplates(copy.OpatTable()).find(3, QStringLiteral("do 85 dB")), QStringLiteral("Text."));
}

TEST_F(Export, EmptyDocumentTwiceInARunAndTemplatesOnlyFromTheFile)
{
    {
        // Template edits in a running copy that were never saved are not exported.
        LibraryWorkCopy running;
        running.open(libraryFile());
        MeasureTemplates(running.OpatTable()).save(3, QStringLiteral("do 85 dB"), QStringLiteral("Neuloženo."));
        exportLibrary(*document, libraryFile());
        exportLibrary(*document, libraryFile());
    }
    LibraryWorkCopy copy;
    ASSERT_EQ(copy.open(libraryFile()), QString());
    EXPECT_EQ(copy.LibTable().recordCount(), 0);
    EXPECT_EQ(MeasureTemplates(copy.OpatTable()).find(3, QStringLiteral("do 85 dB")), QStringLiteral("Text."));
}

TEST_F(Export, NeedsAReadableLibraryFileAndWritesNothingWithoutOne)
{
    const QString missing = dir.file(QStringLiteral("jinde/Library.LIB"));
    EXPECT_THROW(exportLibrary(*document, missing), AppError);
    EXPECT_FALSE(QFile::exists(missing));

    TempDir::write(libraryFile(), QByteArray(100, '\0'));
    EXPECT_THROW(exportLibrary(*document, libraryFile()), AppError);
    EXPECT_EQ(TempDir::read(libraryFile()), QByteArray(100, '\0'));
}
