#pragma once

#include "figure/DrawCommand.h"
#include "surface/RetainedImage.h"

#include <cstring>
#include <memory>

// The figure as the core draws it into an image of the given size: what a window of either
// shell must show, whatever the size its screen gives the picture.
inline std::unique_ptr<RetainedImage> coreFigure(int width, int height)
{
    auto image = std::make_unique<RetainedImage>(width, height);
    MainWindowState state;
    RunDrawCommand(state, *image);
    return image;
}

inline bool samePixels(const RetainedImage& a, const RetainedImage& b)
{
    return a.width() == b.width() && a.height() == b.height()
           && std::memcmp(a.pixels(), b.pixels(), sizeof(std::uint32_t) * a.stride() * a.height()) == 0;
}

inline bool allBlack(const RetainedImage& image)
{
    for (int i = 0; i < image.stride() * image.height(); ++i)
        if (image.pixels()[i] != toPixel(Rgb(0, 0, 0)))
            return false;
    return true;
}
