#include "surface/RetainedImage.h"

#include "surface/SurfaceError.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// As short as the value allows: 0, -2.5, 1e-45, inf, nan.
std::string describe(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

float finite(const char* property, float value)
{
    if (!std::isfinite(value))
        throw SurfaceError(std::string(property) + " must be a finite number, not " + describe(value));
    return value;
}

float finiteNonZero(const char* property, float value)
{
    if (!std::isfinite(value) || value == 0.0f)
        throw SurfaceError(std::string(property) + " must be a finite number other than 0, not "
                           + describe(value));
    return value;
}

// Kept out of line so that building the message costs the callers nothing when all is well.
[[noreturn, gnu::cold, gnu::noinline]] void throwInvalidColor(const char* what, RgbColor color)
{
    throw SurfaceError(std::string(what) + " must be an RGB colour value from 0 to "
                       + std::to_string(kLargestRgbColor) + ", not " + std::to_string(color));
}

void requireValidColor(const char* what, RgbColor color)
{
    if (!isValidRgbColor(color))
        throwInvalidColor(what, color);
}

int checkedSide(const char* side, int pixels)
{
    if (pixels < 1 || pixels > RetainedImage::kLargestSide)
        throw SurfaceError(std::string("the ") + side + " of a retained image must be 1 to "
                           + std::to_string(RetainedImage::kLargestSide) + " pixels, not "
                           + std::to_string(pixels));
    return pixels;
}

} // namespace

RetainedImage::RetainedImage(int widthInPixels, int heightInPixels)
    : scaleWidth_(static_cast<float>(checkedSide("width", widthInPixels)))
    , scaleHeight_(static_cast<float>(checkedSide("height", heightInPixels)))
    , drawer_(widthInPixels, heightInPixels, toPixel(Rgb(0, 0, 0)))
{
}

PixelRect RetainedImage::takeChangedRect()
{
    return drawer_.takeChangedRect();
}

void RetainedImage::SetScaleLeft(float userX)
{
    scaleLeft_ = finite("ScaleLeft", userX);
    setUpDrawer();
}

void RetainedImage::SetScaleTop(float userY)
{
    scaleTop_ = finite("ScaleTop", userY);
    setUpDrawer();
}

void RetainedImage::SetScaleWidth(float userWidth)
{
    scaleWidth_ = finiteNonZero("ScaleWidth", userWidth);
    setUpDrawer();
}

void RetainedImage::SetScaleHeight(float userHeight)
{
    scaleHeight_ = finiteNonZero("ScaleHeight", userHeight);
    setUpDrawer();
}

void RetainedImage::SetDrawWidth(std::int16_t pixels)
{
    if (pixels < 1)
        throw SurfaceError("DrawWidth must be at least 1 pixel, not " + std::to_string(pixels));
    drawWidth_ = pixels;
    setUpDrawer();
}

void RetainedImage::setUpDrawer()
{
    drawer_.setUp({scaleLeft_, scaleTop_, width() / static_cast<double>(scaleWidth_),
                   height() / static_cast<double>(scaleHeight_), drawWidth_});
}

void RetainedImage::SetBackColor(RgbColor color)
{
    requireValidColor("BackColor", color);
    backColor_ = color;
}

void RetainedImage::Cls()
{
    drawer_.fill(toPixel(backColor_));
}

void RetainedImage::throwInvalidLineColor(RgbColor color)
{
    throwInvalidColor("the colour of a line", color);
}

void RetainedImage::Refresh()
{
    if (!presenter_)
        return;
    presenter_(*this, takeChangedRect());
}
