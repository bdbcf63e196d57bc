#include "PanelFixture.h"

#include "tree/TreeImages.h"

namespace ergotab::tree::test {

using ContextMenuTest = PanelFixture;

TEST_F(ContextMenuTest, ItemsInTheirOrder)
{
    QStringList names;
    for (QAction *action : panel->contextMenu().menu()->actions())
        names << (action->isSeparator() ? QStringLiteral("-")
                                        : action->objectName() + QLatin1Char(':') + action->text());
    EXPECT_EQ(names.join(QLatin1Char(' ')),
              QStringLiteral("InsertNode1:Přidat uzel InsertData1:Přidat hodnocení InsertWizard1:Přidat průvodcem "
                             "InsertFromLibrary1:Přidat z knihovny - Delete1:Vymazat - Copy1:Kopírovat Paste1:Vložit - "
                             "ExpandAll1:Rozvinout vše CollapseAll1:Zabalit Vše - Sort1:Seřadit SortAll1:Seřadit vše"));
}

TEST_F(ContextMenuTest, EnabledItemsFollowTheSelectionAndTheClipboard)
{
    addRow(1, 0, 0);
    addRow(2, 1, 1);
    build();
    window->show();
    const QPoint onItem = treeWidget->visualItemRect(item(1)).center();
    const QPoint empty(5, treeWidget->viewport()->height() - 5);
    const char *needSelection[] = {"Delete1", "Copy1", "ExpandAll1", "CollapseAll1", "Sort1", "SortAll1"};
    const char *always[] = {"InsertNode1", "InsertData1", "InsertWizard1", "InsertFromLibrary1"};

    panel->contextMenu().PopupMenu1Popup(onItem);
    EXPECT_EQ(treeWidget->currentItem(), item(1));
    EXPECT_EQ(pages->currentWidget(), nodePage);
    for (const char *name : needSelection)
        EXPECT_TRUE(menuItem(name)->isEnabled()) << name;
    EXPECT_FALSE(menuItem("Paste1")->isEnabled());

    bool hasRows = true;
    panel->contextMenu().setClipboardCommands({}, {}, [&] { return hasRows; });
    panel->contextMenu().PopupMenu1Popup(empty);
    EXPECT_EQ(treeWidget->currentItem(), nullptr);
    EXPECT_EQ(pages->currentWidget(), nonePage);
    for (const char *name : needSelection)
        EXPECT_FALSE(menuItem(name)->isEnabled()) << name;
    for (const char *name : always)
        EXPECT_TRUE(menuItem(name)->isEnabled()) << name;
    EXPECT_TRUE(menuItem("Paste1")->isEnabled());

    // With nothing selected the insert items add at the top level.
    menuItem("InsertData1")->trigger();
    EXPECT_EQ(field(3, QStringLiteral("UpLink")), 0);
}

TEST_F(ContextMenuTest, WizardAndLibraryItemsPressTheirButtons)
{
    int wizard = 0, library = 0;
    QObject::connect(buttons[3], &QToolButton::clicked, [&] { ++wizard; });
    QObject::connect(buttons[2], &QToolButton::clicked, [&] { ++library; });
    menuItem("InsertWizard1")->trigger();
    menuItem("InsertFromLibrary1")->trigger();
    EXPECT_EQ(wizard, 1);
    EXPECT_EQ(library, 1);
}

class SortTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        addRow(1, 0, 0, QStringLiteral("zeta"));
        addRow(2, 1, 0, QStringLiteral("b"));
        addRow(3, 1, 1, QStringLiteral("A"));
        addRow(4, 1, 1, QStringLiteral("č"));
        addRow(5, 1, 0, QStringLiteral("c"));
        addRow(6, 2, 1, QStringLiteral("y"));
        addRow(7, 2, 1, QStringLiteral("x"));
        addRow(8, 0, 0, QStringLiteral("Alfa"));
        build();
    }
    QStringList captions(QTreeWidgetItem *parent)
    {
        QStringList result;
        const int n = parent ? parent->childCount() : treeWidget->topLevelItemCount();
        for (int i = 0; i < n; ++i)
            result << (parent ? parent->child(i) : treeWidget->topLevelItem(i))->text(0);
        return result;
    }
};

TEST_F(SortTest, OneLevelInCzechOrder)
{
    select(1);
    menuItem("Sort1")->trigger();
    EXPECT_EQ(captions(item(1)),
              (QStringList {QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("č")}));
    EXPECT_EQ(captions(item(2)), (QStringList {QStringLiteral("y"), QStringLiteral("x")}));
    EXPECT_EQ(captions(nullptr), (QStringList {QStringLiteral("zeta"), QStringLiteral("Alfa")}));
    EXPECT_FALSE(document.isModified());
}

TEST_F(SortTest, AllLevelsAndTheRowsStayAsTheyWere)
{
    select(1);
    item(1)->setExpanded(true);
    menuItem("SortAll1")->trigger();
    EXPECT_EQ(captions(nullptr), (QStringList {QStringLiteral("Alfa"), QStringLiteral("zeta")}));
    EXPECT_EQ(captions(item(2)), (QStringList {QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_TRUE(item(1)->isExpanded());
    EXPECT_EQ(item(1)->image(), OpenFolderImage);
    build();
    EXPECT_EQ(captions(nullptr), (QStringList {QStringLiteral("zeta"), QStringLiteral("Alfa")}));
    EXPECT_FALSE(document.isModified());
}

TEST_F(SortTest, ExpandAllOpensOnlyTheSelectedBranchAndPicturesFollow)
{
    addRow(9, 8, 0);
    addRow(10, 9, 1);
    build();
    select(1);
    menuItem("ExpandAll1")->trigger();
    for (int i : {1, 2})
        EXPECT_TRUE(item(i)->isExpanded()) << i;
    EXPECT_EQ(item(1)->image(), OpenFolderImage);
    EXPECT_EQ(item(5)->image(), ClosedFolderImage); // no children: stays closed
    EXPECT_EQ(item(3)->image(), SheetImage);
    EXPECT_FALSE(item(8)->isExpanded());
    EXPECT_EQ(item(8)->image(), ClosedFolderImage);

    menuItem("CollapseAll1")->trigger();
    EXPECT_FALSE(item(2)->isExpanded());
    EXPECT_EQ(item(1)->image(), ClosedFolderImage);
    EXPECT_EQ(item(2)->image(), ClosedFolderImage);

    item(8)->setExpanded(true); // as a click on the expand button does
    EXPECT_EQ(item(8)->image(), OpenFolderImage);
    item(8)->setExpanded(false);
    EXPECT_EQ(item(8)->image(), ClosedFolderImage);
}

} // namespace ergotab::tree::test
