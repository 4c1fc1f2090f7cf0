#include "WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Run with two device pixels per window pixel (QT_SCALE_FACTOR=2).
TEST(Form1OnADenseScreen, DrawsOneDevicePixelWideIntoAnImageTwiceAsLarge)
{
    const auto window = shownForm1();
    ASSERT_EQ(window->devicePixelRatioF(), 2.0);
    PictureBox& box = picture(*window);
    EXPECT_EQ(box.size(), QSize(577, 417));
    EXPECT_EQ(box.surface().width(), 1154);
    EXPECT_EQ(box.surface().height(), 834);

    click(*window, "Command1");
    const auto expected = coreFigure(1154, 834);
    EXPECT_TRUE(samePixels(box.surface(), *expected));
    const QImage shown = grabbed(box);
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_TRUE(showsImage(shown, *expected));
}

} // namespace
