#include "window/qt/display/FramePacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <thread>

namespace frame_pacing {

using std::chrono::microseconds;

namespace {

constexpr double kUsualRefreshRate = 60;
// A drawing has 73 stages; at most this each keeps a stalled window system's cost near 4 s.
constexpr microseconds kLongestStageWait{54'000};

} // namespace

microseconds refreshPeriod(const QWidget* window)
{
    const QScreen* screen = window->screen();
    double rate = screen != nullptr ? screen->refreshRate() : 0;
    // Qt gives 0 or a made-up figure where the window system knows no rate.
    if (!std::isfinite(rate) || rate < 1 || rate > 1000)
        rate = kUsualRefreshRate;
    return microseconds(static_cast<long long>(std::llround(1e6 / rate)));
}

microseconds longestWait(const QWidget* window, bool answering)
{
    return std::min((answering ? 3 : 2) * refreshPeriod(window), kLongestStageWait);
}

bool isShown(const QWidget* widget)
{
    const QWidget* window = widget->window();
    const QWindow* handle = window->windowHandle();
    return widget->isVisible() && handle != nullptr && handle->isExposed() && !window->isMinimized()
           && window->screen() != nullptr;
}

void PeriodPacer::endStage()
{
    const auto now = std::chrono::steady_clock::now();
    if (isShown(window_)) {
        const auto due = lastStage_ + refreshPeriod(window_);
        if (now < due) {
            std::this_thread::sleep_until(due);
            lastStage_ = due;
            return;
        }
    }
    lastStage_ = now;
}

} // namespace frame_pacing

std::unique_ptr<FramePacer> makeFramePacer(QWidget* widget)
{
    const QString platform = QGuiApplication::platformName();
    std::unique_ptr<FramePacer> own;
    if (platform.startsWith(QLatin1String("wayland")))
        own = frame_pacing::makeWaylandPacer(widget);
    else if (platform == QLatin1String("xcb"))
        own = frame_pacing::makeX11Pacer(widget);
    else
        return std::make_unique<FramePacer>();  // offscreen, minimal and the like show nothing
    if (own)
        return own;
    return std::make_unique<frame_pacing::PeriodPacer>(widget);
}
