// What callers rely on: cursor, filter, order, locate, edits, handles sharing a file.
#include "ObjectTable.h"
#include "storage/document/TableFields.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::test;
using dbf::EngineError;
using dbf::FieldKind;
using dbf::Table;

namespace {

class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("Object.dbf"));
        table.setTableName(path);
        defineObjectTable(table);
        table.createTable();
        table.open();
    }

    // Rows: Index, UpLink, Type, Text.
    void addRows(const QList<std::tuple<int, int, int, QString>> &rows)
    {
        for (const auto &[index, uplink, type, text] : rows)
            table.appendRecord({index, uplink, type, text});
    }

    QList<int> indexes(Table &t)
    {
        QList<int> out;
        for (t.first(); !t.eof(); t.next())
            out.append(t.fieldInt(QStringLiteral("Index")));
        return out;
    }

    TempDir dir;
    QString path;
    Table table;
};

void expectEngineError(const std::function<void()> &f, const QString &fragment)
{
    try {
        f();
        ADD_FAILURE() << "no EngineError, expected one mentioning " << fragment.toStdString();
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(fragment, Qt::CaseInsensitive)) << e.message().toStdString();
    }
}

} // namespace

TEST_F(TableTest, EmptyFieldsReadZeroAndEmptyText)
{
    table.appendRecord();
    table.first();
    ASSERT_FALSE(table.eof());
    EXPECT_EQ(table.fieldInt(QStringLiteral("Fak01")), 0);
    EXPECT_EQ(table.fieldText(QStringLiteral("Popis")), QString());
    EXPECT_EQ(table.fieldText(QStringLiteral("Text")), QString());
    EXPECT_TRUE(table.isFieldEmpty(QStringLiteral("Pracov")));
    EXPECT_EQ(table.recordCount(), 1);
    table.next();
    EXPECT_TRUE(table.eof());
}

TEST_F(TableTest, FieldNamesIgnoreCaseAndUnknownFieldsNameTheTable)
{
    addRows({{1, 0, 0, QStringLiteral("a")}});
    EXPECT_EQ(table.fieldInt(QStringLiteral("INDEX")), 1);
    EXPECT_TRUE(table.hasField(QStringLiteral("uplink")));
    EXPECT_FALSE(table.hasField(QStringLiteral("Fak14")));
    expectEngineError([&] { table.fieldInt(QStringLiteral("Fak14")); }, path);
    expectEngineError([&] { table.fieldInt(QStringLiteral("Fak14")); }, QStringLiteral("Fak14"));
    const QList<dbf::FieldDef> fields = table.fields();
    ASSERT_EQ(fields.size(), 22);
    EXPECT_EQ(fields[3].kind, FieldKind::String);
    EXPECT_EQ(fields[3].width, 250);
    EXPECT_EQ(fields[21].kind, FieldKind::Memo);
    EXPECT_EQ(fields[0].kind, FieldKind::Integer);
}

// Loops ask for a field's position once and go by position; a position is as good as the
// name it came from, and one that is not a field of the table is refused, never read.
TEST_F(TableTest, FieldPositionsReadAndWriteWhatTheNamesDo)
{
    namespace object = fields::object;
    EXPECT_EQ(table.fieldIndex(object::Index), 0);
    EXPECT_EQ(table.fieldIndex(object::Text), 3);
    EXPECT_EQ(table.fieldIndex(QStringLiteral("OPATRENI")), 21);
    expectEngineError([&] { table.fieldIndex(QStringLiteral("Fak14")); }, QStringLiteral("Fak14"));

    const int text = table.fieldIndex(object::Text);
    const int popis = table.fieldIndex(object::Popis);
    const int zen = table.fieldIndex(object::Zen);
    table.append();
    table.setFieldInt(zen, 7);
    table.setFieldText(text, QStringLiteral("Lakovna"));
    table.setFieldText(popis, QStringLiteral("Stříkání barev"));
    table.post();
    table.first();
    EXPECT_EQ(table.fieldInt(object::Zen), 7);
    EXPECT_EQ(table.fieldText(object::Text), QStringLiteral("Lakovna"));
    EXPECT_EQ(table.fieldText(popis), QStringLiteral("Stříkání barev"));
    EXPECT_TRUE(table.isFieldEmpty(table.fieldIndex(object::Pracov)));
    EXPECT_TRUE(table.locate(zen, 7));

    for (int bad : {-1, 22, 1 << 30}) {
        expectEngineError([&] { table.fieldInt(bad); }, QStringLiteral("field number"));
        expectEngineError([&] { table.fieldText(bad); }, QStringLiteral("field number"));
        expectEngineError([&] { table.locate(bad, 1); }, QStringLiteral("field number"));
        table.edit();
        expectEngineError([&] { table.setFieldInt(bad, 1); }, QStringLiteral("field number"));
        expectEngineError([&] { table.setFieldText(bad, QString()); }, QStringLiteral("field number"));
        table.cancel();
    }
    table.close();
    expectEngineError([&] { table.fieldIndex(object::Index); }, QStringLiteral("not open"));
    expectEngineError([&] { table.fieldInt(0); }, QStringLiteral("not open"));
}

