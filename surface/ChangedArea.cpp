#include "surface/ChangedArea.h"

#include <algorithm>

namespace {

struct Extent {
    int first;
    int end;  // one past the last
};

// Finds the marked extent and clears it.
Extent takeExtent(std::vector<ChangedArea::Mark>& marks)
{
    const auto first = std::find(marks.begin(), marks.end(), ChangedArea::Mark::changed);
    if (first == marks.end())
        return {0, 0};
    const auto last = std::find(marks.rbegin(), marks.rend(), ChangedArea::Mark::changed).base();
    std::fill(first, last, ChangedArea::Mark::unchanged);
    return {static_cast<int>(first - marks.begin()), static_cast<int>(last - marks.begin())};
}

} // namespace

void ChangedArea::markRect(const PixelRect& rect)
{
    std::fill(columns_.begin() + rect.left, columns_.begin() + rect.right, Mark::changed);
    std::fill(rows_.begin() + rect.top, rows_.begin() + rect.bottom, Mark::changed);
}

PixelRect ChangedArea::take()
{
    const Extent columns = takeExtent(columns_);
    const Extent rows = takeExtent(rows_);
    if (columns.first == columns.end || rows.first == rows.end)
        return {};
    return {columns.first, rows.first, columns.end, rows.end};
}
