#include "PanelFixture.h"

#include "tree/ItemMover.h"
#include "tree/NodeTable.h"
#include "tree/TreeImages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ergotab::tree::test {

using AddTest = PanelFixture;

TEST_F(AddTest, PlacementRuleUnderNodeBesideAssessmentTopLevelOtherwise)
{
    addRow(4, 0, 0);
    addRow(6, 4, 1);
    build();
    StructureCommands &commands = panel->commands();

    commands.AddNodeSpeedButtonClick(); // nothing selected
    EXPECT_EQ(field(7, QStringLiteral("UpLink")), 0);
    EXPECT_EQ(item(7)->parent(), nullptr);

    select(6);
    commands.AddKatSpeedButtonClick();
    EXPECT_EQ(field(8, QStringLiteral("UpLink")), 4);
    EXPECT_EQ(item(8)->parent(), item(4));

    select(4);
    commands.AddKatSpeedButtonClick();
    EXPECT_EQ(field(9, QStringLiteral("UpLink")), 4);
    EXPECT_EQ(item(4)->child(item(4)->childCount() - 1), item(9));
    EXPECT_EQ(field(9, QStringLiteral("Type")), 1);
}

TEST_F(AddTest, NewItemIsSelectedEmptyAndShownWithoutEditing)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    addRow(1, 0, 0);
    build();
    select(1);
    panel->commands().AddNodeSpeedButtonClick();
    DataTreeItem *added = item(2);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(treeWidget->currentItem(), added);
    EXPECT_TRUE(added->text(0).isEmpty());
    EXPECT_EQ(added->image(), ClosedFolderImage);
    EXPECT_EQ(pages->currentWidget(), nodePage);
    EXPECT_TRUE(find<QLineEdit>("NodeNameEdit")->hasFocus());
    EXPECT_FALSE(store->isEnabled());
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(document.isModified());

    panel->commands().AddKatSpeedButtonClick(); // beside nothing: under node 2
    DataTreeItem *assessment = item(3);
    EXPECT_EQ(assessment->image(), SheetImage);
    EXPECT_EQ(pages->currentWidget(), itemPage);
    EXPECT_EQ(panel->editor().controls().PageControl2->currentWidget(), panel->editor().controls().ItemKatTabSheet);
    EXPECT_TRUE(find<QLineEdit>("KatNameEdit")->hasFocus());
    EXPECT_FALSE(store->isEnabled());
    for (int f = 1; f <= 13; ++f)
        EXPECT_EQ(field(3, QStringLiteral("Fak%1").arg(f, 2, 10, QLatin1Char('0'))), 0);
}

TEST_F(AddTest, AddingPastIndex999GrowsNodeTable)
{
    addRow(999, 0, 0);
    build();
    panel->commands().AddNodeSpeedButtonClick();
    EXPECT_EQ(tree().nodes().size(), 2000);
    EXPECT_EQ(item(1000)->text(0), QString());
    EXPECT_EQ(objectIndexes(), (std::set<int> {999, 1000}));
}

// 1 ⊃ {2 node ⊃ {5 assessment}, 3 assessment}, 4 a separate assessment; workers 7, 8, 9.
class DeleteTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        addRow(1, 0, 0);
        addRow(2, 1, 0);
        addRow(3, 1, 1);
        addRow(4, 0, 1);
        addRow(5, 2, 1);
        for (int w : {7, 8, 9})
            document.workers().appendRecord({w});
        addLink(7, 3);
        addLink(8, 5);
        addLink(9, 4);
        addLink(7, 5);
        document.setModified(false);
        build();
    }
    std::set<std::pair<int, int>> links()
    {
        std::set<std::pair<int, int>> result;
        dbf::Table &t = document.links();
        t.setFiltered(false);
        for (t.first(); !t.eof(); t.next())
            result.insert({t.fieldInt(QStringLiteral("WIndex")), t.fieldInt(QStringLiteral("TIndex"))});
        return result;
    }
    int workerCount() { return document.workers().recordCount(); }
};

TEST_F(DeleteTest, AnsweringNoChangesNothing)
{
    select(1);
    answers = {false};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(asked, QStringList {QStringLiteral("Vymazat|Opravdu vymazat?")});
    EXPECT_EQ(objectIndexes(), (std::set<int> {1, 2, 3, 4, 5}));
    EXPECT_EQ(links().size(), 4u);
    EXPECT_NE(item(1), nullptr);
    EXPECT_FALSE(document.isModified());
}