TEST_F(TableTest, FilterTermsJoinedByAndSeeOnlyMatchingRows)
{
    addRows({{1, 0, 0, QStringLiteral("root")},
             {2, 1, 1, QStringLiteral("a")},
             {3, 1, 0, QStringLiteral("b")},
             {4, 3, 1, QStringLiteral("c")},
             {5, 1, 0, QStringLiteral("d")}});
    table.setFilter(QStringLiteral("Type=0 AND Uplink=1"));
    table.setFiltered(true);
    EXPECT_EQ(indexes(table), QList<int>({3, 5}));
    EXPECT_EQ(table.recordCount(), 2);
    table.setFilter(QStringLiteral("type = 1"));
    EXPECT_EQ(indexes(table), QList<int>({2, 4}));
    table.setFilter(QStringLiteral("Text='b'"));
    EXPECT_EQ(indexes(table), QList<int>({3}));
    table.setFiltered(false);
    EXPECT_EQ(table.recordCount(), 5);
    EXPECT_EQ(table.filter(), QStringLiteral("Text='b'"));
}

TEST_F(TableTest, FilterFollowsRowsPostedAndEditedAfterItWasApplied)
{
    addRows({{1, 0, 0, QStringLiteral("root")}});
    table.setFilter(QStringLiteral("Type=0 AND UpLink=1"));
    table.setFiltered(true);
    EXPECT_EQ(table.recordCount(), 0);
    addRows({{2, 1, 0, QStringLiteral("x")}, {3, 1, 1, QStringLiteral("y")}});
    EXPECT_EQ(indexes(table), QList<int>({2}));
    table.setFiltered(false);
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 3));
    table.edit();
    table.setFieldInt(QStringLiteral("Type"), 0);
    table.post();
    table.setFiltered(true);
    EXPECT_EQ(indexes(table), QList<int>({2, 3}));
    table.first();
    table.deleteRecord();
    EXPECT_EQ(indexes(table), QList<int>({3}));
}

TEST_F(TableTest, BadFiltersRaiseClearErrors)
{
    table.setFiltered(true);
    expectEngineError([&] { table.setFilter(QStringLiteral("Nothing=1")); }, QStringLiteral("Nothing"));
    expectEngineError([&] { table.setFilter(QStringLiteral("Type=0 OR Type=1")); }, path);
    expectEngineError([&] { table.setFilter(QStringLiteral("Type 0")); }, QStringLiteral("filter"));
    expectEngineError([&] { table.setFilter(QStringLiteral("Type=")); }, QStringLiteral("filter"));
    expectEngineError([&] { table.setFilter(QStringLiteral("Type=abc")); }, QStringLiteral("not a number"));
    expectEngineError([&] { table.setFilter(QStringLiteral("Text='open")); }, QStringLiteral("unterminated"));
    // A filter is only parsed once applied.
    table.setFiltered(false);
    EXPECT_NO_THROW(table.setFilter(QStringLiteral("Nothing=1")));
    table.close();
    table.setFiltered(true);
    expectEngineError([&] { table.open(); }, QStringLiteral("Nothing"));
    EXPECT_FALSE(table.isOpen());
}

