#include "window/qt/display/FramePacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <thread>

namespace {

// Offscreen, minimal and the like show nothing: no stage is waited for.
class UnshownPacer final : public FramePacer {
public:
    using FramePacer::FramePacer;
    bool windowShown() override { return false; }
};

} // namespace

bool FramePacer::windowShown()
{
    const QWidget* topLevel = window_->window();
    const QWindow* handle = topLevel->windowHandle();
    return window_->isVisible() && handle != nullptr && handle->isExposed() && !topLevel->isMinimized()
           && topLevel->screen() != nullptr;
}

double FramePacer::refreshRate()
{
    // Qt gives 0 or a made-up figure where the window system knows no rate; the pacer
    // takes the usual one then.
    const QScreen* screen = window_->screen();
    return screen != nullptr ? screen->refreshRate() : 0;
}

void FramePacer::waitUntil(StagePacer::Clock::time_point due)
{
    std::this_thread::sleep_until(due);
}

std::unique_ptr<FramePacer> makeFramePacer(QWidget* widget)
{
    const QString platform = QGuiApplication::platformName();
    std::unique_ptr<FramePacer> own;
    if (platform.startsWith(QLatin1String("wayland")))
        own = frame_pacing::makeWaylandPacer(widget);
    else if (platform == QLatin1String("xcb"))
        own = frame_pacing::makeX11Pacer(widget);
    else
        return std::make_unique<UnshownPacer>(widget);
    if (own)
        return own;
    return std::make_unique<FramePacer>(widget);
}
