#include "window/StagePacer.h"

#include <algorithm>
#include <cmath>

using std::chrono::microseconds;

namespace {

constexpr double kUsualRefreshRate = 60;
// A drawing has 73 stages; at most this each keeps a stalled window system's cost near 4 s.
constexpr microseconds kLongestStageWait{54'000};

} // namespace

microseconds StagePacer::refreshPeriod(double rate)
{
    if (!std::isfinite(rate) || rate < 1 || rate > 1000)
        rate = kUsualRefreshRate;
    return microseconds(std::llround(1e6 / rate));
}

microseconds StagePacer::longestWait(microseconds period, bool answering)
{
    return std::min((answering ? 3 : 2) * period, kLongestStageWait);
}

void StagePacer::endStage()
{
    const auto now = screen_.now();
    if (!screen_.windowShown()) {
        lastStage_ = now;
        return;
    }
    const microseconds period = refreshPeriod(screen_.refreshRate());
    if (screen_.reportsShown()) {
        answering_ = screen_.waitUntilShown(now + longestWait(period, answering_));
        lastStage_ = screen_.now();
        return;
    }
    // Where the window system says nothing, consecutive stages are a frame apart.
    const auto due = lastStage_ + period;
    if (now < due) {
        screen_.waitUntil(due);
        lastStage_ = due;
    } else {
        lastStage_ = now;
    }
}
