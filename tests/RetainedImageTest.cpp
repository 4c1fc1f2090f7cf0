#include "surface/RetainedImage.h"
#include "surface/SetUserScale.h"
#include "surface/SurfaceError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr RgbColor kRed = Rgb(255, 0, 0);
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The image as rows of text: '.' for black, '#' for any other colour.
std::vector<std::string> picture(const RetainedImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += image.pixel(x, y) == toPixel(Rgb(0, 0, 0)) ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

// A 6 x 4 image with user coordinates equal to pixels, one line drawn in red.
std::vector<std::string> lineOnSmallImage(float x1, float y1, float x2, float y2, int drawWidth = 1)
{
    RetainedImage image(6, 4);
    image.SetDrawWidth(static_cast<std::int16_t>(drawWidth));
    image.Line(x1, y1, x2, y2, kRed);
    return picture(image);
}

using Rows = std::vector<std::string>;

TEST(RetainedImage, StartsBlackWithRowsTopDownAndTheStrideOfAWholeRow)
{
    const RetainedImage image(577, 417);
    EXPECT_EQ(image.width(), 577);
    EXPECT_EQ(image.height(), 417);
    EXPECT_EQ(image.stride(), 577);
    for (int i = 0; i < 577 * 417; ++i)
        ASSERT_EQ(image.pixels()[i], 0xFF000000u);
}

TEST(RetainedImage, StoresColoursOpaqueWithRedGreenBlueBelowTheAlphaByte)
{
    RetainedImage image(3, 1);
    image.Line(0.5f, 0.5f, 0.5f, 0.5f, Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(image.pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(image.pixels()[0], 0xFF123456u);
}

TEST(RetainedImage, LinesCoverBothEndPixels)
{
    EXPECT_EQ(lineOnSmallImage(1.5f, 2.5f, 4.5f, 2.5f), (Rows{"......", "......", ".####.", "......"}));
    EXPECT_EQ(lineOnSmallImage(5.9f, 0.0f, 5.0f, 3.99f), (Rows{".....#", ".....#", ".....#", ".....#"}));
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, 3.5f, 3.5f), (Rows{"#.....", ".#....", "..#...", "...#.."}));
    // A line that starts and ends in one pixel still lights it.
    EXPECT_EQ(lineOnSmallImage(2.1f, 1.2f, 2.8f, 1.9f), (Rows{"......", "..#...", "......", "......"}));
    EXPECT_EQ(lineOnSmallImage(3, 3, 3, 3), (Rows{"......", "......", "......", "...#.."}));
}

TEST(RetainedImage, ShallowLinesStepToTheNearestPixelWhicheverWayTheyRun)
{
    const Rows expected{"#.....", ".##...", "...##.", "......"};
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, 4.5f, 2.5f), expected);
    EXPECT_EQ(lineOnSmallImage(4.5f, 2.5f, 0.5f, 0.5f), expected);
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, 2.5f, 3.5f), (Rows{"#.....", ".#....", ".#....", "..#..."}));
}

TEST(RetainedImage, LinesOverwriteWhatLiesBeneath)
{
    RetainedImage image(4, 1);
    image.Line(0, 0, 3, 0, kRed);
    image.Line(1, 0, 2, 0, Rgb(0, 0, 1));
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(1, 0), 0xFF000001u);
    EXPECT_EQ(image.pixel(2, 0), 0xFF000001u);
    EXPECT_EQ(image.pixel(3, 0), 0xFFFF0000u);
    // A line from where the last one ended repaints their shared pixel too.
    image.Line(2, 0, 3, 0, Rgb(0, 1, 0));
    EXPECT_EQ(image.pixel(1, 0), 0xFF000001u);
    EXPECT_EQ(image.pixel(2, 0), 0xFF000100u);
    EXPECT_EQ(image.pixel(3, 0), 0xFF000100u);
}

// Lines that each start where the last ended take a shorter way than lines drawn alone; a
// new scale or pen width must reach them all the same.
TEST(RetainedImage, LinesFromTheLastEndFollowChangesOfScaleAndPen)
{
    RetainedImage image(6, 4);
    image.Line(0.5f, 0.5f, 1.5f, 0.5f, kRed);
    image.SetScaleLeft(-1);  // every user point now lies a pixel further right
    image.Line(1.5f, 0.5f, 1.5f, 1.5f, kRed);
    EXPECT_EQ(picture(image), (Rows{"###...", "..#...", "......", "......"}));
    image.SetScaleTop(-1);
    image.Line(1.5f, 1.5f, 2.5f, 1.5f, kRed);
    EXPECT_EQ(picture(image), (Rows{"###...", "..#...", "..##..", "......"}));
    image.SetDrawWidth(3);
    image.Line(2.5f, 1.5f, 2.5f, 1.5f, kRed);
    EXPECT_EQ(picture(image), (Rows{"###...", "..###.", "..###.", "..###."}));
}

