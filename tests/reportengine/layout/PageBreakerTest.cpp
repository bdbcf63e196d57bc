#include "reportengine/layout/PageBreaker.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using Action = PageBreaker::Action;

namespace {

PageBreaker::Geometry area(int columns = 1)
{
    PageBreaker::Geometry g;
    g.left = 10;
    g.top = 10;
    g.bottom = 50;
    g.columns = columns;
    g.columnWidth = 40;
    g.columnGap = 5;
    return g;
}

} // namespace

TEST(PageBreaker, DecidesBetweenPlacingBreakingAndSplitting)
{
    struct Case
    {
        double headers; // placed before markAreaStart()
        double used;    // placed after it
        double height;
        bool canSplit;
        Action action;
        double splitAt;
        bool forced;
    };
    const Case cases[] = {
        {0, 0, 10, false, Action::Place, 0, false},
        {0, 35, 5, false, Action::Place, 0, false},           // fills the area exactly
        {0, 35, 5.001, false, Action::Break, 0, false},       // a hair too tall
        {0, 35, 5.001, true, Action::Split, 5, false},        // split where the area ends
        {0, 38, 10, true, Action::Break, 0, false},           // 2 mm left: not worth a piece
        {0, 0, 100, false, Action::Split, 40, true},          // can never fit: forced split
        {0, 0, 100, true, Action::Split, 40, true},           //
        {15, 0, 100, false, Action::Split, 25, true},         // below repeated headers
        {15, 0.0000001, 100, false, Action::Split, 25, true}, // rounding is not "something placed"
        {15, 1, 100, false, Action::Break, 0, false},         // something placed: try a fresh page
    };
    for (const Case &c : cases) {
        PageBreaker b(area());
        b.place(c.headers);
        b.markAreaStart();
        b.place(c.used);
        const auto plan = b.plan(c.height, c.canSplit);
        EXPECT_EQ(plan.action, c.action) << c.headers << " " << c.used << " " << c.height;
        if (plan.action == Action::Split) {
            EXPECT_NEAR(plan.splitAt, c.splitAt, 1e-5) << c.headers << " " << c.used << " " << c.height;
            EXPECT_EQ(plan.forced, c.forced) << c.headers << " " << c.used << " " << c.height;
        }
    }
}

TEST(PageBreaker, ColumnsFillLeftToRightFromTheColumnsTop)
{
    PageBreaker b(area(3));
    b.place(5); // page header above the columns
    b.markColumnsTop();
    b.markAreaStart();
    EXPECT_DOUBLE_EQ(b.columnX(), 10);
    b.place(30);
    ASSERT_TRUE(b.nextColumn());
    EXPECT_EQ(b.column(), 1);
    EXPECT_DOUBLE_EQ(b.columnX(), 55);
    EXPECT_DOUBLE_EQ(b.y(), 15);
    EXPECT_TRUE(b.atAreaStart());
    ASSERT_TRUE(b.nextColumn());
    EXPECT_DOUBLE_EQ(b.columnX(), 100);
    EXPECT_FALSE(b.nextColumn()); // a new page is needed
    b.startPage();
    EXPECT_EQ(b.column(), 0);
    EXPECT_DOUBLE_EQ(b.y(), 10);
}

// The loop every caller runs: whatever the heights, it ends, and the pieces add up.
TEST(PageBreaker, AnyBandEndsAfterAsManyPiecesAsPagesItFills)
{
    for (const double height : {0.0, 1.0, 39.999, 40.0, 40.001, 123.4, 1000.0}) {
        for (const bool canSplit : {false, true}) {
            PageBreaker b(area());
            b.place(20); // half a page already used
            double left = height;
            int pages = 1;
            int steps = 0;
            while (steps++ < 1000) {
                const auto plan = b.plan(left, canSplit);
                if (plan.action == Action::Place) {
                    b.place(left);
                    break;
                }
                if (plan.action == Action::Split) {
                    b.place(plan.splitAt);
                    left -= plan.splitAt;
                }
                b.startPage();
                ++pages;
            }
            ASSERT_LT(steps, 1000) << height;
            EXPECT_LE(pages, 2 + static_cast<int>(height / 40)) << height << " " << canSplit;
        }
    }
}
