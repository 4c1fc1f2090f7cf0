#pragma once

#include "surface/ChangedArea.h"
#include "surface/ClipSegment.h"
#include "surface/PixelRect.h"
#include "surface/WorkMeter.h"

#include <cstdint>
#include <limits>
#include <vector>

// The pixels of a retained image, the lines drawn into them and the area they changed since
// the last presentation. It checks nothing: the image refuses invalid values before they get
// here. Pixel rule and pen as RetainedImage.h describes them.
class LineDrawer {
public:
    // How user points map to pixel space, and the pen: every later line is drawn so.
    struct Setup {
        double originX = 0;  // user x of the left edge
        double originY = 0;  // user y of the top edge
        double pixelsPerUserX = 1;
        double pixelsPerUserY = 1;
        int penWidth = 1;    // pixels, at least 1
    };

    // The pixel-space position of a user point: column and row as continuous values.
    struct PixelPoint {
        double x;
        double y;
    };

    // Sides of at least 1 pixel, filled with background.
    LineDrawer(int width, int height, std::uint32_t background);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint32_t* pixels() const { return pixels_.data(); }
    PixelPoint toPixelSpace(float userX, float userY) const
    {
        return {(static_cast<double>(userX) - setup_.originX) * setup_.pixelsPerUserX,
                (static_cast<double>(userY) - setup_.originY) * setup_.pixelsPerUserY};
    }

    void setUp(const Setup& setup);
    void fill(std::uint32_t pixel);
    void line(float x1, float y1, float x2, float y2, std::uint32_t pixel);
    // The rectangle changed since the last call (possibly empty), and starts a new one.
    PixelRect takeChangedRect();

private:
    // A drawing's lines are short and each starts where the one before ended: that end's
    // pixel is known, lit and marked changed, so the next line need only map and mark its new
    // end. The chain holds while nothing that placed or marked that pixel changes: the
    // mapping, the pen and the changed area each start a new one (startNewChain), and only a
    // line that lit its end with a 1-pixel pen inside the image continues it. Forgotten, the
    // end's coordinates are NaN, which no start equals. The pixel's index is kept beside its
    // column and row so that the next line need not work it out again.
    struct ChainEnd {
        float x = kForgotten;
        float y = kForgotten;
        int column = 0;
        int row = 0;
        std::size_t index = 0;

        static constexpr float kForgotten = std::numeric_limits<float>::quiet_NaN();
        bool continuesFrom(float userX, float userY) const { return userX == x && userY == y; }
    };

    void startNewChain() { chainEnd_ = {}; }
    // The chain end at user point (x, y), whose pixel-space position inside the image is at.
    ChainEnd chainEndAt(float x, float y, const PixelPoint& at) const
    {
        // Inside, the coordinates are non-negative and round down by truncation.
        const int column = static_cast<int>(at.x);
        const int row = static_cast<int>(at.y);
        return {x, y, column, row, static_cast<std::size_t>(row) * width_ + column};
    }
    // The two ways a line is drawn: extending the chain by a pixel, or from its own two ends.
    // The second is out of line: a drawing seldom takes it, and the pen that the line
    // inlines into stays small.
    bool extendChain(float x2, float y2, std::uint32_t pixel);
    [[gnu::noinline]] void lineFromScratch(float x1, float y1, float x2, float y2, std::uint32_t pixel);
    // Whether the segment had a path to stroke: not when an end is not finite, or when it
    // passes wide of the image.
    bool strokeClipped(PixelSegment segment, std::uint32_t pixel);
    template <bool Steep>
    void strokePath(int majorFrom, int minorFrom, int majorTo, int minorTo, std::uint32_t pixel);
    template <typename RunAt>
    void fillRowsAcross(int firstColumn, int lastColumn, bool rising, const RunAt& runAt, std::uint32_t pixel);
    bool isInside(const PixelPoint& point) const
    {
        return point.x >= 0 && point.x < areaWidth_ && point.y >= 0 && point.y < areaHeight_;
    }

    int width_;
    int height_;
    // The sides again, as doubles: a line's end is compared with them, and converting the
    // sides for every line of a drawing cost more than keeping them.
    double areaWidth_;
    double areaHeight_;
    std::vector<std::uint32_t> pixels_;
    Setup setup_;
    ChangedArea changed_;
    ChainEnd chainEnd_;
};

// Most lines a drawing makes are a pixel or two long, lie inside the area and start where the
// line before ended. Defined here so that a drawing on a retained image can inline it.
inline void LineDrawer::line(float x1, float y1, float x2, float y2, std::uint32_t pixel)
{
    if (chainEnd_.continuesFrom(x1, y1) && extendChain(x2, y2, pixel))
        return;
    lineFromScratch(x1, y1, x2, y2, pixel);
}

inline bool LineDrawer::extendChain(float x2, float y2, std::uint32_t pixel)
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
    const std::size_t index = static_cast<std::size_t>(row) * width_ + column;
    pixels_[chainEnd_.index] = pixel;
    pixels_[index] = pixel;
    changed_.markPixel(column, row);
    chainEnd_ = {x2, y2, column, row, index};
    work_meter::add(2);
    return true;
}
