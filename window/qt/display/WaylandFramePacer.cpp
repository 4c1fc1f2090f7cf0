// The compositor says when a commit has been shown by a frame callback. Qt's Wayland plugin
// offers the connection and the window's surface only through its native interface, a QPA
// header, on Qt 6.4 and 6.8 alike; the package therefore depends on Qt's exact private ABI.
#include "window/qt/display/FramePacer.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <poll.h>
#include <wayland-client.h>

#include <chrono>

namespace frame_pacing {
namespace {

using Clock = StagePacer::Clock;

class WaylandFramePacer final : public FramePacer {
public:
    WaylandFramePacer(QWidget* window, wl_display* display)
        : FramePacer(window), display_(display), queue_(wl_display_create_queue(display))
    {
    }
    ~WaylandFramePacer() override
    {
        dropCallback();
        wl_event_queue_destroy(queue_);
    }
    WaylandFramePacer(const WaylandFramePacer&) = delete;
    WaylandFramePacer& operator=(const WaylandFramePacer&) = delete;

    void beginStage() override;
    bool reportsShown() override { return frame_ != nullptr; }
    bool waitUntilShown(Clock::time_point deadline) override;

    static void onFrameDone(void* self, wl_callback*, std::uint32_t);

private:
    wl_surface* surface() const;
    void dropCallback();
    // Reads and dispatches this pacer's queue until the frame is done or deadline passes.
    // Other queues' events that arrive are queued for Qt's threads, not dispatched here.
    void waitForFrame(Clock::time_point deadline);

    wl_display* display_;
    wl_event_queue* queue_;
    wl_callback* frame_ = nullptr;
    bool frameDone_ = false;
};

const wl_callback_listener kFrameListener{WaylandFramePacer::onFrameDone};

void WaylandFramePacer::onFrameDone(void* self, wl_callback*, std::uint32_t)
{
    auto* pacer = static_cast<WaylandFramePacer*>(self);
    pacer->frameDone_ = true;
    pacer->dropCallback();
}

wl_surface* WaylandFramePacer::surface() const
{
    QWindow* handle = window()->window()->windowHandle();
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (handle == nullptr || native == nullptr)
        return nullptr;
    return static_cast<wl_surface*>(native->nativeResourceForWindow("surface", handle));
}

void WaylandFramePacer::dropCallback()
{
    if (frame_ != nullptr)
        wl_callback_destroy(frame_);
    frame_ = nullptr;
}

void WaylandFramePacer::beginStage()
{
    dropCallback();
    frameDone_ = false;
    wl_surface* target = windowShown() ? surface() : nullptr;
    if (target == nullptr)
        return;
    // The frame request goes out on a wrapper of Qt's surface, so that its answer comes on
    // this pacer's queue and not on the ones Qt's threads dispatch. It takes effect with the
    // commit of the repaint that follows.
    auto* wrapper = static_cast<wl_surface*>(wl_proxy_create_wrapper(target));
    if (wrapper == nullptr)
        return;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
    frame_ = wl_surface_frame(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    if (frame_ != nullptr)
        wl_callback_add_listener(frame_, &kFrameListener, this);
}

bool WaylandFramePacer::waitUntilShown(Clock::time_point deadline)
{
    // Qt leaves the commit in the connection's buffer until its event loop runs again.
    wl_display_flush(display_);
    waitForFrame(deadline);
    dropCallback();
    return frameDone_;
}

void WaylandFramePacer::waitForFrame(Clock::time_point deadline)
{
    while (!frameDone_) {
        while (wl_display_prepare_read_queue(display_, queue_) != 0) {
            if (wl_display_dispatch_queue_pending(display_, queue_) < 0)
                return;
        }
        if (frameDone_) {
            wl_display_cancel_read(display_);
            return;
        }
        wl_display_flush(display_);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd connection{wl_display_get_fd(display_), POLLIN, 0};
        if (left <= 0 || poll(&connection, 1, static_cast<int>(left)) <= 0) {
            wl_display_cancel_read(display_);
            return;
        }
        if (wl_display_read_events(display_) < 0 || wl_display_dispatch_queue_pending(display_, queue_) < 0)
            return;
    }
}

} // namespace

std::unique_ptr<FramePacer> makeWaylandPacer(QWidget* window)
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = native != nullptr ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
                                      : nullptr;
    if (display == nullptr)
        return nullptr;
    return std::make_unique<WaylandFramePacer>(window, display);
}

} // namespace frame_pacing
