#include "figure/DrawCommand.h"
#include "figure/RampColor.h"
#include "surface/RetainedImage.h"
#include "ForwardingSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

namespace {

// The drawing area of the main window at 96 DPI.
constexpr int kAreaWidth = 577;
constexpr int kAreaHeight = 417;

std::uint64_t fnv1a(const RetainedImage& image)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column) {
            const std::uint32_t pixel = image.pixel(column, row);
            for (int byte = 0; byte < 4; ++byte) {
                hash ^= (pixel >> (8 * byte)) & 0xFFu;
                hash *= 1099511628211ull;
            }
        }
    return hash;
}

constexpr std::uint32_t kBlack = toPixel(Rgb(0, 0, 0));

int litPixels(const RetainedImage& image)
{
    int lit = 0;
    for (int i = 0; i < image.height() * image.stride(); ++i)
        lit += image.pixels()[i] != kBlack;
    return lit;
}

TEST(FigureImage, TheWholeFigureGivesItsKnownImage)
{
    RetainedImage image(kAreaWidth, kAreaHeight);
    MainWindowState state;
    RunDrawCommand(state, image);

    EXPECT_EQ(fnv1a(image), 13527779366265766298ull);
    EXPECT_EQ(litPixels(image), 45136);
    // Seen only as a drawing surface, the image is drawn the way any surface is, not the
    // way the draw command takes for a retained image.
    RetainedImage throughTheInterface(kAreaWidth, kAreaHeight);
    ForwardingSurface surface(throughTheInterface);
    RunDrawCommand(state, surface);
    EXPECT_EQ(fnv1a(throughTheInterface), fnv1a(image));

    // Every lit pixel has a colour of the ramp and lies inside the figure's bounding box,
    // x -166.40625 .. 366.40625 and y -332.8125 .. -67.1875 in user units.
    std::set<std::uint32_t> ramp;
    for (int step = 0; step <= kLastColorStep; ++step)
        ramp.insert(toPixel(RampColor(step)));
    const auto left = image.toPixelSpace(-166.40625f, -67.1875f);
    const auto right = image.toPixelSpace(366.40625f, -332.8125f);
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column) {
            const std::uint32_t pixel = image.pixel(column, row);
            if (pixel == kBlack)
                continue;
            ASSERT_TRUE(ramp.contains(pixel)) << column << ", " << row;
            ASSERT_GE(column, static_cast<int>(left.x));
            ASSERT_LE(column, static_cast<int>(right.x));
            ASSERT_GE(row, static_cast<int>(left.y));
            ASSERT_LE(row, static_cast<int>(right.y));
        }
    // The first segment starts at (-100, -200), in cyan; the last ends at (300, -200).
    const auto start = image.toPixelSpace(-100, -200);
    EXPECT_NE(image.pixel(static_cast<int>(start.x), static_cast<int>(start.y)), kBlack);
    const auto end = image.toPixelSpace(299.9f, -200);
    EXPECT_EQ(image.pixel(static_cast<int>(end.x), static_cast<int>(end.y)), toPixel(RampColor(182)));
}

TEST(FigureImage, PresentsInStagesAndASecondDrawingLeavesTheSameImage)
{
    RetainedImage image(kAreaWidth, kAreaHeight);
    std::vector<PixelRect> presented;
    std::vector<std::uint64_t> presentedImages;
    image.setPresenter([&](const RetainedImage& shown, const PixelRect& changed) {
        presented.push_back(changed);
        if (presented.size() == 73)
            presentedImages.push_back(fnv1a(shown));
    });
    MainWindowState state;
    RunDrawCommand(state, image);
    const std::uint64_t first = fnv1a(image);
    const PixelRect afterLastRefresh = image.takeChangedRect();

    ASSERT_EQ(presented.size(), 73u);
    // The first presentation carries the clearing of the whole area; later ones only the
    // 1793 segments since the one before, a small part of the area.
    EXPECT_EQ(presented[0], (PixelRect{0, 0, kAreaWidth, kAreaHeight}));
    for (std::size_t i = 1; i < presented.size(); ++i) {
        EXPECT_FALSE(presented[i].isEmpty());
        EXPECT_LT(presented[i].width() * presented[i].height(), kAreaWidth * kAreaHeight / 4) << i;
    }
    // The last 183 segments are left for the window to show when the drawing ends.
    EXPECT_FALSE(afterLastRefresh.isEmpty());
    EXPECT_NE(presentedImages[0], first);

    RunDrawCommand(state, image);
    EXPECT_EQ(fnv1a(image), first);
    EXPECT_EQ(presented.size(), 146u);
}

} // namespace
