#include "TreeFixture.h"

#include "tree/HighestIndex.h"
#include "tree/NodeTable.h"
#include "tree/ObjectRecords.h"
#include "tree/TreeImages.h"

#include "storage/Progress.h"

namespace ergotab::tree::test {

using BuildTreeTest = TreeFixture;

TEST(NodeTableTest, GrowsByWholeBlocksOfAThousand)
{
    NodeTable nodes;
    EXPECT_EQ(nodes.size(), 1000);
    nodes.ensureSlot(999);
    EXPECT_EQ(nodes.size(), 1000);
    nodes.ensureSlot(1000);
    EXPECT_EQ(nodes.size(), 2000);
    NodeTable other;
    other.ensureSlot(2500);
    EXPECT_EQ(other.size(), 3000);
    other.reset();
    EXPECT_EQ(other.size(), 1000);
}

TEST(NodeTableTest, FarAndNegativeIndexesDoNotGrowTheArray)
{
    NodeTable nodes;
    DataTreeItem far(2'000'000'000, 0, QStringLiteral("far"));
    DataTreeItem negative(-7, 0, QStringLiteral("neg"));
    nodes.set(2'000'000'000, &far);
    nodes.set(-7, &negative);
    EXPECT_EQ(nodes.size(), 1000);
    EXPECT_EQ(nodes.at(2'000'000'000), &far);
    EXPECT_EQ(nodes.at(-7), &negative);
    nodes.clearSlot(-7);
    EXPECT_EQ(nodes.at(-7), nullptr);
}

TEST_F(BuildTreeTest, EmptyTableGivesEmptyTreeAndFirstIndexOne)
{
    build();
    EXPECT_EQ(widget->topLevelItemCount(), 0);
    EXPECT_EQ(tree->nodes().size(), 1000);
    EXPECT_EQ(NewObjectRecord(document, NodeType, 0), 1);
}

TEST_F(BuildTreeTest, SiblingsFollowRowOrderNodesAndAssessmentsMixed)
{
    addRow(1, 0, 0);
    addRow(2, 1, 1);
    addRow(3, 1, 0);
    addRow(4, 0, 1);
    build();
    EXPECT_EQ(children(nullptr), (std::vector<int> {1, 4}));
    EXPECT_EQ(children(item(1)), (std::vector<int> {2, 3}));
    EXPECT_EQ(item(1)->image(), ClosedFolderImage);
    EXPECT_EQ(item(2)->image(), SheetImage);
    EXPECT_EQ(item(3)->image(), ClosedFolderImage);
    EXPECT_EQ(item(4)->image(), SheetImage);
    EXPECT_EQ(caption(item(2)), QStringLiteral("r2"));
    EXPECT_EQ(widget->currentItem(), nullptr);
    EXPECT_FALSE(item(1)->isExpanded());
}

TEST_F(BuildTreeTest, ChildBeforeParentGathersUnderPlaceholderThatBecomesTheParent)
{
    addRow(5, 7, 0);
    // After the first row alone: a top-level "$$" holding 5.
    build();
    ASSERT_EQ(widget->topLevelItemCount(), 1);
    EXPECT_EQ(caption(widget->topLevelItem(0)), QStringLiteral("$$"));
    EXPECT_EQ(indexOf(widget->topLevelItem(0)), 7);
    EXPECT_EQ(children(widget->topLevelItem(0)), (std::vector<int> {5}));

    addRow(9, 0, 0);
    addRow(7, 0, 0, QStringLiteral("Sedm"));
    build();
    EXPECT_EQ(children(nullptr), (std::vector<int> {9, 7}));
    DataTreeItem *seven = item(7);
    EXPECT_EQ(caption(seven), QStringLiteral("Sedm"));
    EXPECT_EQ(children(seven), (std::vector<int> {5}));
    EXPECT_EQ(item(5)->image(), ClosedFolderImage);
}

TEST_F(BuildTreeTest, PlaceholderTakesItsPlaceUnderItsOwnParent)
{
    addRow(3, 2, 1);
    addRow(1, 0, 0);
    addRow(2, 1, 0, QStringLiteral("Dva"));
    build();
    EXPECT_EQ(children(nullptr), (std::vector<int> {1}));
    EXPECT_EQ(children(item(1)), (std::vector<int> {2}));
    EXPECT_EQ(children(item(2)), (std::vector<int> {3}));
    EXPECT_EQ(caption(item(2)), QStringLiteral("Dva"));
}

TEST_F(BuildTreeTest, RowUnderMissingParentStaysUnderPlaceholder)
{
    addRow(1, 9, 1);
    build();
    ASSERT_EQ(widget->topLevelItemCount(), 1);
    EXPECT_EQ(caption(widget->topLevelItem(0)), QStringLiteral("$$"));
    EXPECT_EQ(item(9), widget->topLevelItem(0));
}

TEST_F(BuildTreeTest, HighIndexGrowsNodeTableToThreeThousand)
{
    addRow(2500, 0, 0);
    build();
    EXPECT_EQ(tree->nodes().size(), 3000);
    EXPECT_EQ(indexOf(item(2500)), 2500);
}

TEST_F(BuildTreeTest, BuildReplacesThePreviousTree)
{
    addRow(1, 0, 0);
    build();
    DataTreeItem *old = item(1);
    ASSERT_NE(old, nullptr);
    addRow(2, 0, 1);
    build();
    EXPECT_EQ(widget->topLevelItemCount(), 2);
    EXPECT_EQ(children(nullptr), (std::vector<int> {1, 2}));
}

TEST_F(BuildTreeTest, ReportsProgressOncePerRow)
{
    struct Counting : ProgressSink
    {
        QString text;
        int maximum = -1, steps = 0, hides = 0;
        void showProgress(const QString &t, int m) override { text = t, maximum = m; }
        void stepProgress() override { ++steps; }
        void setProgress(int) override { }
        void hideProgress() override { ++hides; }
    } sink;
    document.setProgressSink(&sink);
    for (int i = 1; i <= 5; ++i)
        addRow(i, 0, 0);
    build();
    document.setProgressSink(nullptr);
    EXPECT_EQ(sink.text, QStringLiteral("Vytvářím strom"));
    EXPECT_EQ(sink.maximum, 5);
    EXPECT_EQ(sink.steps, 5);
    EXPECT_EQ(sink.hides, 1);
}

TEST_F(BuildTreeTest, FindItemByIndexSearchesCollapsedBranchesDepthFirst)
{
    addRow(1, 0, 0);
    addRow(2, 1, 0);
    addRow(3, 2, 1);
    addRow(4, 0, 1);
    build();
    EXPECT_EQ(FindItemByIndex(*widget, 3), item(3));
    EXPECT_EQ(FindItemByIndex(*widget, 4), item(4));
    EXPECT_EQ(FindItemByIndex(*widget, 99), nullptr);
}

// Damaged documents: a cycle of UpLink values or a row under an assessment must neither hang
// nor crash the build, and every row still gets an item.
TEST_F(BuildTreeTest, CyclesOfUpLinksEndAtTheTopLevel)
{
    addRow(1, 2, 0);
    addRow(2, 1, 0);
    addRow(3, 3, 0); // its own parent
    addRow(4, 6, 0);
    addRow(5, 4, 0);
    addRow(6, 5, 0);
    build();
    for (int i = 1; i <= 6; ++i)
        ASSERT_NE(item(i), nullptr) << i;
    EXPECT_EQ(caption(item(3)), QStringLiteral("r3"));
    EXPECT_EQ(item(3)->parent(), nullptr);
    // No item is its own ancestor.
    for (int i = 1; i <= 6; ++i) {
        int depth = 0;
        for (QTreeWidgetItem *p = item(i)->parent(); p; p = p->parent())
            ASSERT_LT(++depth, 10);
    }
}

TEST_F(BuildTreeTest, RowUnderAnAssessmentGoesBelowItOrUnderAPlaceholder)
{
    addRow(1, 0, 1);
    addRow(2, 1, 1); // the assessment's row was read first
    addRow(4, 3, 1); // read before its assessment
    addRow(3, 0, 1);
    build();
    EXPECT_EQ(children(item(1)), (std::vector<int> {2}));
    EXPECT_EQ(children(nullptr), (std::vector<int> {1, 3, 3}));
    EXPECT_EQ(caption(widget->topLevelItem(1)), QStringLiteral("$$"));
    EXPECT_EQ(item(3), widget->topLevelItem(2));
}

// A document with rows 1 … 10, just opened.
class IndexAllocationTest : public TreeFixture
{
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        for (int i = 1; i <= 10; ++i)
            addRow(i, 0, 0);
        document.forgetHighestIndexes();
    }
    void deleteRow(int index)
    {
        ASSERT_TRUE(locateObject(document.objects(), index));
        document.objects().deleteRecord();
    }
};

TEST_F(IndexAllocationTest, NewValuesOnlyGrowOnceTheHighestIsKnown)
{
    EXPECT_EQ(NewObjectRecord(document, NodeType, 0), 11);
    deleteRow(11);
    EXPECT_EQ(NewObjectRecord(document, NodeType, 0), 12);
    EXPECT_EQ(document.cachedHighestObjectIndex, 12);
}

TEST_F(IndexAllocationTest, RowsDeletedBeforeTheFirstScanDoNotCount)
{
    deleteRow(10);
    EXPECT_EQ(NewObjectRecord(document, NodeType, 0), 10);
}

TEST_F(IndexAllocationTest, ScanLeavesTheFilterOffAndUsesSignedComparison)
{
    addRow(-5, 0, 0);
    dbf::Table &objects = document.objects();
    objects.setFilter(QStringLiteral("Type=1"));
    objects.setFiltered(true);
    int cache = -1;
    EXPECT_EQ(HighestIndex(objects, &cache), 10);
    EXPECT_EQ(cache, 10);
    EXPECT_FALSE(objects.isFiltered());
    EXPECT_TRUE(objects.filter().isEmpty());
    cache = 77;
    EXPECT_EQ(HighestIndex(objects, &cache), 77);
}

TEST_F(BuildTreeTest, HighestIndexOfEmptyTableIsZero)
{
    EXPECT_EQ(HighestIndex(document.objects()), 0);
    EXPECT_EQ(HighestWorkerIndex(document), 0);
    EXPECT_EQ(document.cachedHighestWorkerIndex, 0);
}

} // namespace ergotab::tree::test
