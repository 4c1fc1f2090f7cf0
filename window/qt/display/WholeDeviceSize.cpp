#include "window/qt/display/WholeDeviceSize.h"

#include <cmath>

namespace {

// Wayland's fractional scales are multiples of 1/120. Those a desktop offers (steps of 1/4,
// 1/5, 1/8, 1/10 or 1/20) repeat a whole device size within 24 logical pixels; a window
// shrunk by 35 would hide the bottom edge of its picture.
constexpr int kLongestShrink = 24;

bool wholeAt(int logical, double scale)
{
    const double device = logical * scale;
    return std::abs(device - std::round(device)) < 1e-6;
}

int largestWholeLength(int content, int decoration, double scale)
{
    for (int length = content; length > content - kLongestShrink && length > 0; --length)
        if (wholeAt(length + decoration, scale))
            return length;
    return content;
}

} // namespace

QSize largestWholeDeviceSize(QSize content, QMargins decoration, double scale)
{
    return {largestWholeLength(content.width(), decoration.left() + decoration.right(), scale),
            largestWholeLength(content.height(), decoration.top() + decoration.bottom(), scale)};
}
