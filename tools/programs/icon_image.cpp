// Draws the program's icon with the figure's own fold and pen: the pair of dragons, fitted
// to a square. The classic images are reduced to a fixed palette of 2 colours (black and
// white) or the classic 16, on black; the large ones for today's screens keep the ramp's own
// colours on a transparent ground. Writes one image as a binary PPM or PAM, or the
// application icon as a Windows .ico; tools/make-icons turns these into the committed files.
//
//   icon_image SIZE COLOURS > icon.ppm      (COLOURS: 2 or 16)
//   icon_image SIZE rgba > icon.pam         (true colour with alpha)
//   icon_image ico ICON256.png > dragonfold.ico
//       the classic three (32 x 32 in 2 colours, 32 x 32 and 16 x 16 in 16), then 48 x 48 in
//       true colour with alpha, and the 256 x 256 one from ICON256.png, which make-icons has
//       written from "icon_image 256 rgba": Windows keeps its largest icon as a PNG

#include "figure/FoldSegment.h"
#include "figure/Pen.h"
#include "surface/RetainedImage.h"
#include "surface/SetUserScale.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <iostream>
#include <span>
#include <string>
#include <vector>

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

// The index of the palette colour nearest to the pixel.
std::uint8_t nearest(std::uint32_t pixel, Palette palette)
{
    std::uint8_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t index = 0; index < palette.size(); ++index) {
        int distance = 0;
        for (const int shift : {16, 8, 0}) {
            const int difference = channel(pixel, shift) - channel(palette[index], shift);
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint8_t>(index);
        }
    }
    return best;
}

// The figure at an icon's size. Pieces of 8 units are a pixel or less at 32 pixels: few
// enough folds for the curve to read as a shape, and enough segments for the colour ramp to
// run through its bands. Larger icons fold as much finer and draw with a wider pen, so that
// they keep the same look.
RetainedImage drawFigure(int size)
{
    RetainedImage image(size, size);
    // The figure spans x -166 .. 366 around its centre (100, -200); a square a little wider.
    SetUserScale(image, -180, 80, 380, -480);
    image.SetBackColor(Rgb(0, 0, 0));
    image.Cls();
    image.SetDrawWidth(static_cast<std::int16_t>(std::max(1, size / 96)));
    MainWindowState state;
    state.MinLength = 8.0 * 32 / std::max(size, 32);
    MoveTo(state, -100, -200);
    FoldSegment(state, image, 400, 0, 0);
    return image;
}

constexpr std::uint32_t kBlack = toPixel(Rgb(0, 0, 0));

// The icon's picture as palette indices, row by row from the top.
std::vector<std::uint8_t> drawIcon(int size, Palette palette)
{
    const RetainedImage image = drawFigure(size);
    std::vector<std::uint8_t> indices;
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            const std::uint32_t drawn = image.pixel(column, row);
            indices.push_back(drawn == kBlack ? 0 : nearest(drawn, palette));
        }
    return indices;
}

// The icon in the ramp's own colours, opaque where the figure is drawn and transparent
// elsewhere: 0xAARRGGBB, row by row from the top.
std::vector<std::uint32_t> drawTrueColourIcon(int size)
{
    const RetainedImage image = drawFigure(size);
    std::vector<std::uint32_t> pixels;
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            const std::uint32_t drawn = image.pixel(column, row);
            pixels.push_back(drawn == kBlack ? 0u : drawn);
        }
    return pixels;
}

// The true-colour icon as a binary PAM.
std::string pamOf(int size)
{
    std::string pam = "P7\nWIDTH " + std::to_string(size) + "\nHEIGHT " + std::to_string(size)
                      + "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (const std::uint32_t pixel : drawTrueColourIcon(size))
        for (const int shift : {16, 8, 0, 24})
            pam += static_cast<char>(channel(pixel, shift));
    return pam;
}