TEST_F(TableTest, IndexOrderSortsByKeyWithTiesInPhysicalOrder)
{
    addRows({{1, 5, 0, {}}, {2, 0, 0, {}}, {3, 5, 1, {}}, {4, -2, 0, {}}, {5, 0, 1, {}}, {6, 3, 0, {}}});
    table.setIndexName(QStringLiteral("UPLINK"));
    EXPECT_EQ(indexes(table), QList<int>({4, 2, 5, 6, 1, 3}));
    table.setFilter(QStringLiteral("Type=0"));
    table.setFiltered(true);
    EXPECT_EQ(indexes(table), QList<int>({4, 2, 6, 1}));
    ASSERT_TRUE(table.locate(QStringLiteral("UpLink"), 5));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), 1);
    table.setFiltered(false);
    // Locate gives the first match in index order, not the first row.
    ASSERT_TRUE(table.locate(QStringLiteral("Type"), 1));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), 5);
    table.setIndexName(QString());
    ASSERT_TRUE(table.locate(QStringLiteral("Type"), 1));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), 3);
    expectEngineError([&] { table.setIndexName(QStringLiteral("NOPE")); }, QStringLiteral("NOPE"));
    EXPECT_EQ(table.indexName(), QString()) << "a failed switch keeps the order it had";
}

TEST_F(TableTest, IndexOrderSurvivesReopenAndEdits)
{
    addRows({{1, 9, 0, {}}, {2, 1, 0, {}}, {3, 4, 0, {}}});
    table.close();
    table.setIndexName(QStringLiteral("uplink"));
    table.open();
    EXPECT_EQ(indexes(table), QList<int>({2, 3, 1}));
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 2));
    table.edit();
    table.setFieldInt(QStringLiteral("UpLink"), 100);
    table.post();
    EXPECT_EQ(indexes(table), QList<int>({3, 1, 2}));
}

// The order and the row count are worked out when first asked for, not at open: changes
// made before and after that moment must both be in them, through any handle.
TEST_F(TableTest, OrderAndCountAreRightWhetherFirstAskedForBeforeOrAfterChanges)
{
    addRows({{1, 9, 0, {}}, {2, 1, 0, {}}, {3, 4, 0, {}}, {4, 7, 0, {}}});
    table.close();
    table.open();
    Table other(path);
    other.setIndexName(QStringLiteral("UPLINK"));
    other.open();
    // Changed before either handle has walked the order or counted.
    table.appendRecord({5, 2, 0, QString()});
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 4));
    table.deleteRecord();
    EXPECT_EQ(other.recordCount(), 4);
    EXPECT_EQ(indexes(other), QList<int>({2, 5, 3, 1}));
    // Changed after: the order built above is kept current.
    table.appendRecord({6, 0, 0, QString()});
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 3));
    table.edit();
    table.setFieldInt(QStringLiteral("UpLink"), 10);
    table.post();
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 2));
    table.deleteRecord();
    EXPECT_EQ(other.recordCount(), 4);
    EXPECT_EQ(table.recordCount(), 4);
    EXPECT_EQ(indexes(other), QList<int>({6, 5, 1, 3}));
    other.close();
    table.close();
    table.setIndexName(QStringLiteral("UPLINK"));
    table.open();
    EXPECT_EQ(indexes(table), QList<int>({6, 5, 1, 3}));
}

TEST_F(TableTest, LocateIsExactAndLeavesTheCursorWhenNothingMatches)
{
    addRows(
        {{1, 0, 0, QStringLiteral("Dílna")}, {2, 0, 0, QStringLiteral("Dílna 2")}, {3, 0, 1, QStringLiteral("dílna")}});
    ASSERT_TRUE(table.locate(QStringLiteral("Text"), QStringLiteral("dílna")));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), 3);
    EXPECT_FALSE(table.locate(QStringLiteral("Text"), QStringLiteral("Díl")));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), 3);
    EXPECT_TRUE(table.locate(QStringLiteral("index"), QStringLiteral("2")));
    EXPECT_EQ(table.fieldText(QStringLiteral("Text")), QStringLiteral("Dílna 2"));
    EXPECT_FALSE(table.locate(QStringLiteral("Index"), 99));
}

TEST_F(TableTest, CancelDiscardsAndNavigationPostsPendingChanges)
{
    addRows({{1, 0, 0, QStringLiteral("one")}});
    table.first();
    table.edit();
    table.setFieldText(QStringLiteral("Text"), QStringLiteral("changed"));
    EXPECT_EQ(table.fieldText(QStringLiteral("Text")), QStringLiteral("changed"));
    table.cancel();
    EXPECT_EQ(table.fieldText(QStringLiteral("Text")), QStringLiteral("one"));
    table.append();
    table.setFieldInt(QStringLiteral("Index"), 2);
    table.cancel();
    EXPECT_EQ(table.recordCount(), 1);
    table.edit();
    table.setFieldText(QStringLiteral("Popis"), QStringLiteral("memo"));
    table.first(); // moving on stores the change, as a dataset does
    EXPECT_EQ(table.fieldText(QStringLiteral("Popis")), QStringLiteral("memo"));
    expectEngineError([&] { table.setFieldInt(QStringLiteral("Index"), 3); }, QStringLiteral("edit"));
    expectEngineError([&] { table.post(); }, QStringLiteral("edit"));
}

