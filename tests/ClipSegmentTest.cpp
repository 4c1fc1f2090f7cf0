#include "surface/ClipSegment.h"

#include <gtest/gtest.h>

namespace {

constexpr ClipBox kBox{0, 0, 100, 50};

TEST(ClipSegment, LeavesASegmentInsideAsItIs)
{
    PixelSegment segment{1, 2, 99, 50};
    ASSERT_TRUE(clipSegmentToBox(segment, kBox));
    EXPECT_EQ(segment.x1, 1);
    EXPECT_EQ(segment.y1, 2);
    EXPECT_EQ(segment.x2, 99);
    EXPECT_EQ(segment.y2, 50);
}

TEST(ClipSegment, CutsAtTheEdgesKeepingTheDirectionOfAVeryLongSegment)
{
    // From (10, 10) towards a point 1e30 away along the slope 1/4, and the same backwards.
    for (bool reversed : {false, true}) {
        PixelSegment segment{10, 10, 4e30, 1e30};
        if (reversed)
            segment = {4e30, 1e30, 10, 10};
        ASSERT_TRUE(clipSegmentToBox(segment, kBox));
        const double farX = reversed ? segment.x1 : segment.x2;
        const double farY = reversed ? segment.y1 : segment.y2;
        EXPECT_EQ(farX, 100);
        EXPECT_NEAR(farY, 10 + 90.0 / 4, 1e-9);
    }
}

TEST(ClipSegment, CutsASegmentThatCrossesTheWholeBox)
{
    PixelSegment segment{-50, 25, 150, 25};
    ASSERT_TRUE(clipSegmentToBox(segment, kBox));
    EXPECT_EQ(segment.x1, 0);
    EXPECT_EQ(segment.x2, 100);
    EXPECT_EQ(segment.y1, 25);
    EXPECT_EQ(segment.y2, 25);
}

TEST(ClipSegment, RejectsSegmentsThatMissTheBox)
{
    PixelSegment above{-10, -5, 200, -1};
    EXPECT_FALSE(clipSegmentToBox(above, kBox));
    // Passes outside the top-right corner, with each end beside a different edge.
    PixelSegment pastTheCorner{90, -20, 130, 20};
    EXPECT_FALSE(clipSegmentToBox(pastTheCorner, kBox));
    PixelSegment farApart{-1e300, -1e300, 1e300, -1e299};
    EXPECT_FALSE(clipSegmentToBox(farApart, kBox));
}

} // namespace
