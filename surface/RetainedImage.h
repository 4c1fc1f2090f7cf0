#pragma once

#include "surface/ChangedArea.h"
#include "surface/ClipSegment.h"
#include "surface/DrawingSurface.h"
#include "surface/PixelRect.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

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

    int width() const { return width_; }
    int height() const { return height_; }
    // Distance between the starts of two rows, in pixels (not bytes).
    int stride() const { return width_; }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    std::uint32_t pixel(int column, int row) const { return pixels_[row * stride() + column]; }

    // The pixel-space position of a user point: column and row as continuous values.
    struct PixelPoint {
        double x;
        double y;
    };
    PixelPoint toPixelSpace(float userX, float userY) const;

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
    // Out of line, so that the short lines that make up a drawing take a path with no
    // stack frame of its own.
    [[gnu::noinline]] void strokeClipped(PixelSegment segment, std::uint32_t pixel);
    template <bool Steep>
    void strokePath(int majorFrom, int minorFrom, int majorTo, int minorTo, std::uint32_t pixel);
    template <typename RunAt>
    void fillRowsAcross(int firstColumn, int lastColumn, bool rising, const RunAt& runAt, std::uint32_t pixel);
    void updateScaleFactors();

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;

    float scaleLeft_ = 0;
    float scaleTop_ = 0;
    float scaleWidth_;
    float scaleHeight_;
    double pixelsPerUserX_ = 1;
    double pixelsPerUserY_ = 1;

    RgbColor backColor_ = 0;
    int drawWidth_ = 1;

    ChangedArea changed_;
    Presenter presenter_;
};
