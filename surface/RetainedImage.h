#pragma once

#include "surface/DrawingSurface.h"
#include "surface/LineDrawer.h"
#include "surface/PixelRect.h"

#include <cstdint>
#include <functional>
#include <utility>

// A drawing surface realised as an image in memory that keeps everything drawn on it.
//
// Pixels are 32-bit 0xFFRRGGBB (opaque), rows top-down, stride() pixels apart: the layout of a
// 32-bit RGB screen image, so a window shows the buffer as it is.
//
// Pixel rule: pixel (i, j) covers the square [i, i + 1) x [j, j + 1) of the area, with
// the area width() x height() pixels wide. A user point lies in the pixel whose square
// contains it; points on the right or bottom edge of the area lie outside it. Line lights
// every pixel of the straight path between the pixels of its two ends, both ends included,
// one pixel per column (or per row, for a steep line), rounded to the nearest pixel.
// A DrawWidth of w > 1 stamps a w x w square along that path, centred on it.
//
// Line clips to the area before stepping, so its cost is bounded by the visible part.
// A line with an infinite or NaN coordinate has no position and draws nothing.
//
// The image keeps the surface's properties and checks every value it is given; its
// LineDrawer holds the pixels and draws.
class RetainedImage final : public DrawingSurface {
public:
    // Called by Refresh with the image and the rectangle of pixels changed since the last
    // presentation (possibly empty). Runs synchronously: the screen is up to date when it
    // returns.
    using Presenter = std::function<void(const RetainedImage& image, const PixelRect& changed)>;

    static constexpr int kLargestSide = 32767;

    // The image starts black, with user coordinates equal to pixels and a pen 1 pixel wide.
    // Throws SurfaceError unless both sides are 1 to kLargestSide pixels.
    RetainedImage(int widthInPixels, int heightInPixels);

    int width() const { return drawer_.width(); }
    int height() const { return drawer_.height(); }
    // Distance between the starts of two rows, in pixels (not bytes).
    int stride() const { return drawer_.width(); }
    const std::uint32_t* pixels() const { return drawer_.pixels(); }
    std::uint32_t pixel(int column, int row) const { return pixels()[row * stride() + column]; }

    // The pixel-space position of a user point: column and row as continuous values.
    using PixelPoint = LineDrawer::PixelPoint;
    PixelPoint toPixelSpace(float userX, float userY) const { return drawer_.toPixelSpace(userX, userY); }

    // The window installs this once; an empty presenter makes Refresh do nothing.
    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    // Returns the rectangle changed since the last presentation and starts a new one, for
    // a window that brings the screen up to date by other means than Refresh.
    PixelRect takeChangedRect();

    // Throws SurfaceError for a non-finite left or top, or a zero or non-finite width or
    // height.
    void SetScaleLeft(float userX) override;
    void SetScaleTop(float userY) override;
    void SetScaleWidth(float userWidth) override;
    void SetScaleHeight(float userHeight) override;
    // Throws SurfaceError for a value outside 0 .. 0xFFFFFF.
    void SetBackColor(RgbColor color) override;
    void Cls() override;
    // Throws SurfaceError for a width below 1.
    void SetDrawWidth(std::int16_t pixels) override;
    // Throws SurfaceError for a colour outside 0 .. 0xFFFFFF.
    void Line(float x1, float y1, float x2, float y2, RgbColor color) override;
    void Refresh() override;

private:
    [[noreturn, gnu::cold, gnu::noinline]] static void throwInvalidLineColor(RgbColor color);
    // Hands the drawer the mapping and pen that the properties now give.
    void setUpDrawer();

    // The properties as they were set; the left and top are widened once rather than for
    // every point mapped.
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    float scaleWidth_;
    float scaleHeight_;
    RgbColor backColor_ = 0;
    int drawWidth_ = 1;

    LineDrawer drawer_;
    Presenter presenter_;
};

inline void RetainedImage::Line(float x1, float y1, float x2, float y2, RgbColor color)
{
    if (!isValidRgbColor(color))
        throwInvalidLineColor(color);
    drawer_.line(x1, y1, x2, y2, toPixel(color));
}