TEST_F(DeleteTest, NothingSelectedAsksNothing)
{
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(DeleteTest, NodeGoesWithEverythingBelowAndTheirLinksButWorkersStay)
{
    select(1);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(objectIndexes(), (std::set<int> {4}));
    EXPECT_EQ(links(), (std::set<std::pair<int, int>> {{9, 4}}));
    EXPECT_EQ(workerCount(), 3);
    for (int slot : {1, 2, 3, 5})
        EXPECT_EQ(item(slot), nullptr) << slot;
    EXPECT_EQ(treeWidget->topLevelItemCount(), 1);
    EXPECT_TRUE(document.isModified());
    // Packed: the rows are gone from the file, not only marked.
    document.closeTables();
    document.openTables();
    EXPECT_EQ(objectIndexes(), (std::set<int> {4}));
    EXPECT_FALSE(document.objects().isFiltered());
}

TEST_F(DeleteTest, SingleAssessmentTakesOnlyItsOwnLinks)
{
    select(5);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(objectIndexes(), (std::set<int> {1, 2, 3, 4}));
    EXPECT_EQ(links(), (std::set<std::pair<int, int>> {{7, 3}, {9, 4}}));
    EXPECT_EQ(item(2)->childCount(), 0);
    EXPECT_TRUE(document.isModified());
}

TEST_F(DeleteTest, EditorShowsWhatIsSelectedAfterwards)
{
    select(2);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    DataTreeItem *now = tree().selectedItem();
    if (!now) {
        EXPECT_EQ(pages->currentWidget(), nonePage);
    } else {
        EXPECT_EQ(pages->currentWidget(), now->isAssessment() ? itemPage : nodePage);
        EXPECT_TRUE(now->isSelected());
    }
    EXPECT_FALSE(store->isEnabled());
}

TEST_F(DeleteTest, InputArrivingDuringTheDeletionIsSwallowed)
{
    struct Counter : QObject
    {
        int keys = 0, clicks = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            keys += e->type() == QEvent::KeyPress;
            clicks += e->type() == QEvent::MouseButtonPress;
            return false;
        }
    } counter;
    treeWidget->installEventFilter(&counter);
    treeWidget->viewport()->installEventFilter(&counter);
    window->show();
    select(1);
    const QPoint at = treeWidget->visualItemRect(item(4)).center();
    // Pending when the command starts; the deletion lets events run at each level.
    QCoreApplication::postEvent(treeWidget, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
    QCoreApplication::postEvent(treeWidget->viewport(),
                                new QMouseEvent(QEvent::MouseButtonPress, at, treeWidget->viewport()->mapToGlobal(at),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.keys, 0);
    EXPECT_EQ(counter.clicks, 0);
    EXPECT_EQ(objectIndexes(), (std::set<int> {4}));
}

TEST_F(DeleteTest, PlaceholderDeletesNoRowButEmptiesAllItsSlots)
{
    addRow(11, 10, 0);
    addRow(12, 11, 1);
    build();
    DataTreeItem *placeholder = item(10);
    ASSERT_EQ(placeholder->text(0), QStringLiteral("$$"));
    tree().select(placeholder);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(objectIndexes(), (std::set<int> {1, 2, 3, 4, 5, 11, 12}));
    for (int slot : {10, 11, 12})
        EXPECT_EQ(item(slot), nullptr) << slot;
    EXPECT_FALSE(document.isModified());
}

using DamagedDeleteTest = PanelFixture;

TEST_F(DamagedDeleteTest, CycleOfUpLinksIsDeletedOnceRound)
{
    addRow(1, 2, 0);
    addRow(2, 1, 0);
    addRow(3, 2, 1);
    addRow(4, 0, 0);
    build();
    ASSERT_EQ(item(2)->parent(), nullptr);
    select(2);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(objectIndexes(), (std::set<int> {4}));
    EXPECT_EQ(treeWidget->topLevelItemCount(), 1);
}

TEST_F(DamagedDeleteTest, RowsShownUnderAnAssessmentGoWithIt)
{
    addRow(1, 0, 1);
    addRow(2, 1, 0);
    addRow(3, 2, 1);
    addRow(5, 0, 0);
    build();
    ASSERT_EQ(item(2)->parent(), item(1));
    select(1);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(objectIndexes(), (std::set<int> {5}));
    EXPECT_EQ(item(2), nullptr);
    EXPECT_EQ(item(3), nullptr);
}

TEST_F(DamagedDeleteTest, DuplicateIndexUnderTheDeletedNodeDoesNotLoop)
{
    addRow(1, 0, 0);
    addRow(2, 1, 1);
    addRow(2, 1, 1);
    build();
    select(1);
    answers = {true};
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_TRUE(objectIndexes().empty());
}

// 1 ⊃ {2 ⊃ {6}, 5 assessment}, 3 node, 4 assessment at the top.
class MoveTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        addRow(1, 0, 0);
        addRow(2, 1, 0);
        addRow(3, 0, 0);
        addRow(4, 0, 1);
        addRow(5, 1, 1);
        addRow(6, 2, 0);
        build();
    }
    ItemMover &mover() { return panel->commands().mover(); }
};

