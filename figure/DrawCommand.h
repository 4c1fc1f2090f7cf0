#pragma once

#include "figure/MainWindowState.h"

class DrawingSurface;

// What the draw button does: sets up the surface (user area x -200 .. 410 left to right,
// y 10 .. -400 top to bottom, black, 1-pixel pen), resets the state and draws the pair of
// dragons, 131072 segments from (-100, -200) to (300, -200), refreshing every 1793rd.
// Every drawing starts from the same state and leaves the same image. Allocates nothing.
void RunDrawCommand(MainWindowState& state, DrawingSurface& surface);
