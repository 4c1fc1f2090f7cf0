// Draws the program's icon with the figure's own fold and pen: the pair of dragons, fitted
// to a square and reduced to a fixed palette of 2 colours (black and white) or the classic
// 16. Writes a binary PPM; tools/make-icons turns these into the committed icon files.
//
//   icon_image SIZE COLOURS > icon.ppm      (COLOURS: 2 or 16)

#include "figure/FoldSegment.h"
#include "figure/Pen.h"
#include "surface/RetainedImage.h"
#include "surface/SetUserScale.h"

#include <array>
#include <cstdio>
#include <iostream>
#include <span>
#include <string>

namespace {

using Palette = std::span<const std::uint32_t>;

constexpr std::array<std::uint32_t, 2> kTwoColours{0x000000, 0xFFFFFF};
constexpr std::array<std::uint32_t, 16> kSixteenColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

int channel(std::uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

std::uint32_t nearest(std::uint32_t pixel, Palette palette)
{
    std::uint32_t best = palette[0];
    int bestDistance = 1 << 30;
    for (const std::uint32_t candidate : palette) {
        int distance = 0;
        for (const int shift : {16, 8, 0}) {
            const int difference = channel(pixel, shift) - channel(candidate, shift);
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

// Pieces of 8 units, a pixel or less at these sizes: few enough folds for the curve to read
// as a shape, and enough segments for the colour ramp to run through its bands.
constexpr double kIconMinLength = 8;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::string(argv[2]) != "2" && std::string(argv[2]) != "16")) {
        std::cerr << "usage: icon_image SIZE 2|16 > icon.ppm\n";
        return 2;
    }
    const int size = std::stoi(argv[1]);
    const Palette palette = std::string(argv[2]) == "2" ? Palette(kTwoColours) : Palette(kSixteenColours);

    RetainedImage image(size, size);
    // The figure spans x -166 .. 366 around its centre (100, -200); a square a little wider.
    SetUserScale(image, -180, 80, 380, -480);
    image.SetBackColor(Rgb(0, 0, 0));
    image.Cls();
    MainWindowState state;
    state.MinLength = kIconMinLength;
    MoveTo(state, -100, -200);
    FoldSegment(state, image, 400, 0, 0);

    std::string ppm = "P6\n" + std::to_string(size) + " " + std::to_string(size) + "\n255\n";
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            const std::uint32_t drawn = image.pixel(column, row);
            const std::uint32_t pixel = drawn == 0 ? 0 : nearest(drawn, palette);
            for (const int shift : {16, 8, 0})
                ppm += static_cast<char>(channel(pixel, shift));
        }
    std::fwrite(ppm.data(), 1, ppm.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
