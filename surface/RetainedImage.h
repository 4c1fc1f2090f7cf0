#pragma once

#include "surface/ChangedArea.h"
#include "surface/ClipSegment.h"
#include "surface/DrawingSurface.h"
#include "surface/PixelRect.h"
#include "surface/WorkMeter.h"

#include <cstdint>
#include <functional>
#include <limits>
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
    // The two ways a line is drawn: extending the chain of lines before it by a pixel, or
    // from its own two ends. The second is out of line: a drawing seldom takes it, and the
    // pen that Line inlines into stays small.
    bool extendChain(float x2, float y2, std::uint32_t pixel);
    [[gnu::noinline]] void lineFromScratch(float x1, float y1, float x2, float y2, std::uint32_t pixel);
    [[noreturn, gnu::cold, gnu::noinline]] static void throwInvalidLineColor(RgbColor color);
    // Whether the segment had a path to stroke: not when an end is not finite, or when it
    // passes wide of the image.
    bool strokeClipped(PixelSegment segment, std::uint32_t pixel);
    template <bool Steep>
    void strokePath(int majorFrom, int minorFrom, int majorTo, int minorTo, std::uint32_t pixel);
    template <typename RunAt>
    void fillRowsAcross(int firstColumn, int lastColumn, bool rising, const RunAt& runAt, std::uint32_t pixel);
    void updateScaleFactors();
    bool isInside(const PixelPoint& point) const
    {
        return point.x >= 0 && point.x < areaWidth_ && point.y >= 0 && point.y < areaHeight_;
    }

    // The end of the last line, while its pixel is inside the image, lit by a 1-pixel pen
    // and marked changed since the last presentation. Forgotten, its coordinates are NaN,
    // which no start equals. The pixel's index is kept beside its column and row so that
    // the next line need not work it out again.
    struct ChainEnd {
        float x = kForgotten;
        float y = kForgotten;
        int column = 0;
        int row = 0;
        std::size_t index = 0;

        static constexpr float kForgotten = std::numeric_limits<float>::quiet_NaN();
        bool continuesFrom(float userX, float userY) const { return userX == x && userY == y; }
        void forget() { x = kForgotten; }
    };

    int width_;
    int height_;
    // The sides again, as doubles: a line's end is compared with them, and converting the
    // sides for every line of a drawing cost more than keeping them.
    double areaWidth_;
    double areaHeight_;
    std::vector<std::uint32_t> pixels_;

    // The scale's left and top, widened once rather than for every point mapped.
    double originX_ = 0;
    double originY_ = 0;
    float scaleWidth_;
    float scaleHeight_;
    double pixelsPerUserX_ = 1;
    double pixelsPerUserY_ = 1;

    RgbColor backColor_ = 0;
    int drawWidth_ = 1;

    ChangedArea changed_;
    ChainEnd chainEnd_;
    Presenter presenter_;
};

inline RetainedImage::PixelPoint RetainedImage::toPixelSpace(float userX, float userY) const
{
    return {(static_cast<double>(userX) - originX_) * pixelsPerUserX_,
            (static_cast<double>(userY) - originY_) * pixelsPerUserY_};
}

// Most lines a drawing makes are a pixel or two long, lie inside the area and start where
// the line before ended: that end's pixel is known and already marked, so only the new end
// needs mapping. Defined here so that a drawing on a retained image can inline it.
inline void RetainedImage::Line(float x1, float y1, float x2, float y2, RgbColor color)
{
    if (!isValidRgbColor(color))
        throwInvalidLineColor(color);
    const std::uint32_t pixel = toPixel(color);
    if (chainEnd_.continuesFrom(x1, y1) && extendChain(x2, y2, pixel))
        return;
    lineFromScratch(x1, y1, x2, y2, pixel);
}

inline bool RetainedImage::extendChain(float x2, float y2, std::uint32_t pixel)
{
    const PixelPoint to = toPixelSpace(x2, y2);
    if (!isInside(to))
        return false;
    // Inside, the coordinates are non-negative and round down by truncation.
    const int column = static_cast<int>(to.x);
    const int row = static_cast<int>(to.y);
    // Within one column and one row of the last end: the path is just the two end pixels.
    const auto isNeighbour = [](int position, int last) { return static_cast<unsigned>(position - last + 1) <= 2; };
    if (!isNeighbour(column, chainEnd_.column) || !isNeighbour(row, chainEnd_.row))
        return false;
    const std::size_t index = static_cast<std::size_t>(row) * stride() + column;
    pixels_[chainEnd_.index] = pixel;
    pixels_[index] = pixel;
    changed_.markPixel(column, row);
    chainEnd_ = {x2, y2, column, row, index};
    work_meter::add(2);
    return true;
}
