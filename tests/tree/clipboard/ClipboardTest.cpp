#include "tests/support/TempDir.h"
#include "tests/tree/TreeFixture.h"

#include "tree/clipboard/ClipboardCommands.h"

#include <QDir>

using namespace ergotab;
using namespace ergotab::tree;
using ergotab::test::TempDir;

namespace {

struct Row
{
    int index, upLink, type;
    bool operator==(const Row &) const = default;
};

std::vector<Row> rowsOf(const QString &tablePath)
{
    dbf::Table table(tablePath);
    table.open();
    std::vector<Row> rows;
    for (table.first(); !table.eof(); table.next())
        rows.push_back({table.fieldInt(QStringLiteral("Index")), table.fieldInt(QStringLiteral("UpLink")),
                        table.fieldInt(QStringLiteral("Type"))});
    return rows;
}

class Clipboard : public tree::test::TreeFixture
{
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        commands = std::make_unique<ClipboardCommands>(*tree, clipboardDir.path());
    }
    void TearDown() override
    {
        commands.reset();
        TreeFixture::TearDown();
    }

    // Node 10 holding assessment 11 and node 12 with assessment 13, in that row order.
    void addExampleSubtree()
    {
        addRow(10, 0, 0, QStringLiteral("Kovárna"));
        dbf::Table &t = document.objects();
        t.append();
        t.setFieldInt(QStringLiteral("Index"), 11);
        t.setFieldInt(QStringLiteral("UpLink"), 10);
        t.setFieldInt(QStringLiteral("Type"), 1);
        t.setFieldText(QStringLiteral("Text"), QStringLiteral("Kovář"));
        t.setFieldInt(QStringLiteral("Fak03"), 4);
        t.setFieldInt(QStringLiteral("Fak08"), 2);
        t.setFieldInt(QStringLiteral("Pracov"), 6);
        t.setFieldInt(QStringLiteral("Zen"), 1);
        t.setFieldText(QStringLiteral("Popis"), QStringLiteral("Ruční kování"));
        t.setFieldText(QStringLiteral("Opatreni"), QStringLiteral("Chrániče sluchu\r\nPitný režim"));
        t.post();
        addRow(12, 10, 0, QStringLiteral("Brusírna"));
        addRow(13, 12, 1, QStringLiteral("Brusič"));
        addLink(1, 11);
        document.setModified(false);
    }

    void select(int index) { tree->select(item(index)); }

    TempDir clipboardDir;
    std::unique_ptr<ClipboardCommands> commands;
};

} // namespace

TEST_F(Clipboard, CopyingANodeWritesItsSubtreeInCopyOrder)
{
    addRow(1, 0, 0);
    addExampleSubtree();
    build();
    select(10);
    commands->Copy1Click();
    EXPECT_EQ(rowsOf(commands->clipboard().tablePath()),
              (std::vector<Row> {{1, 0, 0}, {2, 1, 0}, {3, 2, 1}, {4, 1, 1}}));
    EXPECT_TRUE(commands->ClipboardHasRows());
    EXPECT_FALSE(document.isModified());

    // A single assessment.
    select(13);
    commands->Copy1Click();
    EXPECT_EQ(rowsOf(commands->clipboard().tablePath()), (std::vector<Row> {{1, 0, 1}}));
}

TEST_F(Clipboard, PastingUnderANodeAddsNewRowsAndItemsAndLeavesSelectionAlone)
{
    addExampleSubtree();
    build();
    select(10);
    commands->Copy1Click();

    // Another document: highest Index 40, node 7 at the top with one child already.
    document.newDocument();
    addRow(7, 0, 0, QStringLiteral("Dílny"));
    addRow(8, 7, 1, QStringLiteral("Údržbář"));
    addRow(40, 0, 0, QStringLiteral("Sklad"));
    build();
    select(7);
    int selectionChanges = 0;
    QObject::connect(tree.get(), &DocumentTree::selectionChanged, [&] { ++selectionChanges; });
    const auto linksBefore = linkRows();

    commands->Paste1Click();
    EXPECT_EQ(field(41, QStringLiteral("UpLink")), 7);
    EXPECT_EQ(field(42, QStringLiteral("UpLink")), 41);
    EXPECT_EQ(field(43, QStringLiteral("UpLink")), 42);
    EXPECT_EQ(field(44, QStringLiteral("UpLink")), 41);
    EXPECT_EQ(text(41), QStringLiteral("Kovárna"));
    EXPECT_EQ(text(43), QStringLiteral("Brusič"));
    EXPECT_EQ(text(44), QStringLiteral("Kovář"));
    EXPECT_EQ(field(44, QStringLiteral("Fak03")), 4);
    EXPECT_EQ(field(44, QStringLiteral("Fak08")), 2);
    EXPECT_EQ(field(44, QStringLiteral("Pracov")), 6);
    EXPECT_EQ(field(44, QStringLiteral("Zen")), 1);
    EXPECT_EQ(field(44, QStringLiteral("Type")), 1);
    document.objects().locate(QStringLiteral("Index"), 44);
    EXPECT_EQ(document.objects().fieldText(QStringLiteral("Opatreni")),
              QStringLiteral("Chrániče sluchu\r\nPitný režim"));
    EXPECT_EQ(linkRows(), linksBefore) << "worker links are not copied";

    EXPECT_EQ(children(item(7)), (std::vector<int> {8, 41}));
    EXPECT_EQ(children(item(41)), (std::vector<int> {42, 44}));
    EXPECT_EQ(children(item(42)), (std::vector<int> {43}));
    EXPECT_EQ(item(44)->image(), 2);
    // Overall categories: Kovář's noise 3 reaches the pasted node and the one it went into.
    EXPECT_EQ(item(44)->shownCategory(), 3);
    EXPECT_EQ(item(43)->shownCategory(), 0);
    EXPECT_EQ(item(42)->shownCategory(), 0);
    EXPECT_EQ(item(41)->shownCategory(), 3);
    EXPECT_EQ(item(7)->shownCategory(), 3);
    EXPECT_EQ(item(40)->shownCategory(), 0);
    EXPECT_EQ(tree->selectedItem(), item(7));
    EXPECT_EQ(selectionChanges, 0);
    EXPECT_TRUE(document.isModified());

    // Pasting again makes another copy with new Index values.
    commands->Paste1Click();
    EXPECT_EQ(children(item(7)), (std::vector<int> {8, 41, 45}));
}

