#pragma once

#include <array>
#include <string_view>

// The font of every caption and field, in every shell.

// Faces that have every glyph of the captions and fit their 17-pixel labels, best first:
// Windows' own Japanese UI faces, then the free ones Linux distributions ship. A shell takes
// the first that is installed.
constexpr std::array<std::string_view, 8> kCaptionFaces{
    "Yu Gothic UI", "Meiryo UI", "MS UI Gothic", "IPAexGothic", "IPAGothic", "IPAPGothic", "VL Gothic",
    "Noto Sans CJK JP"};

// 9 points at 96 DPI: the size the control rectangles were laid out for, so it scales with
// them.
constexpr int kCaptionPixelsAt96Dpi = 12;
