#include "figure/Pen.h"

#include "figure/RampColor.h"
#include "surface/DrawingSurface.h"

void MoveTo(MainWindowState& state, double x, double y)
{
    state.PenX = x;
    state.PenY = y;
}

void DrawStep(MainWindowState& state, DrawingSurface& surface, double dx, double dy)
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
