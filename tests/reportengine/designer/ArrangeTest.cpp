#include "reportengine/designer/core/Arrange.h"

#include <gtest/gtest.h>

using namespace ergotab::report::designer;

TEST(Arrange, AlignsToTheFirstRectangle)
{
    const std::vector<QRectF> rects {QRectF(10, 10, 20, 4), QRectF(3, 30, 6, 8), QRectF(50, 2, 40, 2)};
    const auto right = aligned(rects, Alignment::Right);
    EXPECT_EQ(right[1], QRectF(24, 30, 6, 8));
    EXPECT_EQ(right[2], QRectF(-10, 2, 40, 2)); // may leave the band: the author moves it back
    const auto middle = aligned(rects, Alignment::VerticalCentre);
    EXPECT_EQ(middle[1].center().y(), 12);
    EXPECT_EQ(middle[2].center().y(), 12);
    EXPECT_EQ(aligned(rects, Alignment::Left)[2].left(), 10);
    EXPECT_EQ(aligned(rects, Alignment::Bottom)[1].bottom(), 14);
    EXPECT_EQ(sameWidth(rects)[2], QRectF(50, 2, 20, 2));
    EXPECT_EQ(sameHeight(rects)[1], QRectF(3, 30, 6, 4));
}

TEST(Arrange, DistributeLeavesTheOutermostAndEvensTheGapsWhateverTheSelectionOrder)
{
    // Chosen right to left; widths differ.
    const std::vector<QRectF> rects {QRectF(100, 0, 10, 5), QRectF(0, 0, 20, 5), QRectF(30, 0, 5, 5),
                                     QRectF(31, 9, 15, 5)};
    const auto out = distributed(rects, Direction::Horizontal);
    EXPECT_EQ(out[0], rects[0]);
    EXPECT_EQ(out[1], rects[1]);
    // 110 wide span, 50 occupied, three gaps of 20.
    EXPECT_DOUBLE_EQ(out[2].left(), 40);
    EXPECT_DOUBLE_EQ(out[3].left(), 65);
    EXPECT_EQ(out[3].top(), 9);
    // Two objects have nothing between them to move.
    const std::vector<QRectF> two {QRectF(0, 0, 1, 1), QRectF(5, 5, 1, 1)};
    EXPECT_EQ(distributed(two, Direction::Vertical), two);
}

TEST(Arrange, SnapsToTheGrid)
{
    EXPECT_DOUBLE_EQ(snapped(7.4, 2.5), 7.5);
    EXPECT_DOUBLE_EQ(snapped(-1.2, 1), -1);
    EXPECT_DOUBLE_EQ(snapped(3.3, 0), 3.3);
}

TEST(Arrange, AHandleMovesOnlyItsEdgesAndStopsAtTheOppositeOne)
{
    const QRectF r(10, 20, 30, 10);
    EXPECT_EQ(draggedByHandle(r, Handle::BottomRight, QPointF(5, -2)), QRectF(10, 20, 35, 8));
    EXPECT_EQ(draggedByHandle(r, Handle::Top, QPointF(50, 4)), QRectF(10, 24, 30, 6)); // x of a side handle ignored
    EXPECT_EQ(draggedByHandle(r, Handle::Left, QPointF(-4, 0)), QRectF(6, 20, 34, 10));
    EXPECT_EQ(draggedByHandle(r, Handle::TopLeft, QPointF(100, 100)), QRectF(40, 30, 0, 0));
    EXPECT_EQ(handlePoint(r, Handle::BottomLeft), QPointF(10, 30));
    EXPECT_EQ(handlePoint(r, Handle::Right), QPointF(40, 25));
    EXPECT_EQ(boundingBox({QRectF(10, 20, 5, 5), QRectF(0, 30, 40, 0)}), QRectF(0, 20, 40, 10));
    EXPECT_TRUE(boundingBox({}).isNull());
}

TEST(Arrange, ASelectionScaledAsOneKeepsPlacesAndSizesInProportion)
{
    // Two columns side by side and a line under them, 100 × 20 in all, made twice as wide and
    // half as high from the top left.
    const std::vector<QRectF> rects {QRectF(0, 0, 40, 10), QRectF(40, 0, 60, 10), QRectF(0, 20, 100, 0)};
    const QRectF from = boundingBox(rects);
    const auto out = scaledInto(rects, from, QRectF(10, 5, 200, 10));
    EXPECT_EQ(out[0], QRectF(10, 5, 80, 5));
    EXPECT_EQ(out[1], QRectF(90, 5, 120, 5)); // still touching its neighbour
    EXPECT_EQ(out[2], QRectF(10, 15, 200, 0));
    // One object: its rectangle becomes the new box exactly.
    const QRectF odd(1.1, 2.3, 7.7, 0.9);
    EXPECT_EQ(scaledInto({odd}, odd, QRectF(1.1, 2.3, 9.35, 0.9)).front(), QRectF(1.1, 2.3, 9.35, 0.9));
    // Objects in one column (no width to scale): they keep their widths and follow the box.
    const std::vector<QRectF> column {QRectF(5, 0, 0, 10), QRectF(5, 10, 0, 10)};
    const auto moved = scaledInto(column, boundingBox(column), QRectF(8, 0, 0, 40));
    EXPECT_EQ(moved[0], QRectF(8, 0, 0, 20));
    EXPECT_EQ(moved[1], QRectF(8, 20, 0, 20));
}
