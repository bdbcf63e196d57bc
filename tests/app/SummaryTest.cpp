// The summary of categories: counts for the document and for a node, and the window over them.
#include "app/TSummaryForm.h"
#include "storage/dbf/Table.h"
#include "storage/document/Document.h"
#include "tree/CategorySummary.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace ergotab;
using tree::HeadCounts;

namespace {

class Summary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.start();
        // Závod > Provoz > Lisování (noise 1 and 3, vibration 4); Závod > Údržba (noise 2);
        // Sklad > Expedice (no category marked).
        node(1, 0, "Závod");
        node(2, 1, "Provoz");
        assessment(3, 2, "Lisování", {{3, 0b0101}, {4, 0b1000}}, 10, 3);
        assessment(4, 1, "Údržba", {{3, 0b0010}}, 5, 5);
        node(5, 0, "Sklad");
        assessment(6, 5, "Expedice", {}, 2, 0);
    }
    void TearDown() override { document.shutDown(); }

    void node(int index, int upLink, const char *name)
    {
        document.objects().appendRecord({index, upLink, 0, QString::fromUtf8(name)});
    }
    void assessment(int index, int upLink, const char *name, std::initializer_list<std::pair<int, int>> masks,
                    int employees, int women)
    {
        dbf::Table &objects = document.objects();
        objects.append();
        objects.setFieldInt(QStringLiteral("Index"), index);
        objects.setFieldInt(QStringLiteral("UpLink"), upLink);
        objects.setFieldInt(QStringLiteral("Type"), 1);
        objects.setFieldText(QStringLiteral("Text"), QString::fromUtf8(name));
        for (const auto &[factor, mask] : masks)
            objects.setFieldInt(factorFieldName(factor), mask);
        objects.setFieldInt(QStringLiteral("Pracov"), employees);
        objects.setFieldInt(QStringLiteral("Zen"), women);
        objects.post();
    }

    Document document;
};

HeadCounts counts(int assessments, qint64 employees, qint64 women)
{
    HeadCounts c;
    c.assessments = assessments;
    c.employees = employees;
    c.women = women;
    return c;
}

} // namespace

TEST_F(Summary, WholeDocumentCountsEachMarkedCategoryAndTheOverallCategory)
{
    const tree::CategorySummary s = tree::summarise(document.objects(), 0);
    EXPECT_EQ(s.total, counts(3, 17, 8));
    EXPECT_EQ(s.byFactor[2][0], counts(1, 10, 3)); // noise 1: Lisování
    EXPECT_EQ(s.byFactor[2][1], counts(1, 5, 5));  // noise 2: Údržba
    EXPECT_EQ(s.byFactor[2][2], counts(1, 10, 3)); // noise 3: Lisování again
    EXPECT_EQ(s.byFactor[3][3], counts(1, 10, 3));
    EXPECT_EQ(s.byFactor[0][0], counts(0, 0, 0));
    EXPECT_EQ(s.byOverall[4], counts(1, 10, 3));
    EXPECT_EQ(s.byOverall[2], counts(1, 5, 5));
    EXPECT_EQ(s.byOverall[0], counts(1, 2, 0)) << "Expedice has no category";
}

TEST_F(Summary, NodeCountsOnlyWhatStandsBelowIt)
{
    EXPECT_EQ(tree::summarise(document.objects(), 1).total, counts(2, 15, 8));
    EXPECT_EQ(tree::summarise(document.objects(), 2).total, counts(1, 10, 3));
    EXPECT_EQ(tree::summarise(document.objects(), 5).byOverall[0], counts(1, 2, 0));
    EXPECT_EQ(tree::summarise(document.objects(), 4).total, counts(1, 5, 5)) << "an assessment alone";
    EXPECT_EQ(tree::summarise(document.objects(), 99).total, counts(0, 0, 0));
}

TEST_F(Summary, DamagedParentChainsEndTheWalk)
{
    node(7, 8, "Smyčka A");
    node(8, 7, "Smyčka B");
    assessment(9, 8, "Ve smyčce", {{1, 1}}, 1, 1);
    node(10, 10, "Sám sobě rodičem");
    EXPECT_EQ(tree::summarise(document.objects(), 7).total, counts(1, 1, 1));
    EXPECT_EQ(tree::summarise(document.objects(), 0).total, counts(3, 17, 8)) << "the loop is not below the top";
}

