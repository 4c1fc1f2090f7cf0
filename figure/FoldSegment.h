#pragma once

#include "figure/MainWindowState.h"
#include "figure/Pen.h"

#include <cstdint>

// Draws the vector (dx, dy), user coordinates, from the pen as a chain of segments: a piece
// no longer than MinLength is one segment; a longer one is split into two halves turned by
// +45·s and -45·s degrees (s = +1 or -1), or into two straight halves for s = 0, and each
// half is folded again, the first with s = +1, the second with s = -1. On return the pen
// has moved by (dx, dy).
//
// A template on the surface, so that for a known kind of surface each segment's line is a
// direct call the compiler can see into.
template <typename Surface>
void FoldSegment(MainWindowState& state, Surface& surface, double dx, double dy, std::int16_t s)
{
    if (dx * dx + dy * dy <= state.MinLength * state.MinLength) {
        DrawStep(state, surface, dx, dy);
        return;
    }
    const double turn = s;
    FoldSegment(state, surface, (dx - turn * dy) / 2, (dy + turn * dx) / 2, +1);
    FoldSegment(state, surface, (dx + turn * dy) / 2, (dy - turn * dx) / 2, -1);
}
