#include "FloorFold.h"
#include "QPainterSurface.h"
#include "figure/DrawCommand.h"
#include "surface/RetainedImage.h"
#include "window/qt/Form1.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kWidth = 577;
constexpr int kHeight = 417;
constexpr double kSegmentsPerDrawing = 131072;

void countSegments(benchmark::State& state)
{
    state.counters["segments"] = benchmark::Counter(kSegmentsPerDrawing, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Floor(benchmark::State& state)
{
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    FloorFold floor(pixels.data());
    for (auto _ : state) {
        floor.draw();
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    countSegments(state);
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);

// Runs the draw command on the surface once per iteration; pixels is what it draws into.
void timeDrawCommand(benchmark::State& state, DrawingSurface& surface, const void* pixels)
{
    MainWindowState figure;
    for (auto _ : state) {
        RunDrawCommand(figure, surface);
        benchmark::DoNotOptimize(pixels);
        benchmark::ClobberMemory();
    }
    countSegments(state);
}

void BM_DrawCommand(benchmark::State& state)
{
    RetainedImage image(kWidth, kHeight);
    timeDrawCommand(state, image, image.pixels());
}
BENCHMARK(BM_DrawCommand)->Unit(benchmark::kMillisecond);

void BM_DrawCommandQPainter(benchmark::State& state)
{
    QPainterSurface surface(kWidth, kHeight);
    timeDrawCommand(state, surface, surface.image().constBits());
}
BENCHMARK(BM_DrawCommandQPainter)->Unit(benchmark::kMillisecond);

// A pen as wide as a 2048 x 2048 image, along a line across its middle: flat (argument 0)
// or steep (1). Both light every pixel, so they should cost about the same.
void BM_WidePen(benchmark::State& state)
{
    constexpr int kSide = 2048;
    RetainedImage image(kSide, kSide);
    image.SetDrawWidth(kSide);
    const bool steep = state.range(0) == 1;
    const float middle = kSide / 2.0f;
    for (auto _ : state) {
        if (steep)
            image.Line(middle, 0.5f, middle, kSide - 0.5f, Rgb(255, 0, 0));
        else
            image.Line(0.5f, middle, kSide - 0.5f, middle, Rgb(255, 0, 0));
        benchmark::DoNotOptimize(image.pixels());
        benchmark::ClobberMemory();
    }
    state.SetLabel(steep ? "steep" : "flat");
}
BENCHMARK(BM_WidePen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ClickInWindow(benchmark::State& state)
{
    Form1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    QCoreApplication::processEvents();
    auto* drawButton = window.findChild<QPushButton*>("Command1");
    for (auto _ : state) {
        QTest::mouseClick(drawButton, Qt::LeftButton);
        QCoreApplication::processEvents();  // the final update after the click returns
    }
    countSegments(state);
}
BENCHMARK(BM_ClickInWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
