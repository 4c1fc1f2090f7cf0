#pragma once

#include "surface/RgbColor.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The colour steps run 0 .. kLastColorStep and then start again: 1793 steps a cycle.
constexpr std::int16_t kLastColorStep = 1792;

// The colour of step v, a whole number from 0 to kLastColorStep: seven bands, cyan to
// white, red to white, yellow to green, green to cyan, cyan to blue, blue to white, white.
constexpr RgbColor RampColor(double v)
{
    const auto step = static_cast<int>(v);
    if (v < 256)
        return Rgb(step, 255, 255);
    if (v < 512)
        return Rgb(255, step - 256, step - 256);
    if (v < 768)
        return Rgb(767 - step, 255, 0);
    if (v < 1024)
        return Rgb(0, 255, step - 768);
    if (v < 1280)
        return Rgb(0, 1279 - step, 255);
    if (v < 1536)
        return Rgb(step - 1280, step - 1280, 255);
    return Rgb(255, 255, 255);
}

// Every step's colour, worked out while compiling: the pen looks a colour up rather than
// running through the bands for each of the 131072 segments of a drawing.
inline constexpr std::array<RgbColor, kLastColorStep + 1> kRampColors = [] {
    std::array<RgbColor, kLastColorStep + 1> colors{};
    for (int step = 0; step <= kLastColorStep; ++step)
        colors[static_cast<std::size_t>(step)] = RampColor(step);
    return colors;
}();
