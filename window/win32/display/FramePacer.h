#pragma once

#include "window/StagePacer.h"

#include <windows.h>

// The Windows shell's waits for a drawing's stages; how long a stage waits is StagePacer's
// rule. After a stage is copied to the window, endStage returns once the desktop window
// manager has composed it (DwmFlush, while composition is on), or else a refresh period of
// the monitor after the last stage. Every wait handles no messages: input waits, in order.
class FramePacer final : public StagePacer::Screen {
public:
    explicit FramePacer(HWND window) : window_(window) {}
    FramePacer(const FramePacer&) = delete;
    FramePacer& operator=(const FramePacer&) = delete;

    void endStage();

    bool windowShown() override;
    double refreshRate() override;
    bool reportsShown() override;
    bool waitUntilShown(StagePacer::Clock::time_point deadline) override;
    void waitUntil(StagePacer::Clock::time_point due) override;

private:
    HWND window_;
    StagePacer pacer_{*this};
};
