#include "LibraryFixtures.h"

#include "library/core/LibrarySource.h"
#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"

#include "storage/archive/ContainerReplacement.h"

#include <QDir>
#include <QFileInfo>

using namespace ergotab;
using namespace ergotab::library;
using namespace ergotab::test;

namespace {

void writeSource(const TempDir &dir, const QString &relative, const QByteArray &json)
{
    QDir(dir.path()).mkpath(QFileInfo(dir.file(relative)).path());
    TempDir::write(dir.file(relative), json);
}

QString buildError(const QByteArray &sample)
{
    TempDir source;
    writeSource(source, QStringLiteral("samples/01-a.json"), sample);
    try {
        buildLibrary(source.path(), source.file(QStringLiteral("Library.LIB")));
    } catch (const AppError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(LibrarySource, BuildsTablesInTreeOrderAndExtractsTheSameSources)
{
    TempDir source;
    writeSource(source, QStringLiteral("samples/02-b.json"),
                R"({"assessment": "Řidič", "categories": {"Vibrace": 2}})");
    writeSource(source, QStringLiteral("samples/01-a.json"), R"({"node": "Dílna", "subitems": [
        {"node": "Svařovna", "subitems": [{"assessment": "Svářeč", "categories": {"Hluk": [2, 3], "Prach": []}}]},
        {"assessment": "Mistr"}]})");
    writeSource(source, QStringLiteral("templates/03-hluk.json"), R"({"factor": "Hluk", "templates": [
        {"specification": "do 85 dB", "text": ["První řádek", "Druhý řádek"]}, {"specification": "", "text": "Obecně"}]})");
    const QString library = source.file(QStringLiteral("Library.LIB"));
    buildLibrary(source.path(), library);

    LibraryWorkCopy copy;
    ASSERT_EQ(copy.open(library), QString());
    dbf::Table &t = copy.LibTable();
    QStringList rows;
    for (t.first(); !t.eof(); t.next())
        rows.append(QStringLiteral("%1/%2/%3 %4 %5 %6")
                        .arg(t.fieldInt(QStringLiteral("Index")))
                        .arg(t.fieldInt(QStringLiteral("UpLink")))
                        .arg(t.fieldInt(QStringLiteral("Type")))
                        .arg(t.fieldText(QStringLiteral("Text")))
                        .arg(t.fieldInt(QStringLiteral("Fak01")))
                        .arg(t.fieldInt(QStringLiteral("Fak03"))));
    EXPECT_EQ(rows, (QStringList {QStringLiteral("1/0/0 Dílna 0 0"), QStringLiteral("2/1/0 Svařovna 0 0"),
                                  QStringLiteral("3/2/1 Svářeč 0 6"), QStringLiteral("4/1/1 Mistr 1 1"),
                                  QStringLiteral("5/0/1 Řidič 1 1")}));
    MeasureTemplates templates(copy.OpatTable());
    EXPECT_EQ(templates.find(3, QStringLiteral("do 85 dB")), QStringLiteral("První řádek\r\nDruhý řádek"));
    EXPECT_EQ(templates.find(3, QString()), QStringLiteral("Obecně"));

    // Extracted and built again, the library holds the same rows.
    TempDir extracted;
    extractLibrary(library, extracted.path());
    EXPECT_EQ(QDir(extracted.file(QStringLiteral("samples"))).entryList(QDir::Files),
              (QStringList {QStringLiteral("01-dilna.json"), QStringLiteral("02-ridic.json")}));
    const QString rebuilt = extracted.file(QStringLiteral("Library.LIB"));
    buildLibrary(extracted.path(), rebuilt);
    TempDir again;
    extractLibrary(rebuilt, again.path());
    for (const QString &file : {QStringLiteral("samples/01-dilna.json"), QStringLiteral("templates/03-hluk.json")})
        EXPECT_EQ(TempDir::read(again.file(file)), TempDir::read(extracted.file(file))) << file.toStdString();
    EXPECT_TRUE(TempDir::read(extracted.file(QStringLiteral("samples/01-dilna.json"))).contains("\"Hluk\": [\n"));
}

TEST(LibrarySource, BadSourcesNameTheFileAndTheFault)
{
    EXPECT_TRUE(buildError(R"({"assessment": "x", "categories": {"Hluk": 5}})").contains(QStringLiteral("01-a.json")));
    EXPECT_TRUE(buildError(R"({"assessment": "x", "categories": {"Psychická zátěž": 4}})")
                    .contains(QStringLiteral("has no category 4")));
    EXPECT_TRUE(
        buildError(R"({"assessment": "x", "categories": {"Hlučnost": 2}})").contains(QStringLiteral("Hlučnost")));
    EXPECT_FALSE(buildError(R"({"node": "x", "assessment": "y"})").isEmpty());
    EXPECT_FALSE(buildError(R"({"node": ""})").isEmpty());
    EXPECT_FALSE(buildError("{ not json").isEmpty());
    EXPECT_EQ(buildError(R"({"node": "x"})"), QString());
}

TEST(LibrarySource, ExtractKeepsRowsOfADamagedTreeOnce)
{
    TempDir dir;
    makeSampleTable(dir.file(QStringLiteral("Object.dbf")), {{1, 2, 0, QStringLiteral("A")},
                                                             {2, 1, 0, QStringLiteral("B")},
                                                             {3, 77, 1, QStringLiteral("Sirotek")},
                                                             {4, 0, 0, QStringLiteral("Kořen")},
                                                             {5, 4, 1, QStringLiteral("List")}});
    writeContainerAtomically(dir.file(QStringLiteral("Library.LIB")), {dir.file(QStringLiteral("Object.dbf"))},
                             fcDefault);
    TempDir out;
    extractLibrary(dir.file(QStringLiteral("Library.LIB")), out.path());
    buildLibrary(out.path(), out.file(QStringLiteral("Library.LIB")));
    LibraryWorkCopy copy;
    ASSERT_EQ(copy.open(out.file(QStringLiteral("Library.LIB"))), QString());
    EXPECT_EQ(copy.LibTable().recordCount(), 5) << "every row once, the loop broken at one place";
}
