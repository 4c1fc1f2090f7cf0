#include "window/qt/display/FirstShowDeadline.h"

#include "window/Failure.h"

#include <csignal>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t shown = 0;
// Made before the alarm is armed: a signal handler may not allocate.
std::string unshownLine;

extern "C" void endUnshown(int)
{
    // Only what a signal handler may call.
    const ssize_t written = write(STDERR_FILENO, unshownLine.data(), unshownLine.size());
    static_cast<void>(written);
    _exit(1);
}

} // namespace

void armFirstShowDeadline()
{
    unshownLine = failureLine({FailureKind::Start, "the display did not show the window within a minute"});
    struct sigaction action {};
    action.sa_handler = endUnshown;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    alarm(kFirstShowSeconds);
}

void firstShown()
{
    if (shown != 0)
        return;
    shown = 1;
    alarm(0);
}
