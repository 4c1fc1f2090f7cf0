#include "figure/Pen.h"

void MoveTo(MainWindowState& state, double x, double y)
{
    state.PenX = x;
    state.PenY = y;
}
