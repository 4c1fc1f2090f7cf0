// libFuzzer target: decodes its input into a retained image of some size and a sequence of
// surface operations with arbitrary values, applies them, and checks that every invalid
// value comes back as a SurfaceError, every valid one is carried out, and nothing reaches
// outside the image (AddressSanitizer and UndefinedBehaviorSanitizer watch the rest).

#include "surface/RetainedImage.h"
#include "surface/SurfaceError.h"
#include "surface/WorkMeter.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLargestFuzzedSide = 2048;
constexpr int kMostOperations = 64;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }

    bool empty() const { return position_ >= size_; }

    template <typename T>
    T take()
    {
        T value{};
        std::uint8_t bytes[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && position_ < size_; ++i)
            bytes[i] = data_[position_++];
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "surface fuzzer: %s\n", what);
    std::abort();
}

// The most work, in pixels written and path steps, that any operation may need on an image
// of this size: every pixel once, and a step for every column and row with a margin. A line
// that walked its whole length, however far outside the image, would exceed it.
std::uint64_t mostWorkFor(int width, int height)
{
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height)
           + 4 * static_cast<std::uint64_t>(width + height) + 16;
}

// Runs one operation that must throw SurfaceError exactly when invalid is true, and must
// not do more work than an operation on the whole image needs.
template <typename Operation>
void expectFailureWhen(std::uint64_t mostWork, bool invalid, Operation operation)
{
    work_meter::done = 0;
    bool refused = false;
    try {
        operation();
    } catch (const SurfaceError&) {
        refused = true;
    }
    if (work_meter::done > mostWork)
        fail("an operation did more work than its visible part needs");
    if (refused && !invalid)
        fail("a valid operation was refused");
    if (!refused && invalid)
        fail("an invalid operation was carried out");
}

// What the screen would show: the image as it was at its last presentation. Every pixel that
// has changed since must lie in the rectangle presented. Comparing costs the whole image, so
// only small images are compared; larger ones are checked for the rectangle's bounds.
class Screen {
public:
    static constexpr int kMostPixelsCompared = 256 * 256;

    explicit Screen(const RetainedImage& image)
        : image_(image)
    {
        if (image.width() * image.height() <= kMostPixelsCompared)
            shown_.assign(image.pixels(), image.pixels() + image.width() * image.height());
    }

    void present(const PixelRect& changed)
    {
        if (!changed.isEmpty()
            && (changed.left < 0 || changed.top < 0 || changed.right > image_.width()
                || changed.bottom > image_.height()))
            fail("a changed rectangle reaches outside the image");
        if (shown_.empty())
            return;
        for (int row = 0; row < image_.height(); ++row)
            for (int column = 0; column < image_.width(); ++column) {
                std::uint32_t& shown = shown_[static_cast<std::size_t>(row) * image_.width() + column];
                const bool inside = column >= changed.left && column < changed.right
                                    && row >= changed.top && row < changed.bottom;
                if (shown != image_.pixel(column, row) && !inside)
                    fail("a changed pixel lies outside the rectangle presented");
                shown = image_.pixel(column, row);
            }
    }

private:
    const RetainedImage& image_;
    std::vector<std::uint32_t> shown_;
};

bool isUsableScale(float value)
{
    return std::isfinite(value) && value != 0.0f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    const int width = 1 + input.take<std::uint16_t>() % kLargestFuzzedSide;
    const int height = 1 + input.take<std::uint16_t>() % kLargestFuzzedSide;
    RetainedImage image(width, height);
    const std::uint64_t mostWork = mostWorkFor(width, height);

    Screen screen(image);
    image.setPresenter([&](const RetainedImage& shown, const PixelRect& changed) {
        if (&shown != &image)
            fail("the presenter was handed another image");
        screen.present(changed);
    });
    // Where the last line ended, for lines that carry on from there as a drawing's do.
    float lastX = 0;
    float lastY = 0;
    const auto line = [&](float x1, float y1, float x2, float y2, std::int32_t color) {
        expectFailureWhen(mostWork, !isValidRgbColor(color), [&] { image.Line(x1, y1, x2, y2, color); });
        lastX = x2;
        lastY = y2;
    };

    for (int operation = 0; operation < kMostOperations && !input.empty(); ++operation) {
        switch (input.take<std::uint8_t>() % 10) {
        case 0: {
            const float value = input.take<float>();
            expectFailureWhen(mostWork, !std::isfinite(value), [&] { image.SetScaleLeft(value); });
            break;
        }
        case 1: {
            const float value = input.take<float>();
            expectFailureWhen(mostWork, !std::isfinite(value), [&] { image.SetScaleTop(value); });
            break;
        }
        case 2: {
            const float value = input.take<float>();
            expectFailureWhen(mostWork, !isUsableScale(value), [&] { image.SetScaleWidth(value); });
            break;
        }
        case 3: {
            const float value = input.take<float>();
            expectFailureWhen(mostWork, !isUsableScale(value), [&] { image.SetScaleHeight(value); });
            break;
        }
        case 4: {
            const auto color = input.take<std::int32_t>();
            expectFailureWhen(mostWork, !isValidRgbColor(color), [&] { image.SetBackColor(color); });
            break;
        }
        case 5:
            expectFailureWhen(mostWork, false, [&] { image.Cls(); });
            break;
        case 6: {
            const auto pixels = input.take<std::int16_t>();
            expectFailureWhen(mostWork, pixels < 1, [&] { image.SetDrawWidth(pixels); });
            break;
        }
        case 7: {
            const float x1 = input.take<float>();
            const float y1 = input.take<float>();
            const float x2 = input.take<float>();
            const float y2 = input.take<float>();
            line(x1, y1, x2, y2, input.take<std::int32_t>());
            break;
        }
        case 8:
            expectFailureWhen(mostWork, false, [&] { image.Refresh(); });
            break;
        case 9: {
            // A short step on from the last end: a drawing's usual line.
            const float x2 = lastX + input.take<std::int8_t>() / 64.0f;
            const float y2 = lastY + input.take<std::int8_t>() / 64.0f;
            line(lastX, lastY, x2, y2, input.take<std::int32_t>());
            break;
        }
        }
    }

    screen.present(image.takeChangedRect());
    return 0;
}
