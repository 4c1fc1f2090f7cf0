#pragma once

#include "surface/RgbColor.h"

#include <cstdint>

// The fields of the main window that the figure works on. They mean nothing before the
// first drawing: the draw command sets every one it reads.
struct MainWindowState {
    // Pen position in user coordinates; each segment starts here.
    double PenX = 0;
    double PenY = 0;
    // The colour of the segment being drawn.
    RgbColor PenColor = 0;
    // Colour step of the next segment, 0 to kLastColorStep.
    std::int16_t ColorStep = 0;
    // FoldSegment draws a piece whose length is at most this, and splits a longer one.
    double MinLength = 0;
    // Set by the stop button, cleared by the draw command; nothing reads it yet.
    bool StopRequested = false;
};
