#include "figure/FoldSegment.h"

#include "figure/Pen.h"

void FoldSegment(MainWindowState& state, DrawingSurface& surface, double dx, double dy,
                 std::int16_t s)
{
    if (dx * dx + dy * dy <= state.MinLength * state.MinLength) {
        DrawStep(state, surface, dx, dy);
        return;
    }
    const double turn = s;
    FoldSegment(state, surface, (dx - turn * dy) / 2, (dy + turn * dx) / 2, +1);
    FoldSegment(state, surface, (dx + turn * dy) / 2, (dy - turn * dx) / 2, -1);
}
