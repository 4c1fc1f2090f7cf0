#include "surface/RetainedImage.h"

#include "surface/ClipSegment.h"
#include "surface/SurfaceError.h"
#include "surface/WorkMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::int64_t floorDiv(std::int64_t numerator, std::int64_t positiveDivisor)
{
    std::int64_t quotient = numerator / positiveDivisor;
    if (numerator % positiveDivisor < 0)
        --quotient;
    return quotient;
}

// As short as the value allows: 0, -2.5, 1e-45, inf, nan.
std::string describe(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

void requireFinite(const char* property, float value)
{
    if (!std::isfinite(value))
        throw SurfaceError(std::string(property) + " must be a finite number, not " + describe(value));
}

void requireFiniteNonZero(const char* property, float value)
{
    if (!std::isfinite(value) || value == 0.0f)
        throw SurfaceError(std::string(property) + " must be a finite number other than 0, not "
                           + describe(value));
}

// Kept out of line so that building the message costs the callers nothing when all is well.
[[noreturn, gnu::cold, gnu::noinline]] void throwInvalidColor(const char* what, RgbColor color)
{
    throw SurfaceError(std::string(what) + " must be an RGB colour value from 0 to "
                       + std::to_string(kLargestRgbColor) + ", not " + std::to_string(color));
}

void requireValidColor(const char* what, RgbColor color)
{
    if (!isValidRgbColor(color))
        throwInvalidColor(what, color);
}

int checkedSide(const char* side, int pixels)
{
    if (pixels < 1 || pixels > RetainedImage::kLargestSide)
        throw SurfaceError(std::string("the ") + side + " of a retained image must be 1 to "
                           + std::to_string(RetainedImage::kLargestSide) + " pixels, not "
                           + std::to_string(pixels));
    return pixels;
}

} // namespace

RetainedImage::RetainedImage(int widthInPixels, int heightInPixels)
    : width_(checkedSide("width", widthInPixels))
    , height_(checkedSide("height", heightInPixels))
    , areaWidth_(width_)
    , areaHeight_(height_)
    , pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), toPixel(Rgb(0, 0, 0)))
    , scaleWidth_(static_cast<float>(width_))
    , scaleHeight_(static_cast<float>(height_))
    , changed_(width_, height_)
{
}

PixelRect RetainedImage::takeChangedRect()
{
    // The next line must mark its start again.
    chainEnd_.forget();
    return changed_.take();
}

void RetainedImage::SetScaleLeft(float userX)
{
    requireFinite("ScaleLeft", userX);
    originX_ = userX;
    chainEnd_.forget();
}

void RetainedImage::SetScaleTop(float userY)
{
    requireFinite("ScaleTop", userY);
    originY_ = userY;
    chainEnd_.forget();
}

void RetainedImage::SetScaleWidth(float userWidth)
{
    requireFiniteNonZero("ScaleWidth", userWidth);
    scaleWidth_ = userWidth;
    updateScaleFactors();
}

void RetainedImage::SetScaleHeight(float userHeight)
{
    requireFiniteNonZero("ScaleHeight", userHeight);
    scaleHeight_ = userHeight;
    updateScaleFactors();
}

void RetainedImage::updateScaleFactors()
{
    chainEnd_.forget();
    pixelsPerUserX_ = width_ / static_cast<double>(scaleWidth_);
    pixelsPerUserY_ = height_ / static_cast<double>(scaleHeight_);
}

void RetainedImage::SetBackColor(RgbColor color)
{
    requireValidColor("BackColor", color);
    backColor_ = color;
}

void RetainedImage::Cls()
{
    std::fill(pixels_.begin(), pixels_.end(), toPixel(backColor_));
    work_meter::add(pixels_.size());
    changed_.markRect({0, 0, width_, height_});
}

void RetainedImage::SetDrawWidth(std::int16_t pixels)
{
    if (pixels < 1)
        throw SurfaceError("DrawWidth must be at least 1 pixel, not " + std::to_string(pixels));
    drawWidth_ = pixels;
    chainEnd_.forget();
}

void RetainedImage::throwInvalidLineColor(RgbColor color)
{
    throwInvalidColor("the colour of a line", color);
}

void RetainedImage::lineFromScratch(float x1, float y1, float x2, float y2, std::uint32_t pixel)
{
    const PixelPoint from = toPixelSpace(x1, y1);
    const PixelPoint to = toPixelSpace(x2, y2);
    const bool stroked = strokeClipped({from.x, from.y, to.x, to.y}, pixel);
    if (stroked && drawWidth_ == 1 && isInside(to)) {
        // The end is lit and marked: a line that starts there can take the short way.
        const int column = static_cast<int>(to.x);
        const int row = static_cast<int>(to.y);
        chainEnd_ = {x2, y2, column, row, static_cast<std::size_t>(row) * stride() + column};
    } else {
        chainEnd_.forget();
    }
}

bool RetainedImage::strokeClipped(PixelSegment segment, std::uint32_t pixel)
{
    if (!std::isfinite(segment.x1) || !std::isfinite(segment.y1) || !std::isfinite(segment.x2)
        || !std::isfinite(segment.y2))
        return false;

    // A wide pen reaches drawWidth_ pixels beyond its path at most; keep what may still show.
    const double reach = drawWidth_;
    if (!clipSegmentToBox(segment, {-reach, -reach, width_ + reach, height_ + reach}))
        return false;

    const int column1 = static_cast<int>(std::floor(segment.x1));
    const int row1 = static_cast<int>(std::floor(segment.y1));
    const int column2 = static_cast<int>(std::floor(segment.x2));
    const int row2 = static_cast<int>(std::floor(segment.y2));

    if (std::abs(column2 - column1) >= std::abs(row2 - row1))
        strokePath<false>(column1, row1, column2, row2, pixel);
    else
        strokePath<true>(row1, column1, row2, column2, pixel);

    const int before = (drawWidth_ - 1) / 2;
    const int left = std::max(std::min(column1, column2) - before, 0);
    const int top = std::max(std::min(row1, row2) - before, 0);
    const int right = std::min(std::max(column1, column2) - before + drawWidth_, width_);
    const int bottom = std::min(std::max(row1, row2) - before + drawWidth_, height_);
    if (left < right && top < bottom)
        changed_.markRect({left, top, right, bottom});
    return true;
}