std::string ppmOf(int size, Palette palette)
{
    std::string ppm = "P6\n" + std::to_string(size) + " " + std::to_string(size) + "\n255\n";
    for (const std::uint8_t index : drawIcon(size, palette))
        for (const int shift : {16, 8, 0})
            ppm += static_cast<char>(channel(palette[index], shift));
    return ppm;
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The header of one icon image as Windows keeps it: a bitmap of twice the height, for the
// picture and the mask beneath it.
std::string iconHeaderOf(int size, int bitsPerPixel, int imageBytes)
{
    std::string image;
    putLittleEndian(image, 40, 4);
    putLittleEndian(image, static_cast<std::uint32_t>(size), 4);
    putLittleEndian(image, static_cast<std::uint32_t>(2 * size), 4);
    putLittleEndian(image, 1, 2);
    putLittleEndian(image, static_cast<std::uint32_t>(bitsPerPixel), 2);
    putLittleEndian(image, 0, 4);  // uncompressed
    putLittleEndian(image, static_cast<std::uint32_t>(imageBytes), 4);
    for (int i = 0; i < 4; ++i)
        putLittleEndian(image, 0, 4);
    return image;
}

// One palette icon image: the header, the palette, the picture bottom-up with rows padded
// to 4 bytes, then the mask, all opaque.
std::string iconImageOf(int size, Palette palette, int bitsPerPixel)
{
    const std::vector<std::uint8_t> indices = drawIcon(size, palette);
    const int pictureRow = (size * bitsPerPixel + 31) / 32 * 4;
    const int maskRow = (size + 31) / 32 * 4;

    std::string image = iconHeaderOf(size, bitsPerPixel, (pictureRow + maskRow) * size);
    for (const std::uint32_t colour : palette)
        putLittleEndian(image, colour, 4);  // blue, green, red, 0: 0x00RRGGBB little-endian

    for (int row = size - 1; row >= 0; --row) {
        std::string bits(static_cast<std::size_t>(pictureRow), '\0');
        for (int column = 0; column < size; ++column) {
            const int bit = column * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            bits[static_cast<std::size_t>(bit / 8)] = static_cast<char>(
                bits[static_cast<std::size_t>(bit / 8)] | (indices[static_cast<std::size_t>(row * size + column)] << shift));
        }
        image += bits;
    }
    image += std::string(static_cast<std::size_t>(maskRow * size), '\0');
    return image;
}

// One true-colour icon image: the header, the picture bottom-up as blue, green, red and
// alpha, then a mask that Windows uses only where it cannot blend the alpha.
std::string trueColourIconImageOf(int size)
{
    const std::vector<std::uint32_t> pixels = drawTrueColourIcon(size);
    const int maskRow = (size + 31) / 32 * 4;
    std::string image = iconHeaderOf(size, 32, (4 * size + maskRow) * size);
    for (int row = size - 1; row >= 0; --row)
        for (int column = 0; column < size; ++column)
            putLittleEndian(image, pixels[static_cast<std::size_t>(row * size + column)], 4);
    for (int row = size - 1; row >= 0; --row) {
        std::string bits(static_cast<std::size_t>(maskRow), '\0');
        for (int column = 0; column < size; ++column)
            if (pixels[static_cast<std::size_t>(row * size + column)] >> 24 == 0)
                bits[static_cast<std::size_t>(column / 8)] =
                    static_cast<char>(bits[static_cast<std::size_t>(column / 8)] | (0x80 >> (column % 8)));
        image += bits;
    }
    return image;
}

// The application icon in one .ico file: the classic three, 48 x 48 in true colour, and the
// 256 x 256 PNG as it is.
std::string icoFile(const std::string& png256)
{
    struct Entry {
        int size;
        int colours;  // 0: true colour
        int bitsPerPixel;
        std::string image;
    };
    const Entry images[] = {
        {32, 2, 1, iconImageOf(32, kTwoColours, 1)},
        {32, 16, 4, iconImageOf(32, kSixteenColours, 4)},
        {16, 16, 4, iconImageOf(16, kSixteenColours, 4)},
        {48, 0, 32, trueColourIconImageOf(48)},
        {256, 0, 32, png256},
    };

    std::string directory;
    putLittleEndian(directory, 0, 2);
    putLittleEndian(directory, 1, 2);  // an icon, not a cursor
    putLittleEndian(directory, std::size(images), 2);
    std::string data;
    std::uint32_t offset = 6 + 16 * std::size(images);
    for (const Entry& entry : images) {
        // A side of 256 is written as 0, a byte's 256th value.
        putLittleEndian(directory, static_cast<std::uint32_t>(entry.size % 256), 1);
        putLittleEndian(directory, static_cast<std::uint32_t>(entry.size % 256), 1);
        putLittleEndian(directory, static_cast<std::uint32_t>(entry.colours), 1);
        putLittleEndian(directory, 0, 1);
        putLittleEndian(directory, 1, 2);
        putLittleEndian(directory, static_cast<std::uint32_t>(entry.bitsPerPixel), 2);
        putLittleEndian(directory, static_cast<std::uint32_t>(entry.image.size()), 4);
        putLittleEndian(directory, offset, 4);
        offset += static_cast<std::uint32_t>(entry.image.size());
        data += entry.image;
    }
    return directory + data;
}

std::string fileContents(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv)
{
    std::string output;
    if (argc == 3 && std::string(argv[1]) == "ico") {
        try {
            output = icoFile(fileContents(argv[2]));
        } catch (const std::exception& failure) {
            std::cerr << "icon_image: " << failure.what() << '\n';
            return 1;
        }
    } else if (argc == 3 && std::string(argv[2]) == "rgba") {
        output = pamOf(std::stoi(argv[1]));
    } else if (argc == 3 && (std::string(argv[2]) == "2" || std::string(argv[2]) == "16")) {
        output = ppmOf(std::stoi(argv[1]), std::string(argv[2]) == "2" ? Palette(kTwoColours) : Palette(kSixteenColours));
    } else {
        std::cerr << "usage: icon_image SIZE 2|16 > icon.ppm\n       icon_image SIZE rgba > icon.pam\n"
                     "       icon_image ico ICON256.png > icon.ico\n";
        return 2;
    }
    std::fwrite(output.data(), 1, output.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
