#pragma once

#include <algorithm>

// A rectangle of whole pixels, half-open: columns left .. right - 1, rows top .. bottom - 1.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr PixelRect unitedWith(const PixelRect& other) const
    {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return other;
        return {std::min(left, other.left), std::min(top, other.top),
                std::max(right, other.right), std::max(bottom, other.bottom)};
    }

    constexpr bool operator==(const PixelRect&) const = default;
};
