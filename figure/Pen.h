#pragma once

#include "figure/MainWindowState.h"

class DrawingSurface;

// Puts the pen at (x, y), in user coordinates, without drawing.
void MoveTo(MainWindowState& state, double x, double y);

// Draws one segment from the pen by the vector (dx, dy), user coordinates, in the ramp
// colour of the current step, then moves the pen to its end and advances the step. Each
// time the step wraps to 0 the surface is refreshed, so a drawing shows its progress.
void DrawStep(MainWindowState& state, DrawingSurface& surface, double dx, double dy);
