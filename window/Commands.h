#pragma once

#include "figure/MainWindowState.h"

#include <optional>
#include <string>

class DrawingSurface;

// What the two buttons do, the same in every window shell.

// "描画": runs the draw command on the window's state and surface. If the surface fails,
// returns the text to show the user (UTF-8) before the program ends; otherwise nothing.
std::optional<std::string> drawOrDescribeFailure(MainWindowState& state, DrawingSurface& surface);

// "描画中止": asks the drawing to stop. A drawing handles no input while it runs, so the
// request is seen only after it, and the next drawing clears it.
void requestStop(MainWindowState& state);
