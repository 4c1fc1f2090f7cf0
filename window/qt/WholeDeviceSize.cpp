#include "window/qt/WholeDeviceSize.h"

#include <cmath>

namespace {

// Wayland's fractional scales are multiples of 1/120, so within any 120 logical pixels there
// is one whose device size is whole.
constexpr int kLongestPeriod = 120;

bool wholeAt(int logical, double scale)
{
    const double device = logical * scale;
    return std::abs(device - std::round(device)) < 1e-6;
}

int largestWholeLength(int content, int decoration, double scale)
{
    for (int length = content; length > content - kLongestPeriod && length > 0; --length)
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
