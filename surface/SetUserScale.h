#pragma once

class DrawingSurface;

// Gives the drawing area user coordinates with (x1, y1) at its top-left corner and (x2, y2)
// at its bottom-right corner. The differences are taken in double precision; each value is
// narrowed to single precision as it is set.
void SetUserScale(DrawingSurface& surface, double x1, double y1, double x2, double y2);
