#include "window/qt/display/FirstShowDeadline.h"

#include <csignal>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t shown = 0;

extern "C" void endUnshown(int)
{
    // Only what a signal handler may call.
    static const char kMessage[] = "dragonfold: the display did not show the window within a minute\n";
    const ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    static_cast<void>(written);
    _exit(1);
}

} // namespace

void armFirstShowDeadline()
{
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
