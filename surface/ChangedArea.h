#pragma once

#include "surface/PixelRect.h"

#include <cstdint>
#include <vector>

// Which pixels of an image changed, kept as the set of columns and the set of rows that
// were written: their extents give the exact bounding rectangle. Marking only stores a
// flag, with no read of earlier state, so a long run of tiny lines does not wait on itself.
class ChangedArea {
public:
    ChangedArea(int width, int height)
        : columns_(static_cast<std::size_t>(width))
        , rows_(static_cast<std::size_t>(height))
    {
    }

    // The pixel must lie inside the image.
    void markPixel(int column, int row)
    {
        columns_[static_cast<std::size_t>(column)] = 1;
        rows_[static_cast<std::size_t>(row)] = 1;
    }

    // A non-empty rectangle inside the image.
    void markRect(const PixelRect& rect);

    // The bounding rectangle of everything marked since the last call (empty if nothing
    // was), and forgets it.
    PixelRect take();

private:
    std::vector<std::uint8_t> columns_;
    std::vector<std::uint8_t> rows_;
};
