#include "LibraryFixtures.h"

#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"
#include "storage/archive/ContainerReplacement.h"

#include <QDir>
#include <QFileInfo>

using namespace ergotab;
using namespace ergotab::library;
using namespace ergotab::test;

namespace {

// A library file from tables made in `folder` under the given file names.
void packLibrary(const QString &target, const QString &folder, const QStringList &names)
{
    QStringList files;
    for (const QString &name : names)
        files.append(QDir(folder).filePath(name));
    writeContainerAtomically(target, files, fcDefault);
}

class WorkCopy : public ::testing::Test
{
protected:
    void makeLibrary(const QString &objectName, const QString &templatesName)
    {
        TempDir source;
        makeSampleTable(source.file(objectName), {{1, 0, 0, QStringLiteral("Strojírenství")},
                                                  {2, 1, 1, QStringLiteral("Svářeč"), masksOf({{3, 4}})}});
        if (!templatesName.isEmpty())
            makeTemplateTable(source.file(templatesName), {{3, QStringLiteral("nad 85 dB"), QStringLiteral("Nosit.")}});
        // Every file made, the memo file in whatever case the engine gave it.
        const QStringList names = QDir(source.path()).entryList(QDir::Files);
        packLibrary(libraryFile(), source.path(), names);
    }
    QString libraryFile() const { return dir.file(QStringLiteral("Library.LIB")); }

    TempDir dir;
    LibraryWorkCopy copy;
};

} // namespace

TEST_F(WorkCopy, OpensTheLibraryWhateverTheCaseOfItsMemberNames)
{
    makeLibrary(QStringLiteral("object.dbf"), QStringLiteral("VZORY.DBF"));
    EXPECT_EQ(copy.open(libraryFile()), QString());
    ASSERT_TRUE(copy.LibTable().isOpen());
    EXPECT_EQ(copy.LibTable().recordCount(), 2);
    MeasureTemplates templates(copy.OpatTable());
    EXPECT_EQ(templates.find(3, QStringLiteral("nad 85 dB")), QStringLiteral("Nosit."));

    const QString folder = copy.folder();
    EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
    copy.close();
    EXPECT_FALSE(QFileInfo::exists(folder)) << "the working folder goes with the library";
}

TEST_F(WorkCopy, AMissingTemplateTableIsCreatedEmpty)
{
    makeLibrary(QStringLiteral("Object.dbf"), QString());
    EXPECT_EQ(copy.open(libraryFile()), QString());
    EXPECT_EQ(copy.LibTable().recordCount(), 2);
    EXPECT_EQ(copy.OpatTable().recordCount(), 0);
    EXPECT_TRUE(copy.OpatTable().hasField(SpecifikField));
}

TEST_F(WorkCopy, AMissingOrDamagedFileGivesAnEmptyLibraryAndTheReason)
{
    EXPECT_EQ(copy.open(libraryFile()), QStringLiteral("Archive file not found"));
    EXPECT_TRUE(copy.LibTable().isOpen());
    EXPECT_EQ(copy.LibTable().recordCount(), 0);
    EXPECT_TRUE(copy.OpatTable().isOpen());

    TempDir::write(libraryFile(), QByteArray(3000, 'x'));
    EXPECT_FALSE(copy.open(libraryFile()).isEmpty());
    EXPECT_EQ(copy.LibTable().recordCount(), 0);

    // A sound container whose sample table is not a table.
    TempDir source;
    TempDir::write(source.file(QStringLiteral("Object.dbf")), QByteArray("not a table"));
    packLibrary(libraryFile(), source.path(), {QStringLiteral("Object.dbf")});
    EXPECT_FALSE(copy.open(libraryFile()).isEmpty());
    EXPECT_EQ(copy.LibTable().recordCount(), 0);
    EXPECT_TRUE(copy.LibTable().hasField(QStringLiteral("Fak13")));
}

TEST_F(WorkCopy, SavedTemplatesReplaceTheFileOnlyWhenComplete)
{
    makeLibrary(QStringLiteral("Object.dbf"), QStringLiteral("Vzory.dbf"));
    copy.open(libraryFile());
    MeasureTemplates(copy.OpatTable()).save(3, QStringLiteral("do 85 dB"), QStringLiteral("Poskytnout."));
    copy.saveInto(libraryFile());
    EXPECT_TRUE(copy.OpatTable().isOpen());

    LibraryWorkCopy reopened;
    EXPECT_EQ(reopened.open(libraryFile()), QString());
    EXPECT_EQ(MeasureTemplates(reopened.OpatTable()).find(3, QStringLiteral("do 85 dB")),
              QStringLiteral("Poskytnout."));
    EXPECT_EQ(reopened.LibTable().recordCount(), 2) << "samples written back unchanged";

    // A member that cannot be read ends the save before the old file is touched.
    const QByteArray before = TempDir::read(libraryFile());
    MeasureTemplates(copy.OpatTable()).save(3, QStringLiteral("nad 85 dB"), QStringLiteral("Změněno."));
    QFile::remove(copy.folder() + TemplatesMemoMember);
    EXPECT_THROW(copy.saveInto(libraryFile()), AppError);
    EXPECT_EQ(TempDir::read(libraryFile()), before);
    EXPECT_TRUE(copy.LibTable().isOpen()) << "the tables are open again after a failed save";
}
