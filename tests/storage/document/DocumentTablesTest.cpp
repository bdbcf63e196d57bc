#include "storage/document/DocumentTables.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/VersionInfo.h"
#include "storage/document/WorkFolder.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace ergotab;
using dbf::FieldKind;
using ergotab::test::TempDir;

namespace {

struct Expected
{
    const char *name;
    FieldKind kind;
    int width;
};

void expectLayout(const dbf::Table &table, const std::vector<Expected> &expected)
{
    const QList<dbf::FieldDef> fields = table.fields();
    ASSERT_EQ(fields.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(fields[i].name.toUpper(), QString::fromLatin1(expected[i].name).toUpper()) << "field " << i;
        EXPECT_EQ(fields[i].kind, expected[i].kind) << expected[i].name;
        if (expected[i].kind == FieldKind::String)
            EXPECT_EQ(fields[i].width, expected[i].width) << expected[i].name;
    }
}

} // namespace

TEST(DocumentTables, LayoutsAreExactlyTheDocumentsFieldsInOrder)
{
    TempDir dir;
    DocumentTables tables;
    int posts = 0;
    CreateDocumentTables(tables, dir.withSeparator(), [&posts](dbf::Table &) { ++posts; });

    std::vector<Expected> object = {{"Index", FieldKind::Integer, 0},
                                    {"UpLink", FieldKind::Integer, 0},
                                    {"Type", FieldKind::Integer, 0},
                                    {"Text", FieldKind::String, 250}};
    static const char *fak[] = {"Fak01", "Fak02", "Fak03", "Fak04", "Fak05", "Fak06", "Fak07",
                                "Fak08", "Fak09", "Fak10", "Fak11", "Fak12", "Fak13"};
    for (const char *name : fak)
        object.push_back({name, FieldKind::Integer, 0});
    object.insert(object.end(), {{"Pracov", FieldKind::Integer, 0},
                                 {"Zen", FieldKind::Integer, 0},
                                 {"Popis", FieldKind::Memo, 0},
                                 {"Mereni", FieldKind::Memo, 0},
                                 {"Opatreni", FieldKind::Memo, 0}});
    expectLayout(*tables.object, object);
    expectLayout(*tables.worker, {{"Index", FieldKind::Integer, 0},
                                  {"PersNum", FieldKind::String, 10},
                                  {"FName", FieldKind::String, 20},
                                  {"LName", FieldKind::String, 20},
                                  {"Address", FieldKind::String, 50},
                                  {"City", FieldKind::String, 50},
                                  {"Zip", FieldKind::String, 6},
                                  {"BirthDate", FieldKind::String, 10},
                                  {"BirthNum", FieldKind::String, 11},
                                  {"RiskLen", FieldKind::Integer, 0},
                                  {"LenType", FieldKind::Integer, 0},
                                  {"ReviDate", FieldKind::String, 10},
                                  {"Result", FieldKind::Integer, 0},
                                  {"Profese", FieldKind::String, 30}});
    expectLayout(*tables.link, {{"WIndex", FieldKind::Integer, 0}, {"TIndex", FieldKind::Integer, 0}});

    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Object.dbt"))));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Object.mdx"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Worker.dbt"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Link.dbt"))));

    // Every table reports its posts; a new node reads empty as 0 and "".
    tables.object->appendRecord({1, 0, 0, QStringLiteral("Dílna")});
    tables.worker->appendRecord({1});
    tables.link->appendRecord({1, 1});
    EXPECT_EQ(posts, 3);
    tables.object->first();
    EXPECT_EQ(tables.object->fieldInt(QStringLiteral("Fak07")), 0);
    EXPECT_EQ(tables.object->fieldInt(QStringLiteral("Pracov")), 0);
    EXPECT_EQ(tables.object->fieldText(QStringLiteral("Opatreni")), QString());
    EXPECT_EQ(tables.object->fieldText(QStringLiteral("Text")), QStringLiteral("Dílna"));
}