TEST_F(TableTest, AfterPostRunsPerHandleForPostsButNotDeletes)
{
    int calls = 0;
    int seenIndex = -1;
    table.setAfterPost([&](Table &t) {
        ++calls;
        seenIndex = t.fieldInt(QStringLiteral("Index"));
    });
    Table other(path);
    int otherCalls = 0;
    other.setAfterPost([&](Table &) { ++otherCalls; });
    other.open();
    table.appendRecord({4});
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenIndex, 4);
    table.edit();
    table.setFieldInt(QStringLiteral("Type"), 1);
    table.post();
    EXPECT_EQ(calls, 2);
    table.deleteRecord();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(otherCalls, 0);
}

TEST_F(TableTest, HandlesOnOneFileSeeEachOthersRowsAtOnce)
{
    Table reader(path);
    reader.setFilter(QStringLiteral("UpLink=7"));
    reader.setFiltered(true);
    reader.open();
    EXPECT_EQ(reader.recordCount(), 0);
    addRows({{1, 7, 0, QStringLiteral("seen")}});
    EXPECT_EQ(reader.recordCount(), 1);
    reader.first();
    EXPECT_EQ(reader.fieldText(QStringLiteral("Text")), QStringLiteral("seen"));
    reader.edit();
    reader.setFieldText(QStringLiteral("Mereni"), QStringLiteral("from reader"));
    reader.post();
    table.first();
    EXPECT_EQ(table.fieldText(QStringLiteral("Mereni")), QStringLiteral("from reader"));
    reader.deleteRecord();
    EXPECT_EQ(table.recordCount(), 0);
}

TEST_F(TableTest, ClosedTablesCanBeReplacedAsFilesAndReopened)
{
    addRows({{1, 0, 0, QStringLiteral("old")}});
    table.close();
    const QString copy = dir.file(QStringLiteral("copy"));
    QDir().mkpath(copy);
    for (const char *ext : {"dbf", "dbt", "mdx"})
        QFile::copy(dir.file(QStringLiteral("Object.%1").arg(QLatin1String(ext))),
                    copy + QStringLiteral("/Object.%1").arg(QLatin1String(ext)));
    table.open();
    addRows({{2, 0, 0, QStringLiteral("new")}});
    table.close();
    for (const char *ext : {"dbf", "dbt", "mdx"}) {
        const QString target = dir.file(QStringLiteral("Object.%1").arg(QLatin1String(ext)));
        ASSERT_TRUE(QFile::remove(target));
        ASSERT_TRUE(QFile::copy(copy + QStringLiteral("/Object.%1").arg(QLatin1String(ext)), target));
    }
    table.open();
    EXPECT_EQ(indexes(table), QList<int>({1}));
    EXPECT_EQ(table.fieldText(QStringLiteral("Text")), QStringLiteral("old"));
}

TEST_F(TableTest, ExclusiveUseRefusesOtherHandlesBothWays)
{
    Table other(path);
    other.setExclusive(true);
    expectEngineError([&] { other.open(); }, QStringLiteral("in use"));
    table.close();
    other.open();
    expectEngineError([&] { table.open(); }, QStringLiteral("in use"));
    expectEngineError([&] { table.createTable(); }, QStringLiteral("in use"));
    expectEngineError([&] { other.setExclusive(false); }, QStringLiteral("closed"));
    other.close();
    table.open();
    EXPECT_TRUE(table.isOpen());
}