TEST_F(MoveTest, RefusedOntoItselfItsOwnSubtreeOrNothing)
{
    EXPECT_FALSE(mover().DataTreeNTDragOver(item(2), item(6)));
    EXPECT_FALSE(mover().DataTreeNTDragOver(item(2), item(2)));
    EXPECT_FALSE(mover().DataTreeNTDragOver(item(2), nullptr));
    EXPECT_TRUE(mover().DataTreeNTDragOver(item(2), item(1)));
    EXPECT_TRUE(mover().DataTreeNTDragOver(item(6), item(3)));
    mover().DataTreeNTDragDrop(item(2), item(6));
    EXPECT_EQ(item(2)->parent(), item(1));
    EXPECT_EQ(field(2, QStringLiteral("UpLink")), 1);
    EXPECT_FALSE(document.isModified());
}

TEST_F(MoveTest, OntoAnAssessmentGoesBesideIt)
{
    mover().DataTreeNTDragDrop(item(5), item(4));
    EXPECT_EQ(field(5, QStringLiteral("UpLink")), 0);
    EXPECT_EQ(treeWidget->topLevelItem(treeWidget->topLevelItemCount() - 1), item(5));
    EXPECT_TRUE(document.isModified());
}

TEST_F(MoveTest, OntoANodeGoesInsideWithItsBranch)
{
    tree().select(item(2));
    item(2)->setExpanded(true);
    mover().DataTreeNTDragDrop(item(2), item(3));
    EXPECT_EQ(field(2, QStringLiteral("UpLink")), 3);
    EXPECT_EQ(item(2)->parent(), item(3));
    EXPECT_EQ(item(6)->parent(), item(2));
    EXPECT_EQ(treeWidget->currentItem(), item(2));
    EXPECT_TRUE(item(2)->isExpanded());
    EXPECT_EQ(item(2)->image(), OpenFolderImage);
}

TEST_F(MoveTest, OntoItsOwnParentGoesToTheEndAndPosts)
{
    ASSERT_EQ(item(1)->child(0), item(2));
    mover().DataTreeNTDragDrop(item(2), item(1));
    EXPECT_EQ(field(2, QStringLiteral("UpLink")), 1);
    EXPECT_EQ(item(1)->child(1), item(2));
    EXPECT_TRUE(document.isModified());
}

TEST_F(MoveTest, PlaceholderMovesWithoutChangingRows)
{
    addRow(8, 7, 1);
    build();
    DataTreeItem *placeholder = item(7);
    mover().DataTreeNTDragDrop(placeholder, item(3));
    EXPECT_EQ(placeholder->parent(), item(3));
    EXPECT_EQ(field(8, QStringLiteral("UpLink")), 7);
    EXPECT_FALSE(document.isModified());
}

TEST_F(MoveTest, IsInSubtreeWalksUpThroughTheNodeTable)
{
    EXPECT_TRUE(IsInSubtree(tree().nodes(), 1, 6));
    EXPECT_TRUE(IsInSubtree(tree().nodes(), 6, 6));
    EXPECT_FALSE(IsInSubtree(tree().nodes(), 6, 1));
    EXPECT_FALSE(IsInSubtree(tree().nodes(), 3, 6));
    EXPECT_FALSE(IsInSubtree(tree().nodes(), 1, 99));
}

TEST_F(PanelFixture, IsInSubtreeEndsOnACycleDocument)
{
    addRow(1, 2, 0);
    addRow(2, 1, 0);
    addRow(3, 3, 0);
    build();
    EXPECT_TRUE(IsInSubtree(tree().nodes(), 2, 1));
    EXPECT_FALSE(IsInSubtree(tree().nodes(), 1, 2));
    EXPECT_TRUE(IsInSubtree(tree().nodes(), 3, 3));
    EXPECT_FALSE(IsInSubtree(tree().nodes(), 1, 3));
}

} // namespace ergotab::tree::test
