// Receivers equally spaced along a line, without the input window.

#include <gtest/gtest.h>

#include "model/receiver_spacing.h"

TEST(ReceiverSpacing, PointsOfAWholeStepEndOnTheLinesEnd)
{
    const CEqualSpacingLine line{{0, 0, 1.2}, {10, 0, 1.2}, 5};
    const auto points = EqualSpacingPoints(line);
    EXPECT_EQ(points.size(), std::size_t(3));
    EXPECT_EQ(points[1][0], 5.0);
    EXPECT_EQ(points[2][0], 10.0);
    EXPECT_EQ(EqualSpacingCount(line), points.size());
    const CEqualSpacingLine point{{3, 3, 3}, {3, 3, 3}, 2};  // no length: the point twice
    EXPECT_EQ(EqualSpacingPoints(point).size(), std::size_t(2));
}

TEST(ReceiverSpacing, StepsAlongTheThreeDimensionalLengthAndCountsWithoutMaking)
{
    // L = 5 along (3, 4, 0): t = 0, 0.4, 0.8, then the end.
    const CEqualSpacingLine slanted{{0, 0, 0}, {3, 4, 0}, 2};
    const auto points = EqualSpacingPoints(slanted);
    ASSERT_EQ(points.size(), std::size_t(4));
    EXPECT_NEAR(points[1][0], 1.2, 1e-12);
    EXPECT_NEAR(points[2][1], 3.2, 1e-12);
    EXPECT_EQ(points[3], (Point3{3, 4, 0}));
    EXPECT_TRUE(EqualSpacingPoints({{0, 0, 0}, {10, 0, 0}, -2}).empty());
    // A far too fine spacing is counted, not made, so the window can refuse it.
    EXPECT_GT(EqualSpacingCount({{0, 0, 0}, {1e6, 0, 0}, 0.001}), kMaxEqualSpacingPoints);
}
