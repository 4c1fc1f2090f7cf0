// Starts a program and watches its first window on the X server in DISPLAY: prints the time
// until the window is mapped and the time until the program first paints into it, both in
// milliseconds from the start, and the program's resident memory at the paint, in kilobytes;
// then ends the program. A window is mapped before the program has drawn anything in it, so
// the paint is when the user first sees the window. Both waits are on the server's own
// notices, so they add no polling delay of their own.
//
//   startup_probe PROGRAM [ARGUMENTS...]

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

long residentKilobytes(pid_t process)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

struct FreeEvent {
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_probe PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_probe: no X server\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const auto millisecondsSinceStart = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    pid_t program = 0;
    if (posix_spawn(&program, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s\n", argv[1]);
        return 1;
    }
    // Every window the program creates is watched from its creation, so that no paint can
    // come between the map and the watch.
    double mapped = -1;
    xcb_window_t shown = XCB_NONE;
    while (Event event{xcb_wait_for_event(connection)}) {
        const int type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
            xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
        } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
            shown = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
            mapped = millisecondsSinceStart();
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && shown != XCB_NONE
                   && reinterpret_cast<xcb_damage_notify_event_t*>(event.get())->drawable == shown) {
            break;
        }
    }
    const double painted = millisecondsSinceStart();
    std::printf("%.1f %.1f %ld\n", mapped, painted, residentKilobytes(program));
    int status = 0;
    kill(program, SIGTERM);
    waitpid(program, &status, 0);
    xcb_disconnect(connection);
    return 0;
}
