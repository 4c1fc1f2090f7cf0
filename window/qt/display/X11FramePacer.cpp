// On X11 a stage waits for the next vertical blank of the window's screen, as the Present
// extension reports it. The X server shows a put image at once; waiting a blank lets each
// stage stay on the screen for a frame.
#include "window/qt/display/FramePacer.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/present.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace frame_pacing {
namespace {

using Clock = StagePacer::Clock;

struct FreeEvent {
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

// Qt's own thread reads the connection and sorts Present's events into the queue registered
// here, so looking at that queue reads nothing of Qt's and takes no input.
constexpr std::chrono::microseconds kLookAgainAfter{500};

class X11FramePacer final : public FramePacer {
public:
    X11FramePacer(QWidget* window, xcb_connection_t* connection)
        : FramePacer(window), connection_(connection), eventId_(xcb_generate_id(connection)),
          events_(xcb_register_for_special_xge(connection, &xcb_present_id, eventId_, nullptr))
    {
    }
    ~X11FramePacer() override
    {
        if (xcb_connection_has_error(connection_) == 0)
            xcb_unregister_for_special_event(connection_, events_);
    }
    X11FramePacer(const X11FramePacer&) = delete;
    X11FramePacer& operator=(const X11FramePacer&) = delete;

    bool reportsShown() override;
    bool waitUntilShown(Clock::time_point deadline) override;

private:
    // Whether a complete notice for serial came before deadline.
    bool waitForBlank(std::uint32_t serial, Clock::time_point deadline);

    xcb_connection_t* connection_;
    xcb_present_event_t eventId_;
    xcb_special_event_t* events_;
    xcb_window_t selected_ = XCB_WINDOW_NONE;  // the window whose notices come to events_
    std::uint32_t serial_ = 0;
};

bool X11FramePacer::reportsShown()
{
    return xcb_connection_has_error(connection_) == 0;
}

bool X11FramePacer::waitUntilShown(Clock::time_point deadline)
{
    const auto window = static_cast<xcb_window_t>(this->window()->window()->winId());
    if (window != selected_) {
        xcb_present_select_input(connection_, eventId_, window, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
        selected_ = window;
    }
    // Divisor 1, remainder 0: the first blank after the one now under way.
    xcb_present_notify_msc(connection_, window, ++serial_, 0, 1, 0);
    xcb_flush(connection_);
    return waitForBlank(serial_, deadline);
}

bool X11FramePacer::waitForBlank(std::uint32_t serial, Clock::time_point deadline)
{
    for (;;) {
        while (Event event{xcb_poll_for_special_event(connection_, events_)}) {
            const auto* notice = reinterpret_cast<const xcb_present_complete_notify_event_t*>(event.get());
            if (notice->event_type == XCB_PRESENT_COMPLETE_NOTIFY && notice->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC
                && notice->serial == serial)
                return true;
        }
        if (Clock::now() >= deadline || xcb_connection_has_error(connection_) != 0)
            return false;
        std::this_thread::sleep_for(kLookAgainAfter);
    }
}

} // namespace

std::unique_ptr<FramePacer> makeX11Pacer(QWidget* window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || xcb_connection_has_error(connection) != 0)
        return nullptr;
    const xcb_query_extension_reply_t* present = xcb_get_extension_data(connection, &xcb_present_id);
    if (present == nullptr || present->present == 0)
        return nullptr;
    return std::make_unique<X11FramePacer>(window, connection);
}

} // namespace frame_pacing
