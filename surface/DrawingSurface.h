#pragma once

#include "surface/RgbColor.h"

#include <cstdint>

// What the figure draws on. A user coordinate system maps the drawing area: a point (x, y)
// lies (x - ScaleLeft) / ScaleWidth of the area's width from its left edge and
// (y - ScaleTop) / ScaleHeight of its height from its top edge. Scale values and line
// coordinates are single precision, as the figure hands them over.
//
// A realisation reports an operation it cannot carry out by throwing SurfaceError.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void SetScaleLeft(float userX) = 0;
    virtual void SetScaleTop(float userY) = 0;
    // Signed: a positive width makes x grow to the right.
    virtual void SetScaleWidth(float userWidth) = 0;
    // Signed: a negative height makes y grow upward.
    virtual void SetScaleHeight(float userHeight) = 0;

    // The colour Cls fills with.
    virtual void SetBackColor(RgbColor color) = 0;
    // Fills the whole image with the back colour, discarding everything drawn.
    virtual void Cls() = 0;
    // Width in pixels of the lines that Line draws.
    virtual void SetDrawWidth(std::int16_t pixels) = 0;
    // Draws a solid line in user coordinates into the retained image, overwriting.
    virtual void Line(float x1, float y1, float x2, float y2, RgbColor color) = 0;
    // Brings the screen up to date with the image before it returns.
    virtual void Refresh() = 0;

protected:
    DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = default;
    DrawingSurface& operator=(const DrawingSurface&) = default;
};
