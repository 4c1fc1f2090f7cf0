// Times the native draw command on demand, so that another program can set its own timings
// beside it, batch for batch: each line read from stdin is a count N; the answer is one line,
// the milliseconds a drawing took over N draw commands into a retained image of the
// picture's size (BM_DrawCommand's work), after a few untimed ones: a processor that waited
// while another program ran is slow for a while. Ends at the end of its input.
//
//   draw_timer < COUNTS

#include "figure/DrawCommand.h"
#include "surface/RetainedImage.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

constexpr int kWarmUpDrawings = 3;

} // namespace

int main()
{
    RetainedImage image(577, 417);
    MainWindowState state;
    for (int drawings; std::cin >> drawings && drawings > 0;) {
        for (int i = 0; i < kWarmUpDrawings; ++i)
            RunDrawCommand(state, image);
        const auto started = std::chrono::steady_clock::now();
        for (int i = 0; i < drawings; ++i)
            RunDrawCommand(state, image);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
        std::printf("%.4f\n", took.count() / drawings);
        std::fflush(stdout);
    }
    return 0;
}
