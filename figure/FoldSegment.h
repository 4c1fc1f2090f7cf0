#pragma once

#include "figure/MainWindowState.h"

#include <cstdint>

class DrawingSurface;

// Draws the vector (dx, dy), user coordinates, from the pen as a chain of segments: a piece
// no longer than MinLength is one segment; a longer one is split into two halves turned by
// +45·s and -45·s degrees (s = +1 or -1), or into two straight halves for s = 0, and each
// half is folded again, the first with s = +1, the second with s = -1. On return the pen
// has moved by (dx, dy).
void FoldSegment(MainWindowState& state, DrawingSurface& surface, double dx, double dy,
                 std::int16_t s);
