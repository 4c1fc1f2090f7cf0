// Counts what an X server shows of a window over time, from its own DAMAGE notices: prints
// "ready" once it watches WINDOW, then waits for the first change and reports, after the
// window has been still for QUIET milliseconds, how many separate updates there were (notices
// less than 3 ms apart are one update) and how far apart they typically came.
//
//   shown_updates WINDOW [QUIET]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FreeEvent {
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

constexpr std::uint32_t kSameUpdateWithinMs = 3;

// Waits up to milliseconds (or for ever, if negative) for the next event.
Event nextEvent(xcb_connection_t* connection, int milliseconds)
{
    for (;;) {
        if (Event event{xcb_poll_for_event(connection)})
            return event;
        pollfd server{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (xcb_connection_has_error(connection) != 0 || poll(&server, 1, milliseconds) <= 0)
            return nullptr;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: shown_updates WINDOW [QUIET]\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::stoul(argv[1], nullptr, 0));
    const int quiet = argc > 2 ? std::stoi(argv[2]) : 1000;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_query_extension_reply_t* damage =
        xcb_connection_has_error(connection) == 0 ? xcb_get_extension_data(connection, &xcb_damage_id) : nullptr;
    if (damage == nullptr || damage->present == 0) {
        std::fprintf(stderr, "shown_updates: no X server with the DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    xcb_damage_create(connection, xcb_generate_id(connection), window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(connection);
    std::printf("ready\n");
    std::fflush(stdout);

    std::vector<std::uint32_t> updates;  // server times of each update's first notice
    std::uint32_t last = 0;
    while (Event event{nextEvent(connection, updates.empty() ? -1 : quiet)}) {
        if ((event->response_type & 0x7f) != damage->first_event + XCB_DAMAGE_NOTIFY)
            continue;
        const auto* notice = reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
        if (updates.empty() || notice->timestamp - last >= kSameUpdateWithinMs)
            updates.push_back(notice->timestamp);
        last = notice->timestamp;
    }
    // The median gap: the button's own repaint at a click may come close to the first stage.
    std::vector<std::uint32_t> gaps;
    for (std::size_t i = 1; i < updates.size(); ++i)
        gaps.push_back(updates[i] - updates[i - 1]);
    std::ranges::nth_element(gaps, gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2));
    std::printf("updates %zu over %u ms, typically %u ms apart\n", updates.size(),
                updates.empty() ? 0U : last - updates.front(), gaps.empty() ? 0U : gaps[gaps.size() / 2]);
    xcb_disconnect(connection);
    return 0;
}