TEST(RetainedImage, UserScaleMapsCornersAndCentre)
{
    RetainedImage image(577, 417);
    SetUserScale(image, -200, 10, 410, -400);
    const auto expectAt = [&](float x, float y, double column, double row) {
        const auto point = image.toPixelSpace(x, y);
        EXPECT_DOUBLE_EQ(point.x, column) << x << ", " << y;
        EXPECT_DOUBLE_EQ(point.y, row) << x << ", " << y;
    };
    expectAt(-200, 10, 0, 0);
    expectAt(410, -400, 577, 417);
    expectAt(105, -195, 288.5, 208.5);
    expectAt(-200, -400, 0, 417);

    // The top-left user corner lies in the first pixel; the bottom-right corner is the
    // area's far edge, so the last pixel is the one just inside it.
    image.Line(-200, 10, -200, 10, kRed);
    image.Line(409.9f, -399.9f, 409.9f, -399.9f, kRed);
    image.Line(410, -400, 410, -400, Rgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(576, 416), 0xFFFF0000u);
}

TEST(RetainedImage, ClipsLinesToTheArea)
{
    EXPECT_EQ(lineOnSmallImage(-5, 2.5f, 3.5f, 2.5f), (Rows{"......", "......", "####..", "......"}));
    EXPECT_EQ(lineOnSmallImage(-1e30f, 1.5f, 1e30f, 1.5f), (Rows{"......", "######", "......", "......"}));
    EXPECT_EQ(lineOnSmallImage(2.5f, -1e30f, 2.5f, 1e30f), (Rows{"..#...", "..#...", "..#...", "..#..."}));
    // From inside to a point very far away, the visible part keeps its direction.
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, 1e30f, 1e30f), (Rows{"#.....", ".#....", "..#...", "...#.."}));
    EXPECT_EQ(lineOnSmallImage(1e30f, 1e30f, 0.5f, 0.5f), (Rows{"#.....", ".#....", "..#...", "...#.."}));
    EXPECT_EQ(lineOnSmallImage(-1e30f, -1e30f, 3.5f, 3.5f), (Rows{"#.....", ".#....", "..#...", "...#.."}));
}

TEST(RetainedImage, LinesOutsideOrWithoutAPositionDrawNothing)
{
    const Rows blank{"......", "......", "......", "......"};
    EXPECT_EQ(lineOnSmallImage(-3, -1, 10, -2), blank);
    EXPECT_EQ(lineOnSmallImage(6, 0, 6, 3.9f), blank);  // the right edge is outside
    EXPECT_EQ(lineOnSmallImage(-10, 3, 3, 10), blank);   // passes the bottom-left corner
    EXPECT_EQ(lineOnSmallImage(1e30f, 1e30f, -1e30f, 1e30f), blank);
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, kInf, 0.5f), blank);
    EXPECT_EQ(lineOnSmallImage(-kInf, -kInf, kInf, kInf), blank);
    EXPECT_EQ(lineOnSmallImage(kNaN, 0.5f, 2, 2), blank);
    EXPECT_EQ(lineOnSmallImage(1, 1, 2, kNaN), blank);

    RetainedImage image(6, 4);
    image.Line(-3, -1, 10, -2, kRed);
    image.Line(kNaN, kNaN, kNaN, kNaN, kRed);
    EXPECT_TRUE(image.takeChangedRect().isEmpty());
}

