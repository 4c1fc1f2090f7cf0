#pragma once

#include <optional>
#include <string>

// What the screens Qt opened must offer before Form1 can show on them. Call once
// QApplication exists.

// Qt's widgets cannot lay out at a device-pixel ratio below 1: they paint at 1 into a window
// sized for less, so the picture covers the other controls. When a scale setting brings a
// screen below 1, this raises QT_SCALE_FACTOR so that every screen comes to at least 1, says
// so on stderr, and returns true: the application object must then be made anew to take it.
bool raiseScaleToAtLeastOne();

// Why Form1 cannot be shown at all: no screen, a scale that is not a positive number, or too
// few colours to paint on. Nothing when all is well.
std::optional<std::string> screenProblem();

// The settings that decide the screen's scale, as the user set them ("QT_SCALE_FACTOR=100"),
// for a message that says which of them made a picture impossible.
std::string scaleSettings();
