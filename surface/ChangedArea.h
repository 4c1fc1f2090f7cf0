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
        columns_[static_cast<std::size_t>(column)] = Mark::changed;
        rows_[static_cast<std::size_t>(row)] = Mark::changed;
    }

    // A non-empty rectangle inside the image.
    void markRect(const PixelRect& rect);

    // The bounding rectangle of everything marked since the last call (empty if nothing
    // was), and forgets it.
    PixelRect take();

    // A byte a column or row; not a character type, so that storing a mark does not make the
    // compiler assume it may have changed any other value.
    enum class Mark : std::uint8_t { unchanged, changed };

private:
    std::vector<Mark> columns_;
    std::vector<Mark> rows_;
};
