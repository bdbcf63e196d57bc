#include "PanelFixture.h"

#include "storage/document/FactorCatalogue.h"
#include "tree/CategoryMarks.h"
#include "tree/ItemMover.h"
#include "tree/OverallCategory.h"
#include "tree/OverallCategoryView.h"
#include "tree/RecordEditor.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>

namespace ergotab::tree::test {

TEST(OverallCategoryRule, HighestCategoryOfAnyFactorWithEveryFactorReachingIt)
{
    FactorMasks masks {};
    EXPECT_EQ(overallCategory(masks), (OverallCategory {0, 0}));
    masks[0] = 0b0011;  // dust: 1 and 2 marked, 2 counts
    masks[2] = 0b0100;  // noise: 3
    masks[3] = 0b0101;  // vibration: 1 and 3
    masks[12] = 0b0010; // pressure: 2
    const OverallCategory overall = overallCategory(masks);
    EXPECT_EQ(overall.category, 3);
    EXPECT_EQ(overall.factorBits, (1 << 2) | (1 << 3));
    EXPECT_EQ(factorNames(overall.factorBits), QStringLiteral("Hluk, Vibrace"));
    // Bits above the fourth category mean nothing.
    masks = {};
    masks[5] = 0b110000;
    EXPECT_EQ(overallCategory(masks).category, 0);
    masks[10] = 0b1000;
    EXPECT_EQ(overallCategory(masks), (OverallCategory {4, 1 << 10}));
}

TEST(OverallCategoryRule, MarksCarryTheDigitOnColoursOfFallingLightness)
{
    int previous = 256;
    for (int category = 1; category <= 4; ++category) {
        const int lightness = categoryColour(category).lightness();
        EXPECT_LT(lightness, previous) << category;
        previous = lightness;
        // The digit stands out from its background in every colour.
        EXPECT_GT(std::abs(categoryDigitColour(category).lightness() - lightness), 90) << category;
        EXPECT_FALSE(categoryMark(category, false).isNull());
        EXPECT_FALSE(categoryMark(category, true).isNull());
    }
    EXPECT_TRUE(categoryMark(0, false).isNull());
    // The digit is drawn: the mark holds pixels of the digit's colour.
    const QImage mark = categoryMarkPixmap(4, false, 16).toImage();
    int digitPixels = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x)
            digitPixels += QColor(mark.pixel(x, y)).lightness() > 200 ? 1 : 0;
    EXPECT_GT(digitPixels, 5);
}

class OverallCategoryTest : public PanelFixture
{
protected:
    // Závod (1) › Dílna (2) › Svářeč (3: noise 2) and Brusič (4: dust 3, vibration 3);
    // Závod › Sklad (5) › Skladník (6: physical load 1); Kancelář (7) empty at the top.
    void SetUp() override
    {
        PanelFixture::SetUp();
        addRow(1, 0, 0, QStringLiteral("Závod"));
        addRow(2, 1, 0, QStringLiteral("Dílna"));
        addAssessment(3, 2, QStringLiteral("Svářeč"), {{3, 0b0010}});
        addAssessment(4, 2, QStringLiteral("Brusič"), {{1, 0b0100}, {4, 0b0110}, {3, 0b0001}});
        addRow(5, 1, 0, QStringLiteral("Sklad"));
        addAssessment(6, 5, QStringLiteral("Skladník"), {{6, 0b0001}});
        addRow(7, 0, 0, QStringLiteral("Kancelář"));
        build();
    }
    void addAssessment(int index, int upLink, const QString &name, std::initializer_list<std::pair<int, int>> masks)
    {
        addRow(index, upLink, 1, name);
        dbf::Table &t = document.objects();
        ASSERT_TRUE(t.locate(QStringLiteral("Index"), index));
        t.edit();
        for (const auto &[factor, mask] : masks)
            t.setFieldInt(factorFieldName(factor), mask);
        t.post();
        document.setModified(false);
    }
    // The shown category of each Index in turn.
    std::vector<int> shown(std::initializer_list<int> indexes)
    {
        std::vector<int> result;
        for (int index : indexes)
            result.push_back(item(index) ? item(index)->shownCategory() : -1);
        return result;
    }
    QString toolTip(int index) { return item(index)->data(DataTreeItem::CategoryColumn, Qt::ToolTipRole).toString(); }
    OverallCategoryView *view() { return panel->editor().controls().OverallCategory; }
};