TEST(CategorySummary, HighestCategoryOfAMaskIgnoresHigherBits)
{
    EXPECT_EQ(tree::highestCategory(0), 0);
    EXPECT_EQ(tree::highestCategory(0b0101), 3);
    EXPECT_EQ(tree::highestCategory(15), 4);
    EXPECT_EQ(tree::highestCategory(16), 0);
}

TEST_F(Summary, WindowShowsTheCountsSwitchesScopeAndCopiesATable)
{
    TSummaryForm form([this](int root) { return tree::summarise(document.objects(), root); }, 1,
                      QStringLiteral("Závod"));
    auto *table = form.findChild<QTableWidget *>(QStringLiteral("SummaryTable"));
    auto *whole = form.findChild<QRadioButton *>(QStringLiteral("WholeDocumentRadio"));
    ASSERT_TRUE(table && whole);
    EXPECT_EQ(form.summary().total, counts(2, 15, 8)) << "the selected node first";
    EXPECT_EQ(table->item(2, 3)->text(), QStringLiteral("1")) << "noise, category 2, assessments";
    EXPECT_EQ(table->item(2, 4)->text(), QStringLiteral("5"));
    whole->setChecked(true);
    EXPECT_EQ(form.summary().total, counts(3, 17, 8));

    form.findChild<QPushButton *>(QStringLiteral("CopyButton"))->click();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + FactorCount + 2);
    for (const QString &line : lines.mid(0, 1 + FactorCount + 1))
        EXPECT_EQ(line.count(QLatin1Char('\t')), CategoryCount * 3) << qPrintable(line);
    EXPECT_TRUE(lines[3].startsWith(factor(3).rowCaption + QStringLiteral("\t1\t10\t3\t1\t5\t5\t1\t10\t3\t0\t0\t0")))
        << qPrintable(lines[3]);
}

TEST_F(Summary, WithoutASelectedNodeOnlyTheWholeDocumentIsOffered)
{
    TSummaryForm form([this](int root) { return tree::summarise(document.objects(), root); }, 0, QString());
    EXPECT_FALSE(form.findChild<QRadioButton *>(QStringLiteral("SelectedNodeRadio"))->isEnabled());
    EXPECT_EQ(form.summary().total, counts(3, 17, 8));
}

TEST_F(Summary, WindowOpensBigEnoughForEveryColumnAndRowAsFarAsTheScreenAllows)
{
    TSummaryForm form([this](int root) { return tree::summarise(document.objects(), root); }, 0, QString());
    form.show();
    auto *table = form.findChild<QTableWidget *>(QStringLiteral("SummaryTable"));
    const QSize limit = form.screen()->availableGeometry().size() * 9 / 10;
    const int lastColumn = table->columnCount() - 1;
    const int lastRow = table->rowCount() - 1;
    const bool allColumns =
        table->columnViewportPosition(lastColumn) + table->columnWidth(lastColumn) <= table->viewport()->width();
    const bool allRows = table->rowViewportPosition(lastRow) + table->rowHeight(lastRow) <= table->viewport()->height();
    EXPECT_TRUE(allColumns || form.width() >= limit.width()) << form.width();
    EXPECT_TRUE(allRows || form.height() >= limit.height()) << form.height();
    EXPECT_LE(form.width(), limit.width());
    EXPECT_LE(form.height(), limit.height());
    EXPECT_EQ(table->verticalHeaderItem(4)->toolTip(), factor(5).rowCaption) << "a caption cut short shows whole";
    // A caption too long for the column ends in "…" and fits; the short ones stay whole.
    const QFontMetrics metrics = table->verticalHeader()->fontMetrics();
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString shown = table->verticalHeaderItem(row)->text();
        const QString whole = table->verticalHeaderItem(row)->toolTip();
        EXPECT_LT(metrics.horizontalAdvance(shown), table->verticalHeader()->width() - 8) << shown.toStdString();
        if (shown != whole) {
            EXPECT_TRUE(shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1))) << shown.toStdString();
        }
    }
    EXPECT_NE(table->verticalHeaderItem(4)->text(), factor(5).rowCaption) << "the longest captions are cut";
}