TEST(DocumentTables, RecreatingEmptiesTheTablesButLeavesVersionFileAndDeleteRemovesFiles)
{
    TempDir dir;
    DocumentTables tables;
    CreateDocumentTables(tables, dir.withSeparator(), {});
    tables.object->appendRecord({1, 0, 1, QStringLiteral("Svářeč")});
    writeDocumentVersion(dir.withSeparator());

    CreateDocumentTables(tables, dir.withSeparator(), {});
    EXPECT_EQ(tables.object->recordCount(), 0);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("Version.Inf"))));

    TempDir::write(dir.file(QStringLiteral("Worker.dbt")), "stray");
    DeleteDocumentTables(tables, dir.withSeparator());
    EXPECT_FALSE(tables.object || tables.worker || tables.link);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(WorkFolders, TwoCallsGiveTwoNewFoldersInTheTemporaryFolder)
{
    const QString first = CreateWorkFolder();
    const QString second = CreateWorkFolder();
    EXPECT_NE(first, second);
    const QRegularExpression name(QStringLiteral("^TVO[0-9A-F]{1,4}\\.TMP$"));
    for (const QString &path : {first, second}) {
        const QFileInfo info(path);
        EXPECT_TRUE(info.isDir());
        EXPECT_TRUE(name.match(info.fileName()).hasMatch()) << qPrintable(info.fileName());
        EXPECT_EQ(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_FALSE(path.endsWith(QLatin1Char('/')));
    }
    TempDir::write(first + QStringLiteral("/left.txt"), "x");
    removeWorkFolder(first); // not empty: stays
    removeWorkFolder(second);
    EXPECT_TRUE(QFileInfo(first).isDir());
    EXPECT_FALSE(QFileInfo(second).exists());
    QFile::remove(first + QStringLiteral("/left.txt"));
    removeWorkFolder(first);
}

TEST(VersionFile, WrittenAsThreeCrLfAndReadBack)
{
    TempDir dir;
    EXPECT_EQ(readDocumentVersion(dir.withSeparator()), 0);
    writeDocumentVersion(dir.withSeparator());
    EXPECT_EQ(TempDir::read(dir.file(QStringLiteral("Version.Inf"))), QByteArray("3\r\n"));
    EXPECT_EQ(readDocumentVersion(dir.withSeparator()), 3);
    TempDir::write(dir.file(QStringLiteral("Version.Inf")), "2\nignored");
    EXPECT_EQ(readDocumentVersion(dir.withSeparator()), 2);
    TempDir::write(dir.file(QStringLiteral("Version.Inf")), "tři\r\n");
    try {
        readDocumentVersion(dir.withSeparator());
        FAIL() << "no error";
    } catch (const AppError &e) {
        // The line is Windows-1250 on disk; the UTF-8 bytes of "ř" read as two letters.
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("'t")));
        EXPECT_TRUE(e.message().endsWith(QStringLiteral("' is not a valid integer value")));
    }
}

TEST(FactorCatalogue, NamesCaptionsAndTheSixFactorsWithoutCategoryFour)
{
    EXPECT_EQ(factorFieldName(3), QStringLiteral("Fak03"));
    EXPECT_EQ(factorFieldName(10), QStringLiteral("Fak10"));
    EXPECT_EQ(categoryBoxName(3, 1), QStringLiteral("f03k1"));
    EXPECT_EQ(categoryBoxName(13, 4), QStringLiteral("f13k4"));
    EXPECT_EQ(factor(5).rowCaption, QStringLiteral("Zátěž neionizujícím zářením a elmag. polem včetně laserů"));
    std::vector<int> withoutFour;
    for (const Factor &f : factorCatalogue())
        if (!f.category4Offered)
            withoutFour.push_back(f.number);
    EXPECT_EQ(withoutFour, (std::vector<int> {5, 6, 7, 9, 10, 11}));
    EXPECT_THROW(factor(0), AppError);
    EXPECT_THROW(factor(14), AppError);
}

TEST(FactorMask, BoxesAndMasksConvertBothWays)
{
    EXPECT_EQ(categoriesToMask({true, false, true, false}), 5);
    EXPECT_EQ(categoriesToMask({false, false, false, true}), 8);
    EXPECT_EQ(categoriesToMask({false, false, false, false}), 0);
    EXPECT_EQ(maskToCategories(5), (std::array<bool, 4> {true, false, true, false}));
    for (int mask = 0; mask < 16; ++mask)
        EXPECT_EQ(categoriesToMask(maskToCategories(mask)), mask);
    // Only the low four bits are categories.
    EXPECT_EQ(categoriesToMask(maskToCategories(16 + 2)), 2);
    EXPECT_EQ(maskToCategories(-1), (std::array<bool, 4> {true, true, true, true}));
}
