#include "surface/LineDrawer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

std::int64_t floorDiv(std::int64_t numerator, std::int64_t positiveDivisor)
{
    std::int64_t quotient = numerator / positiveDivisor;
    if (numerator % positiveDivisor < 0)
        --quotient;
    return quotient;
}

} // namespace

LineDrawer::LineDrawer(int width, int height, std::uint32_t background)
    : width_(width)
    , height_(height)
    , areaWidth_(width)
    , areaHeight_(height)
    , pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background)
    , changed_(width, height)
{
}

void LineDrawer::setUp(const Setup& setup)
{
    setup_ = setup;
    startNewChain();
}

PixelRect LineDrawer::takeChangedRect()
{
    // The next line must mark its start again.
    startNewChain();
    return changed_.take();
}

void LineDrawer::fill(std::uint32_t pixel)
{
    std::fill(pixels_.begin(), pixels_.end(), pixel);
    work_meter::add(pixels_.size());
    changed_.markRect({0, 0, width_, height_});
}

void LineDrawer::lineFromScratch(float x1, float y1, float x2, float y2, std::uint32_t pixel)
{
    const PixelPoint from = toPixelSpace(x1, y1);
    const PixelPoint to = toPixelSpace(x2, y2);
    const bool stroked = strokeClipped({from.x, from.y, to.x, to.y}, pixel);
    // Whatever the line did, it leaves the chain end here, in one assignment: its own end
    // where that is lit and marked, else none.
    chainEnd_ = stroked && setup_.penWidth == 1 && isInside(to) ? chainEndAt(x2, y2, to) : ChainEnd{};
}

bool LineDrawer::strokeClipped(PixelSegment segment, std::uint32_t pixel)
{
    if (!std::isfinite(segment.x1) || !std::isfinite(segment.y1) || !std::isfinite(segment.x2)
        || !std::isfinite(segment.y2))
        return false;

    // A wide pen reaches its width beyond its path at most; keep what may still show.
    const double reach = setup_.penWidth;
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

    const int before = (setup_.penWidth - 1) / 2;
    const int left = std::max(std::min(column1, column2) - before, 0);
    const int top = std::max(std::min(row1, row2) - before, 0);
    const int right = std::min(std::max(column1, column2) - before + setup_.penWidth, width_);
    const int bottom = std::min(std::max(row1, row2) - before + setup_.penWidth, height_);
    if (left < right && top < bottom)
        changed_.markRect({left, top, right, bottom});
    return true;
}

// Walks the path one step along the major axis at a time (columns for a flat line, rows for
// a steep one, where Steep swaps the roles) and fills, for each major position, the run of
// minor positions that the pen covers there. The path's minor position at step n is the
// nearest pixel to the exact line, halves rounded towards larger coordinates.
template <bool Steep>
void LineDrawer::strokePath(int majorFrom, int minorFrom, int majorTo, int minorTo,
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
    const int pen = setup_.penWidth;
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
            std::uint32_t* row = pixels_.data() + static_cast<std::ptrdiff_t>(major) * width_;
            std::fill(row + run.low, row + run.high + 1, pixel);
        } else {
            pixels_[static_cast<std::size_t>(run.low) * width_ + major] = pixel;
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
void LineDrawer::fillRowsAcross(int firstColumn, int lastColumn, bool rising, const RunAt& runAt,
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
        std::uint32_t* rowStart = pixels_.data() + static_cast<std::ptrdiff_t>(row) * width_;
        std::fill(rowStart + spanFirst, rowStart + spanLast + 1, pixel);
    }
}