TEST_F(OverallCategoryTest, TreeShowsEachAssessmentsCategoryAndTheHighestBelowEachNode)
{
    EXPECT_EQ(shown({1, 2, 3, 4, 5, 6, 7}), (std::vector<int> {3, 3, 2, 3, 1, 1, 0}));
    EXPECT_EQ(treeWidget->columnCount(), 2);
    EXPECT_EQ(toolTip(4), QStringLiteral("Celková kategorie 3 (Prach, Vibrace)"));
    EXPECT_EQ(toolTip(2), QStringLiteral("Nejvyšší kategorie pod uzlem: 3"));
    EXPECT_EQ(toolTip(7), QStringLiteral("Pod uzlem není žádná kategorie"));
    EXPECT_FALSE(item(3)->data(DataTreeItem::CategoryColumn, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(item(7)->data(DataTreeItem::CategoryColumn, Qt::DecorationRole).isValid());
    // The name column keeps its own tool-tip, the path.
    EXPECT_TRUE(item(4)->data(0, Qt::ToolTipRole).toString().contains(QStringLiteral("Dílna")));
}

TEST_F(OverallCategoryTest, EditorShowsTheCategoryOfTheBoxesAsTickedAndTheTreeFollowsOnStore)
{
    select(4);
    EXPECT_EQ(view()->category(), (OverallCategory {3, 0b1001}));
    EXPECT_EQ(view()->text(), QStringLiteral("Prach, Vibrace"));
    box(1, 3)->click();
    box(4, 3)->click();
    // Vibration still marks 2, as does nothing else yet: 2 by vibration alone.
    EXPECT_EQ(view()->category(), (OverallCategory {2, 0b1000}));
    EXPECT_EQ(shown({4, 2, 1}), (std::vector<int> {3, 3, 3})) << "nothing changes before Uložit";
    store->click();
    EXPECT_EQ(shown({4, 2, 1}), (std::vector<int> {2, 2, 2}));

    box(11, 4)->setEnabled(true); // offered or not, the rule reads the stored bit
    box(11, 4)->click();
    EXPECT_EQ(view()->category().category, 4);
    store->click();
    EXPECT_EQ(shown({4, 2, 1, 5}), (std::vector<int> {4, 4, 4, 1}));
    EXPECT_EQ(toolTip(4), QStringLiteral("Celková kategorie 4 (Zraková zátěž)"));

    // Cancelling puts the view back to the stored boxes.
    box(11, 4)->click();
    EXPECT_EQ(view()->category().category, 2);
    cancel->click();
    EXPECT_EQ(view()->category().category, 4);
}

TEST_F(OverallCategoryTest, MovesAndDeletionsKeepEveryNodeRight)
{
    ItemMover &mover = panel->commands().mover();
    // Brusič (3) into Kancelář: Dílna falls to 2, Kancelář rises to 3, Závod stays 3.
    mover.DataTreeNTDragDrop(item(4), item(7));
    EXPECT_EQ(shown({2, 1, 7}), (std::vector<int> {2, 2, 3}));
    // Dílna with Svářeč into Sklad: Sklad 2, Závod 2.
    mover.DataTreeNTDragDrop(item(2), item(5));
    EXPECT_EQ(shown({5, 1}), (std::vector<int> {2, 2}));

    answers = {true};
    select(3);
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(shown({2, 5, 1, 7}), (std::vector<int> {0, 1, 1, 3}));
    answers = {true};
    select(7);
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(shown({5, 1}), (std::vector<int> {1, 1}));
    answers = {true};
    select(6);
    panel->commands().DeleteSpeedButtonClick();
    EXPECT_EQ(shown({5, 1}), (std::vector<int> {0, 0}));
}

TEST_F(OverallCategoryTest, AssessmentsAddedByTheWizardOrLibraryAndNewEmptyOnes)
{
    select(7);
    FactorMasks masks {};
    masks[7] = 0b0100;
    const int added = panel->editing().addAssessment(QStringLiteral("Kovář"), masks);
    EXPECT_EQ(shown({added, 7}), (std::vector<int> {3, 3}));
    // An empty assessment beside it changes nothing.
    panel->commands().AddKatSpeedButtonClick();
    cancel->click();
    EXPECT_EQ(shown({7}), (std::vector<int> {3}));
    // Opening again (a rebuild) gives the same.
    build();
    EXPECT_EQ(shown({added, 7, 1}), (std::vector<int> {3, 3, 3}));
}

} // namespace ergotab::tree::test