TEST_F(TableTest, PackAndAddIndexNeedExclusiveUseAndWorkClosedOrOpen)
{
    addRows({{1, 2, 0, {}}, {2, 1, 0, {}}, {3, 0, 0, {}}});
    table.first();
    table.deleteRecord();
    expectEngineError([&] { table.pack(); }, QStringLiteral("exclusive"));
    table.close();
    table.setExclusive(true);
    table.pack();
    table.open();
    EXPECT_EQ(indexes(table), QList<int>({2, 3}));
    table.appendRecord({4, 1});
    table.first();
    table.deleteRecord();
    table.pack(); // open and exclusive
    EXPECT_EQ(indexes(table), QList<int>({3, 4}));
    table.addIndex(QStringLiteral("BYTYPE"), QStringLiteral("Type"));
    table.addIndex(QStringLiteral("BYTYPE"), QStringLiteral("Type")); // again: nothing to do
    expectEngineError([&] { table.addIndex(QStringLiteral("BYTYPE"), QStringLiteral("Index")); },
                      QStringLiteral("BYTYPE"));
    expectEngineError([&] { table.addIndex(QStringLiteral("MEMO"), QStringLiteral("Popis")); }, QStringLiteral("memo"));
    table.close();
    table.setExclusive(false);
    table.setIndexName(QStringLiteral("BYTYPE"));
    table.open();
    EXPECT_EQ(table.recordCount(), 2);
}

TEST_F(TableTest, AddIndexToATableCreatedWithout)
{
    table.close();
    Table link(dir.file(QStringLiteral("Old.dbf")));
    link.addFieldDef(QStringLiteral("UpLink"), FieldKind::Integer);
    link.createTable();
    link.open();
    for (int v : {3, 1, 2})
        link.appendRecord({v});
    link.close();
    link.setExclusive(true);
    link.addIndex(QStringLiteral("UPLINK"), QStringLiteral("UpLink"));
    link.setExclusive(false);
    link.setIndexName(QStringLiteral("UPLINK"));
    link.open();
    QList<int> order;
    for (link.first(); !link.eof(); link.next())
        order.append(link.fieldInt(QStringLiteral("UpLink")));
    EXPECT_EQ(order, QList<int>({1, 2, 3}));
}

TEST_F(TableTest, CreateReplacesAnExistingTableAndItsFiles)
{
    addRows({{1, 0, 0, QStringLiteral("gone")}});
    table.close();
    table.clearDefinitions();
    table.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
    table.createTable();
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Object.dbt"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Object.mdx"))));
    table.open();
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_EQ(table.fields().size(), 1);
}

TEST_F(TableTest, EngineErrorsForMisuse)
{
    Table unnamed;
    expectEngineError([&] { unnamed.open(); }, QStringLiteral("name"));
    Table missing(dir.file(QStringLiteral("Missing.dbf")));
    expectEngineError([&] { missing.open(); }, QStringLiteral("Missing.dbf"));
    expectEngineError([&] { missing.first(); }, QStringLiteral("not open"));
    Table bad(dir.file(QStringLiteral("Bad.dbf")));
    bad.addFieldDef(QStringLiteral("WayTooLongName"), FieldKind::Integer);
    expectEngineError([&] { bad.createTable(); }, QStringLiteral("WayTooLongName"));
    bad.clearDefinitions();
    bad.addFieldDef(QStringLiteral("A"), FieldKind::String, 0);
    expectEngineError([&] { bad.createTable(); }, QStringLiteral("width"));
    bad.clearDefinitions();
    bad.addFieldDef(QStringLiteral("A"), FieldKind::Integer);
    bad.addIndexDef(QStringLiteral("B"), QStringLiteral("B"));
    expectEngineError([&] { bad.createTable(); }, QStringLiteral("unknown field"));
    expectEngineError([&] { table.setTableName(QStringLiteral("x.dbf")); }, QStringLiteral("open"));
    table.appendRecord();
    table.edit();
    expectEngineError([&] { table.setFieldText(QStringLiteral("Index"), QStringLiteral("abc")); },
                      QStringLiteral("Index"));
    table.setFieldText(QStringLiteral("Text"), QStringLiteral("abc"));
    expectEngineError([&] { table.fieldInt(QStringLiteral("Text")); }, QStringLiteral("integer"));
    table.setFieldText(QStringLiteral("Text"), QStringLiteral(" 42 "));
    EXPECT_EQ(table.fieldInt(QStringLiteral("Text")), 42);
    table.cancel();
    expectEngineError(
        [&] {
            table.appendRecord({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23});
        },
        QStringLiteral("23 values"));
}

