#pragma once

#include "figure/MainWindowState.h"
#include "figure/RampColor.h"

#include <cstdint>

// Puts the pen at (x, y), in user coordinates, without drawing.
void MoveTo(MainWindowState& state, double x, double y);

// Draws one segment from the pen by the vector (dx, dy), user coordinates, in the ramp
// colour of the current step, then moves the pen to its end and advances the step. Each
// time the step wraps to 0 the surface is refreshed, so a drawing shows its progress.
//
// A template on the surface, as FoldSegment is. Kept out of line: inlined into the fold,
// which the compiler unrolls into itself a few levels deep, it would have every pending half
// of those levels saved and restored around each segment.
template <typename Surface>
[[gnu::noinline]] void DrawStep(MainWindowState& state, Surface& surface, double dx, double dy)
{
    const auto step = static_cast<std::uint16_t>(state.ColorStep);  // negative ones become large
    state.PenColor = step <= kLastColorStep ? kRampColors[step] : RampColor(state.ColorStep);
    const double nx = state.PenX + dx;
    const double ny = state.PenY + dy;
    surface.Line(static_cast<float>(state.PenX), static_cast<float>(state.PenY),
                 static_cast<float>(nx), static_cast<float>(ny), state.PenColor);
    state.PenX = nx;
    state.PenY = ny;
    ++state.ColorStep;
    if (state.ColorStep > kLastColorStep)
        state.ColorStep = 0;
    if (state.ColorStep == 0)
        surface.Refresh();
}
