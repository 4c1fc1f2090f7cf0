#pragma once

#include <windows.h>

#include <chrono>

// Paces a drawing's stages to what the screen can show: each of the 73 takes a few
// milliseconds of work, and a screen shows one picture a frame, so without waiting the figure
// would appear at once instead of growing. After a stage is copied to the window, endStage
// returns once the desktop window manager has composed it (DwmFlush, while composition is
// on), or else a refresh period of the monitor after the last stage. A window that is hidden
// or minimised does not wait. The wait handles no messages: input waits, in order.
class FramePacer {
public:
    explicit FramePacer(HWND window) : window_(window) {}

    void endStage();

private:
    HWND window_;
    std::chrono::steady_clock::time_point lastStage_{};
};