// Whole numbers are read from any field that holds one: numeric fields at once, text and memo
// fields (edited or stored) through their text.
TEST_F(TableTest, IntegersReadFromNumericTextAndMemoFields)
{
    table.append();
    table.setFieldInt(QStringLiteral("Index"), -1234567);
    table.setFieldText(QStringLiteral("Text"), QStringLiteral("  42 "));
    table.setFieldInt(QStringLiteral("Popis"), 77);
    EXPECT_EQ(table.fieldInt(QStringLiteral("Popis")), 77) << "an unposted memo";
    table.post();
    table.first();
    EXPECT_EQ(table.fieldInt(QStringLiteral("Index")), -1234567);
    EXPECT_EQ(table.fieldInt(QStringLiteral("UpLink")), 0) << "blank";
    EXPECT_EQ(table.fieldInt(QStringLiteral("Text")), 42);
    EXPECT_EQ(table.fieldInt(QStringLiteral("Popis")), 77) << "a stored memo";
    table.edit();
    table.setFieldText(QStringLiteral("Text"), QStringLiteral("dílna"));
    expectEngineError([&] { table.fieldInt(QStringLiteral("Text")); }, QStringLiteral("Text"));
}

// Filters test rows by the numbers their values have in the in-memory value lists; a value that
// disappears and comes back, or a row edited from one value to another, must still be found.
TEST_F(TableTest, FilterFollowsValuesThatLeaveAndComeBack)
{
    addRows({{1, 1, 5, {}}, {2, 1, 0, {}}, {3, 2, 5, {}}});
    table.setFilter(QStringLiteral("Type=5 AND UpLink=1"));
    table.setFiltered(true);
    EXPECT_EQ(indexes(table), QList<int>({1}));
    table.first();
    table.deleteRecord(); // the last row of Type 5 with UpLink 1
    EXPECT_EQ(indexes(table), QList<int>());
    table.setFiltered(false);
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 3));
    table.deleteRecord(); // now no row holds Type 5 at all
    table.setFiltered(true);
    EXPECT_EQ(table.recordCount(), 0);
    addRows({{4, 1, 5, {}}});
    EXPECT_EQ(indexes(table), QList<int>({4}));
    table.setFiltered(false);
    ASSERT_TRUE(table.locate(QStringLiteral("Index"), 2));
    table.edit();
    table.setFieldInt(QStringLiteral("Type"), 5);
    table.post();
    table.setFiltered(true);
    EXPECT_EQ(indexes(table), QList<int>({2, 4}));
    EXPECT_TRUE(table.locate(QStringLiteral("Index"), 2));
    EXPECT_FALSE(table.locate(QStringLiteral("Index"), 1)) << "deleted";
    Table other(path);
    other.setFilter(QStringLiteral("Type=5 AND UpLink=1"));
    other.setFiltered(true);
    other.open();
    EXPECT_EQ(indexes(other), QList<int>({2, 4})) << "a second handle shares the lists";
}

// Rows read in file order come through a window the file is copied into, which moves on with
// the scan; a change posted through another handle in the middle of a scan, to a row the window
// already holds, must be seen by it.
TEST_F(TableTest, ScanInFileOrderSeesEveryRowAndChangesPostedMeanwhile)
{
    const int rows = 3000; // several windows' worth
    for (int i = 1; i <= rows; ++i)
        table.appendRecord({i, i / 10, i % 3, QStringLiteral("Řádek %1").arg(i)});
    table.close();
    table.open();
    Table other(path);
    other.open();
    ASSERT_TRUE(other.locate(QStringLiteral("Index"), 1)); // its value list is built now, not mid-scan
    int seen = 0;
    bool changed = false;
    for (table.first(); !table.eof(); table.next()) {
        const int index = table.fieldInt(QStringLiteral("Index"));
        ASSERT_EQ(index, ++seen);
        const QString expected =
            index == 1600 && changed ? QStringLiteral("změněno") : QStringLiteral("Řádek %1").arg(index);
        ASSERT_EQ(table.fieldText(QStringLiteral("Text")), expected);
        ASSERT_EQ(table.fieldInt(QStringLiteral("UpLink")), index / 10);
        if (index == 1500) {
            ASSERT_TRUE(other.locate(QStringLiteral("Index"), 1600));
            other.edit();
            other.setFieldText(QStringLiteral("Text"), QStringLiteral("změněno"));
            other.post();
            other.appendRecord({rows + 1, (rows + 1) / 10, 0, QStringLiteral("Řádek %1").arg(rows + 1)});
            changed = true;
        }
    }
    EXPECT_EQ(seen, rows + 1) << "the row appended during the scan is reached too";
    EXPECT_EQ(table.recordCount(), rows + 1);
}
