#pragma once

// A rectangle of whole pixels, half-open: columns left .. right - 1, rows top .. bottom - 1.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr bool operator==(const PixelRect&) const = default;
};