TEST(RetainedImage, WidePensStampASquareAlongThePath)
{
    EXPECT_EQ(lineOnSmallImage(1.5f, 1.5f, 3.5f, 1.5f, 2), (Rows{"......", ".####.", ".####.", "......"}));
    EXPECT_EQ(lineOnSmallImage(2.5f, 1.5f, 2.5f, 1.5f, 3), (Rows{".###..", ".###..", ".###..", "......"}));
    EXPECT_EQ(lineOnSmallImage(1.5f, 0.5f, 3.5f, 2.5f, 2), (Rows{".##...", ".###..", "..###.", "...##."}));
    // A pen wider than the whole image fills what it reaches and no more.
    EXPECT_EQ(lineOnSmallImage(0.5f, 0.5f, 0.5f, 0.5f, 32767), (Rows{"######", "######", "######", "######"}));
    // A wide pen that passes beside the area, steep or flat, reaches nothing.
    EXPECT_EQ(lineOnSmallImage(-2.5f, 0.5f, -2.5f, 3.5f, 3), (Rows{"......", "......", "......", "......"}));
    EXPECT_EQ(lineOnSmallImage(0.5f, 6.5f, 5.5f, 6.5f, 3), (Rows{"......", "......", "......", "......"}));
    // Just outside the area, a wide pen still reaches in.
    EXPECT_EQ(lineOnSmallImage(-0.5f, -0.5f, 7, -0.5f, 3), (Rows{"######", "......", "......", "......"}));
}

// The pen's rule written out plainly: a pen w pixels wide stamps a w x w square on every
// pixel of the path, whose minor position at step n rounds to the nearest pixel, halves
// towards larger coordinates. Lines of every direction and width near and across the area
// must light exactly those pixels, whichever way the image fills them.
TEST(RetainedImage, WidePensLightExactlyTheSquaresStampedAlongThePath)
{
    constexpr int kWidth = 23;
    constexpr int kHeight = 17;
    std::uint32_t seed = 2024;
    const auto below = [&](int limit) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(limit));
    };
    for (int trial = 0; trial < 3000; ++trial) {
        const int pen = 1 + below(9);
        const int ends[4] = {below(kWidth + 2 * pen) - pen, below(kHeight + 2 * pen) - pen,
                             below(kWidth + 2 * pen) - pen, below(kHeight + 2 * pen) - pen};
        RetainedImage image(kWidth, kHeight);
        image.SetDrawWidth(static_cast<std::int16_t>(pen));
        image.Line(ends[0] + 0.5f, ends[1] + 0.5f, ends[2] + 0.5f, ends[3] + 0.5f, kRed);

        Rows expected(kHeight, std::string(kWidth, '.'));
        const bool steep = std::abs(ends[3] - ends[1]) > std::abs(ends[2] - ends[0]);
        int majorFrom = steep ? ends[1] : ends[0], minorFrom = steep ? ends[0] : ends[1];
        int majorTo = steep ? ends[3] : ends[2], minorTo = steep ? ends[2] : ends[3];
        if (majorTo < majorFrom) {
            std::swap(majorFrom, majorTo);
            std::swap(minorFrom, minorTo);
        }
        const int span = majorTo - majorFrom;
        for (int step = 0; step <= span; ++step) {
            const int minor = span == 0 ? minorFrom
                                        : minorFrom + static_cast<int>(std::floor(
                                              (2.0 * step * (minorTo - minorFrom) + span) / (2.0 * span)));
            const int column = (steep ? minor : majorFrom + step) - (pen - 1) / 2;
            const int row = (steep ? majorFrom + step : minor) - (pen - 1) / 2;
            for (int y = std::max(row, 0); y < std::min(row + pen, kHeight); ++y)
                for (int x = std::max(column, 0); x < std::min(column + pen, kWidth); ++x)
                    expected[y][x] = '#';
        }
        ASSERT_EQ(picture(image), expected) << "pen " << pen << " from (" << ends[0] << ", " << ends[1]
                                            << ") to (" << ends[2] << ", " << ends[3] << ")";
    }
}

TEST(RetainedImage, ClsFillsEverythingWithTheBackColour)
{
    RetainedImage image(5, 3);
    image.Line(0, 0, 4, 2, kRed);
    image.SetBackColor(Rgb(0, 0, 255));
    image.Cls();
    for (int i = 0; i < 15; ++i)
        ASSERT_EQ(image.pixels()[i], 0xFF0000FFu);
    image.SetBackColor(Rgb(0, 0, 0));
    image.Cls();
    EXPECT_EQ(picture(image), (Rows{".....", ".....", "....."}));
}

