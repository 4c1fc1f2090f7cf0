#include "surface/SetUserScale.h"

#include "surface/DrawingSurface.h"

void SetUserScale(DrawingSurface& surface, double x1, double y1, double x2, double y2)
{
    surface.SetScaleLeft(static_cast<float>(x1));
    surface.SetScaleTop(static_cast<float>(y1));
    surface.SetScaleWidth(static_cast<float>(x2 - x1));
    surface.SetScaleHeight(static_cast<float>(y2 - y1));
}
