// The two record sources over a document's Object table: which rows, in which order, and what
// a template sees of each row.
#include "reports/ReportData.h"
#include "ReportDocument.h"
#include "reports/ReportFunctions.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::reports;
using ergotab::test::ReportDocument;

namespace {

// The values of one field over all rows of a source, in the order the source gives them.
QStringList column(report::DataSource &source, const QString &field)
{
    QStringList values;
    const int f = source.fieldIndex(field);
    EXPECT_GE(f, 0) << qPrintable(field);
    for (int r = 0; r < source.recordCount(); ++r) {
        source.moveTo(r);
        values << source.value(f).toString();
    }
    return values;
}

// Rows appended so that physical order, Index order and UpLink order all differ.
void fillMixed(ReportDocument &doc)
{
    doc.node(5, 0, QStringLiteral("Závod"));
    doc.assessment(9, 7, QStringLiteral("Lakýrník"));
    doc.node(7, 5, QStringLiteral("Lakovna"));
    doc.assessment(3, 7, QStringLiteral("Brusič"));
    doc.assessment(4, 0, QStringLiteral("Vedoucí"));
    doc.node(2, 5, QStringLiteral("Sklad"));
    doc.assessment(8, 2, QStringLiteral("Skladník"));
    doc.node(6, 0, QStringLiteral("Správa"));
}

} // namespace

TEST(ReportData, RunGivesAscendingUpLinkWithPhysicalOrderAmongSiblingsDesignGivesPhysicalOrder)
{
    ReportDocument doc;
    fillMixed(doc);
    ReportData data;
    data.open(doc.objectTable(), ReportData::Use::Run);
    EXPECT_EQ(column(data.assessments(), QStringLiteral("Text")),
              QStringList({QStringLiteral("Vedoucí"), QStringLiteral("Skladník"), QStringLiteral("Lakýrník"),
                           QStringLiteral("Brusič")}));
    EXPECT_EQ(column(data.objects(), QStringLiteral("Text")),
              QStringList({QStringLiteral("Závod"), QStringLiteral("Správa"), QStringLiteral("Lakovna"),
                           QStringLiteral("Sklad")}));
    EXPECT_EQ(data.objects().indexName(), QStringLiteral("UPLINK"));
    data.close();
    EXPECT_EQ(data.objects().indexName(), QString());
    EXPECT_EQ(data.assessments().indexName(), QString());

    data.open(doc.objectTable(), ReportData::Use::Design);
    EXPECT_EQ(column(data.assessments(), QStringLiteral("Index")),
              QStringList({QStringLiteral("9"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("8")}));
    EXPECT_EQ(column(data.objects(), QStringLiteral("Index")),
              QStringList({QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("6")}));
}

TEST(ReportData, EveryFieldIsVisibleUnderItsOwnNameWithItsValue)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("Svařovna"));
    doc.assessment(2, 1, QStringLiteral("Svářeč"), {4, 0, 2 | 4}, 14, 3);
    dbf::Table &objects = doc.document.objects();
    objects.locate(QStringLiteral("Index"), 2);
    objects.edit();
    objects.setFieldText(QStringLiteral("Mereni"), QStringLiteral("Hluk: LAeq,8h = 88 dB\r\nPrach: 1,2 mg/m3"));
    objects.post();

    ReportData data;
    data.open(doc.objectTable(), ReportData::Use::Run);
    report::DataSource &source = data.assessments();
    EXPECT_EQ(source.name(), QStringLiteral("Kategorie_DataSet"));
    EXPECT_EQ(data.objects().name(), QStringLiteral("Object_DataSet"));
    const QStringList names = source.fieldNames();
    ASSERT_EQ(names.size(), 22);
    EXPECT_EQ(names.first(), QStringLiteral("Index"));
    EXPECT_EQ(names.last(), QStringLiteral("Opatreni"));
    EXPECT_EQ(source.fieldIndex(QStringLiteral("fak03")), source.fieldIndex(QStringLiteral("Fak03")));
    EXPECT_EQ(source.fieldIndex(QStringLiteral("Worker")), -1);

    ASSERT_EQ(source.recordCount(), 1);
    source.moveTo(0);
    const auto value = [&](const char *field) { return source.value(source.fieldIndex(QLatin1String(field))); };
    EXPECT_EQ(value("Text").toString(), QStringLiteral("Svářeč"));
    EXPECT_EQ(value("UpLink").toInt(), 1);
    EXPECT_EQ(value("Fak03").toInt(), 6);
    EXPECT_EQ(value("Pracov").toInt(), 14);
    EXPECT_EQ(value("Zen").toInt(), 3);
    EXPECT_EQ(value("Mereni").toString(), QStringLiteral("Hluk: LAeq,8h = 88 dB\r\nPrach: 1,2 mg/m3"));
    // Fields never written are empty: null values of their own type that still read 0 and "".
    EXPECT_TRUE(value("Popis").isNull());
    EXPECT_EQ(value("Popis").typeId(), QMetaType::QString);
    EXPECT_EQ(value("Popis").toString(), QString());
    data.objects().moveTo(0);
    const QVariant nodeMask = data.objects().value(data.objects().fieldIndex(QStringLiteral("Fak01")));
    EXPECT_TRUE(nodeMask.isNull());
    EXPECT_EQ(nodeMask.toInt(), 0);
}

TEST(ReportData, DocumentWithoutAssessmentsGivesAnEmptyKategorieAndEveryNode)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("A"));
    doc.node(2, 1, QStringLiteral("B"));
    ReportData data;
    data.open(doc.objectTable(), ReportData::Use::Run);
    EXPECT_EQ(data.assessments().recordCount(), 0);
    EXPECT_FALSE(data.assessments().value(0).isValid());
    EXPECT_THROW(data.assessments().moveTo(0), AppError);
    EXPECT_EQ(column(data.objects(), QStringLiteral("Text")), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
}

TEST(ReportData, ReadsWhatWasLastStoredAndTheDocumentHandleStaysAsItWas)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("A"));
    dbf::Table &objects = doc.document.objects();
    objects.setFilter(QStringLiteral("Type = 1"));
    objects.setFiltered(true);

    ReportData data;
    data.open(doc.objectTable(), ReportData::Use::Run);
    EXPECT_EQ(data.objects().recordCount(), 1);
    data.close();
    doc.node(2, 0, QStringLiteral("B")); // stored between two runs
    data.open(doc.objectTable(), ReportData::Use::Run);
    EXPECT_EQ(data.objects().recordCount(), 2);
    ReportFunctions functions(data);
    QVariant result;
    functions.call(
        QStringLiteral("R_PATH"), {QStringLiteral("2")}, [](const QString &t) { return QVariant(t); }, result);
    EXPECT_EQ(result.toString(), QStringLiteral("B"));
    data.close();

    EXPECT_TRUE(objects.isFiltered());
    EXPECT_EQ(objects.filter(), QStringLiteral("Type = 1"));
    EXPECT_EQ(objects.indexName(), QString());
}

TEST(ReportData, AMissingTableLeavesBothSourcesClosed)
{
    ReportDocument doc;
    ReportData data;
    EXPECT_THROW(data.open(doc.document.workFolder() + QStringLiteral("Nic.dbf"), ReportData::Use::Run), AppError);
    EXPECT_FALSE(data.isOpen());
    EXPECT_FALSE(data.assessments().isOpen());
    EXPECT_THROW(data.paths(), AppError);
}
