#pragma once

#include "surface/DrawingSurface.h"

// Hands every operation on to another surface. Tests derive from it to change one
// operation, or use it as it is to hide what kind of surface lies behind.
class ForwardingSurface : public DrawingSurface {
public:
    explicit ForwardingSurface(DrawingSurface& inner)
        : inner_(inner)
    {
    }

    void SetScaleLeft(float userX) override { inner_.SetScaleLeft(userX); }
    void SetScaleTop(float userY) override { inner_.SetScaleTop(userY); }
    void SetScaleWidth(float userWidth) override { inner_.SetScaleWidth(userWidth); }
    void SetScaleHeight(float userHeight) override { inner_.SetScaleHeight(userHeight); }
    void SetBackColor(RgbColor color) override { inner_.SetBackColor(color); }
    void Cls() override { inner_.Cls(); }
    void SetDrawWidth(std::int16_t pixels) override { inner_.SetDrawWidth(pixels); }
    void Line(float x1, float y1, float x2, float y2, RgbColor color) override { inner_.Line(x1, y1, x2, y2, color); }
    void Refresh() override { inner_.Refresh(); }

private:
    DrawingSurface& inner_;
};
