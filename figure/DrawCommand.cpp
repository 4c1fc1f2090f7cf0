#include "figure/DrawCommand.h"

#include "figure/FoldSegment.h"
#include "figure/Pen.h"
#include "surface/DrawingSurface.h"
#include "surface/RetainedImage.h"
#include "surface/SetUserScale.h"

namespace {

constexpr double kAreaLeft = -200;
constexpr double kAreaTop = 10;
constexpr double kAreaRight = 410;
constexpr double kAreaBottom = -400;
constexpr RgbColor kBackground = Rgb(0, 0, 0);
constexpr std::int16_t kPenWidth = 1;
constexpr double kMinLength = 1.0;
constexpr double kStartX = -100;
constexpr double kStartY = -200;
constexpr double kBaseX = 400;
constexpr double kBaseY = 0;
// 0 splits the base into two straight halves, which then fold into two opposite dragons.
constexpr std::int16_t kBaseTurn = 0;

template <typename Surface>
void drawFigure(MainWindowState& state, Surface& surface)
{
    SetUserScale(surface, kAreaLeft, kAreaTop, kAreaRight, kAreaBottom);
    surface.SetBackColor(kBackground);
    surface.Cls();
    surface.SetDrawWidth(kPenWidth);
    state.ColorStep = 0;
    state.MinLength = kMinLength;
    state.StopRequested = false;
    MoveTo(state, kStartX, kStartY);
    FoldSegment(state, surface, kBaseX, kBaseY, kBaseTurn);
}

} // namespace

void RunDrawCommand(MainWindowState& state, DrawingSurface& surface)
{
    // Drawn on a retained image as such, each segment's line is a direct call that the
    // compiler can inline into the pen, rather than a call through the surface's table.
    if (auto* image = dynamic_cast<RetainedImage*>(&surface))
        drawFigure(state, *image);
    else
        drawFigure(state, surface);
}