TEST_F(Clipboard, PlacementBesideAnAssessmentAndAtTheTopLevel)
{
    addExampleSubtree();
    build();
    select(13);
    commands->Copy1Click(); // one assessment
    select(11);             // an assessment under node 10: the copy goes beside it
    commands->Paste1Click();
    EXPECT_EQ(field(14, QStringLiteral("UpLink")), 10);
    EXPECT_EQ(field(14, QStringLiteral("Type")), 1);
    tree->select(nullptr);
    commands->Paste1Click();
    EXPECT_EQ(field(15, QStringLiteral("UpLink")), 0);
    EXPECT_EQ(children(nullptr), (std::vector<int> {10, 15}));
}

TEST_F(Clipboard, ALibraryShapedSourcePastesWithZeroCountsAndEmptyTexts)
{
    TempDir libraryDir;
    dbf::Table library(libraryDir.file(QStringLiteral("Object.dbf")));
    defineLibraryObjectTable(library);
    library.createTable();
    library.open();
    library.appendRecord({5, 0, 1, QStringLiteral("Vzorové hodnocení"), 1, 2, 4});
    EXPECT_EQ(commands->clipboard().copyFrom(library, 5, nullptr), 1);
    build();
    commands->Paste1Click();
    EXPECT_EQ(field(1, QStringLiteral("Fak03")), 4);
    EXPECT_EQ(field(1, QStringLiteral("Pracov")), 0);
    EXPECT_EQ(text(1), QStringLiteral("Vzorové hodnocení"));
}

TEST_F(Clipboard, ACopyOutlivesTheDocumentAndThePasteGoesIntoAnother)
{
    addExampleSubtree();
    build();
    select(12);
    commands->Copy1Click();
    commands.reset();

    // A later run: the same folder is found again, another document is open.
    Document other;
    other.start();
    QTreeWidget otherWidget;
    DocumentTree otherTree(otherWidget, other);
    otherTree.rebuild();
    ClipboardCommands later(otherTree, clipboardDir.path());
    ASSERT_TRUE(later.ClipboardHasRows());
    later.Paste1Click();
    EXPECT_EQ(other.objects().recordCount(), 2);
    EXPECT_EQ(otherWidget.topLevelItemCount(), 1);
    EXPECT_EQ(otherWidget.topLevelItem(0)->text(0), QStringLiteral("Brusírna"));
    EXPECT_EQ(otherWidget.topLevelItem(0)->child(0)->text(0), QStringLiteral("Brusič"));
    other.shutDown();
}

TEST_F(Clipboard, ADamagedClipboardDisablesPasteAndEndsAPasteWithAMessage)
{
    EXPECT_FALSE(commands->ClipboardHasRows()) << "no table yet";
    TempDir::write(QDir(clipboardDir.path()).filePath(QStringLiteral("Object.dbf")), QByteArray("\x03garbage", 8));
    EXPECT_FALSE(commands->ClipboardHasRows());
    build();
    EXPECT_THROW(commands->Paste1Click(), AppError);
    EXPECT_EQ(document.objects().recordCount(), 0);
    EXPECT_EQ(widget->topLevelItemCount(), 0);

    // Copying a placeholder finds no row: the clipboard is left empty.
    addRow(5, 9, 1);
    build();
    tree->select(widget->topLevelItem(0)); // the "$$" item
    commands->Copy1Click();
    EXPECT_FALSE(commands->ClipboardHasRows());
}

TEST_F(Clipboard, RowsFormingACycleAreCopiedOnce)
{
    addRow(1, 2, 0, QStringLiteral("A"));
    addRow(2, 1, 0, QStringLiteral("B"));
    addRow(3, 1, 1, QStringLiteral("C"));
    EXPECT_EQ(commands->clipboard().copyFrom(document.objects(), 1, nullptr), 3);
    EXPECT_EQ(rowsOf(commands->clipboard().tablePath()), (std::vector<Row> {{1, 0, 0}, {2, 1, 0}, {3, 1, 1}}));
}

TEST(ClipboardFolder, FoundAgainByTheNextRun)
{
    const QString first = SubtreeClipboard::PrepareClipboardFolder();
    const QString second = SubtreeClipboard::PrepareClipboardFolder();
    EXPECT_EQ(first, second);
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith(QStringLiteral("CLP")));
    EXPECT_TRUE(QFileInfo(first).fileName().endsWith(QStringLiteral(".TMP")));
    EXPECT_FALSE(first.endsWith(QLatin1Char('/')));
}
