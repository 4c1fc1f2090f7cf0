#pragma once

#include <cstdint>

// A colour as the figure and its surface exchange it: red + 256·green + 65536·blue, each
// channel 0 to 255, so a valid value lies in 0 .. 0xFFFFFF (red in the lowest byte).
using RgbColor = std::int32_t;

constexpr RgbColor kLargestRgbColor = 0xFFFFFF;

// Channels must each be 0 to 255.
constexpr RgbColor Rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

constexpr bool isValidRgbColor(RgbColor color)
{
    return color >= 0 && color <= kLargestRgbColor;
}

// The retained image stores 0xFFRRGGBB, red in the third byte and an opaque alpha in the
// top one: the layout that 32-bit screen images show as is, and that a compositor reading
// the top byte as alpha shows opaque.
// For a valid colour: 0x00BBGGRR moved up a byte and reversed is 0x00RRGGBB, one
// instruction each.
constexpr std::uint32_t toPixel(RgbColor color)
{
    return 0xFF000000u | __builtin_bswap32(static_cast<std::uint32_t>(color) << 8);
}