// Walks the path one step along the major axis at a time (columns for a flat line, rows for
// a steep one, where Steep swaps the roles) and fills, for each major position, the run of
// minor positions that the pen covers there. The path's minor position at step n is the
// nearest pixel to the exact line, halves rounded towards larger coordinates.
template <bool Steep>
void RetainedImage::strokePath(int majorFrom, int minorFrom, int majorTo, int minorTo,
                               std::uint32_t pixel)
{
    if (majorTo < majorFrom) {
        std::swap(majorFrom, majorTo);
        std::swap(minorFrom, minorTo);
    }
    const std::int64_t majorSpan = majorTo - majorFrom;
    const std::int64_t minorSpan = minorTo - minorFrom;
    const auto minorAt = [&](std::int64_t step) {
        if (majorSpan == 0)
            return minorFrom;
        return minorFrom
               + static_cast<int>(floorDiv(2 * step * minorSpan + majorSpan, 2 * majorSpan));
    };

    const int majorLimit = Steep ? height_ : width_;
    const int minorLimit = Steep ? width_ : height_;
    const int pen = drawWidth_;
    const int before = (pen - 1) / 2;

    // The run of minor positions the pen covers at one major position, clamped to the
    // image; low > high where the pen passes beside it.
    struct Run {
        int low;
        int high;
        bool empty() const { return low > high; }
    };
    const auto runAt = [&](int major) {
        // The path steps whose pen squares reach this major position.
        const std::int64_t lowStep = std::max<std::int64_t>(major + before - (pen - 1) - majorFrom, 0);
        const std::int64_t highStep = std::min<std::int64_t>(major + before - majorFrom, majorSpan);
        const int minorA = minorAt(lowStep);
        const int minorB = lowStep == highStep ? minorA : minorAt(highStep);
        return Run{std::max(std::min(minorA, minorB) - before, 0),
                   std::min(std::max(minorA, minorB) - before + pen - 1, minorLimit - 1)};
    };

    const int first = std::max(majorFrom - before, 0);
    const int last = std::min(majorTo - before + pen - 1, majorLimit - 1);
    if constexpr (!Steep) {
        if (pen > 1) {
            fillRowsAcross(first, last, minorSpan < 0, runAt, pixel);
            return;
        }
    }
    for (int major = first; major <= last; ++major) {
        const Run run = runAt(major);
        work_meter::add(1);
        if (run.empty())
            continue;
        work_meter::add(static_cast<std::uint64_t>(run.high - run.low + 1));
        if constexpr (Steep) {
            std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(major) * stride();
            std::fill(row + run.low, row + run.high + 1, pixel);
        } else {
            pixels_[static_cast<std::size_t>(run.low) * stride() + major] = pixel;
        }
    }
}

// A wide pen along a flat path covers a run of rows in each column. Filled column by column,
// every pixel lands in another row, a cache line apart; this fills the same pixels row by
// row instead. The runs move monotonically with the column (downwards, or upwards when
// rising), and neighbouring runs overlap or touch, so the columns covering one row form an
// unbroken span whose ends only move forwards as the rows are visited in the runs'
// direction.
template <typename RunAt>
void RetainedImage::fillRowsAcross(int firstColumn, int lastColumn, bool rising, const RunAt& runAt,
                                   std::uint32_t pixel)
{
    // In "sweep" coordinates the rows are negated for a rising path, so that both ends of
    // every run grow with the column.
    struct SweepRun {
        int from;
        int to;
    };
    const auto sweepRunAt = [&](int column) {
        const auto run = runAt(column);
        return rising ? SweepRun{-run.high, -run.low} : SweepRun{run.low, run.high};
    };
    work_meter::add(static_cast<std::uint64_t>(std::max(lastColumn - firstColumn + 1, 0)));
    while (firstColumn <= lastColumn && runAt(firstColumn).empty())
        ++firstColumn;
    while (lastColumn >= firstColumn && runAt(lastColumn).empty())
        --lastColumn;
    if (firstColumn > lastColumn)
        return;

    int spanFirst = firstColumn;  // the first column whose run reaches the row
    int spanLast = firstColumn;   // the last column whose run has begun by the row
    SweepRun atFirst = sweepRunAt(spanFirst);
    const int lastRow = sweepRunAt(lastColumn).to;
    for (int sweepRow = atFirst.from; sweepRow <= lastRow; ++sweepRow) {
        while (spanLast < lastColumn && sweepRunAt(spanLast + 1).from <= sweepRow)
            ++spanLast;
        while (atFirst.to < sweepRow && spanFirst < spanLast)
            atFirst = sweepRunAt(++spanFirst);
        work_meter::add(static_cast<std::uint64_t>(spanLast - spanFirst + 2));
        const int row = rising ? -sweepRow : sweepRow;
        std::uint32_t* rowStart = pixels_.data() + static_cast<std::ptrdiff_t>(row) * stride();
        std::fill(rowStart + spanFirst, rowStart + spanLast + 1, pixel);
    }
}

void RetainedImage::Refresh()
{
    if (!presenter_)
        return;
    presenter_(*this, takeChangedRect());
}
