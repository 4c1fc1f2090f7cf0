#pragma once

#include "figure/RampColor.h"
#include "surface/RgbColor.h"

#include <cstdint>

// The least work a drawing can be: the same fold recursion, each segment's end pixel written
// in its ramp colour straight into a 577 x 417 buffer. No surface, no scale object, no
// virtual call; only here to measure the real draw command against.
class FloorFold {
public:
    static constexpr int kWidth = 577;
    static constexpr int kHeight = 417;

    explicit FloorFold(std::uint32_t* pixels)
        : pixels_(pixels)
    {
    }

    void draw()
    {
        x_ = -100;
        y_ = -200;
        step_ = 0;
        fold(400, 0, 0);
    }

private:
    static constexpr double kPixelsPerUnitX = kWidth / 610.0;
    static constexpr double kPixelsPerUnitY = kHeight / -410.0;

    void fold(double dx, double dy, double turn)
    {
        if (dx * dx + dy * dy <= 1.0) {
            x_ += dx;
            y_ += dy;
            const int column = static_cast<int>((x_ + 200) * kPixelsPerUnitX);
            const int row = static_cast<int>((y_ - 10) * kPixelsPerUnitY);
            pixels_[row * kWidth + column] = toPixel(RampColor(step_));
            if (++step_ > kLastColorStep)
                step_ = 0;
            return;
        }
        fold((dx - turn * dy) / 2, (dy + turn * dx) / 2, +1);
        fold((dx + turn * dy) / 2, (dy - turn * dx) / 2, -1);
    }

    std::uint32_t* pixels_;
    double x_ = 0;
    double y_ = 0;
    int step_ = 0;
};