TEST(RetainedImage, ReportsInvalidSettingsAsFailures)
{
    RetainedImage image(8, 8);
    EXPECT_THROW(image.SetDrawWidth(0), SurfaceError);
    EXPECT_THROW(image.SetDrawWidth(-3), SurfaceError);
    EXPECT_THROW(image.SetScaleWidth(0), SurfaceError);
    EXPECT_THROW(image.SetScaleWidth(-0.0f), SurfaceError);
    EXPECT_THROW(image.SetScaleHeight(kNaN), SurfaceError);
    EXPECT_THROW(image.SetScaleHeight(-kInf), SurfaceError);
    EXPECT_THROW(image.SetScaleLeft(kInf), SurfaceError);
    EXPECT_THROW(image.SetScaleTop(kNaN), SurfaceError);
    EXPECT_THROW(image.SetBackColor(-1), SurfaceError);
    EXPECT_THROW(image.Line(0, 0, 1, 1, 0x1000000), SurfaceError);
    EXPECT_THROW(RetainedImage(0, 5), SurfaceError);
    EXPECT_THROW(RetainedImage(5, -1), SurfaceError);
    EXPECT_THROW(RetainedImage(RetainedImage::kLargestSide + 1, 1), SurfaceError);

    const auto messageOf = [](auto operation) -> std::string {
        try {
            operation();
        } catch (const SurfaceError& error) {
            return error.what();
        }
        return "no failure";
    };
    EXPECT_EQ(messageOf([&] { image.SetDrawWidth(0); }), "DrawWidth must be at least 1 pixel, not 0");
    EXPECT_EQ(messageOf([&] { image.SetScaleWidth(0); }), "ScaleWidth must be a finite number other than 0, not 0");
    EXPECT_EQ(messageOf([&] { image.SetScaleTop(kNaN); }), "ScaleTop must be a finite number, not nan");
    EXPECT_EQ(messageOf([&] { image.Line(0, 0, 1, 1, -2); }),
              "the colour of a line must be an RGB colour value from 0 to 16777215, not -2");
    // A rejected setting leaves the surface as it was.
    image.Line(0.5f, 0.5f, 2.5f, 0.5f, kRed);
    EXPECT_EQ(image.pixel(2, 0), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(2, 1), 0xFF000000u);
}

TEST(RetainedImage, TinyButValidScalesStayFinite)
{
    RetainedImage image(4, 4);
    image.SetScaleWidth(std::numeric_limits<float>::denorm_min());
    image.SetScaleHeight(-std::numeric_limits<float>::denorm_min());
    image.Line(0, 0, std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(), kRed);
    EXPECT_EQ(picture(image), (Rows{"#...", ".#..", "..#.", "...#"}));
}

TEST(RetainedImage, RefreshPresentsWhatChangedSinceTheLastPresentation)
{
    RetainedImage image(20, 10);
    std::vector<PixelRect> presented;
    const RetainedImage* presentedImage = nullptr;

    image.Line(3.5f, 2.5f, 6.5f, 4.5f, kRed);
    image.Refresh();  // no presenter yet: nothing happens and nothing is forgotten
    image.setPresenter([&](const RetainedImage& shown, const PixelRect& changed) {
        presentedImage = &shown;
        presented.push_back(changed);
    });
    image.Line(10.5f, 8.5f, 10.5f, 8.5f, kRed);
    image.Refresh();
    image.Refresh();
    image.SetDrawWidth(3);
    image.Line(0.5f, 0.5f, 0.5f, 0.5f, kRed);
    image.Refresh();
    image.Cls();
    image.Refresh();

    EXPECT_EQ(presentedImage, &image);
    EXPECT_EQ(presented, (std::vector<PixelRect>{{3, 2, 11, 9}, {}, {0, 0, 2, 2}, {0, 0, 20, 10}}));
    EXPECT_TRUE(image.takeChangedRect().isEmpty());
    image.Line(1, 1, 1, 1, kRed);
    EXPECT_EQ(image.takeChangedRect(), (PixelRect{0, 0, 3, 3}));
    EXPECT_TRUE(image.takeChangedRect().isEmpty());

    // A line from the last end repaints that end's pixel, so it is presented again.
    image.SetDrawWidth(1);
    image.Line(4.5f, 4.5f, 5.5f, 4.5f, kRed);
    EXPECT_EQ(image.takeChangedRect(), (PixelRect{4, 4, 6, 5}));
    image.Line(5.5f, 4.5f, 6.5f, 5.5f, Rgb(0, 0, 255));
    EXPECT_EQ(image.takeChangedRect(), (PixelRect{5, 4, 7, 6}));

    // A line from a start that is not finite draws nothing, so a line on from its end must
    // light and mark that end's pixel itself.
    image.Line(std::numeric_limits<float>::quiet_NaN(), 0, 8.5f, 1.5f, kRed);
    image.Line(8.5f, 1.5f, 8.5f, 2.5f, kRed);
    EXPECT_EQ(image.takeChangedRect(), (PixelRect{8, 1, 9, 3}));
}

} // namespace
