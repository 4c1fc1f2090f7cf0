#include "figure/RampColor.h"

#include <gtest/gtest.h>


namespace {

constexpr RgbColor kWhite = Rgb(255, 255, 255);

TEST(RampColor, BandEdgesTakeTheStatedColours)
{
    const struct {
        int step;
        RgbColor color;
    } cases[] = {
        {0, Rgb(0, 255, 255)},     {255, kWhite},
        {256, Rgb(255, 0, 0)},     {511, kWhite},
        {512, Rgb(255, 255, 0)},   {767, Rgb(0, 255, 0)},
        {768, Rgb(0, 255, 0)},     {1023, Rgb(0, 255, 255)},
        {1024, Rgb(0, 255, 255)},  {1279, Rgb(0, 0, 255)},
        {1280, Rgb(0, 0, 255)},    {1535, kWhite},
        {1536, kWhite},            {1792, kWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RampColor(c.step), c.color) << "step " << c.step;
    EXPECT_EQ(RampColor(0), 16776960);
    EXPECT_EQ(RampColor(256), 255);
    EXPECT_EQ(RampColor(1792), 16777215);
}

TEST(RampColor, EveryStepIsAValidColourAnd260AreWhite)
{
    int white = 0;
    for (int step = 0; step <= kLastColorStep; ++step) {
        const RgbColor color = RampColor(step);
        ASSERT_TRUE(isValidRgbColor(color)) << "step " << step;
        white += color == kWhite;
    }
    EXPECT_EQ(white, 260);
}

} // namespace
