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
