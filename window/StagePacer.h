#pragma once

#include <chrono>

// Paces a drawing's stages to what the screen can show, in every shell. A drawing brings the
// screen up to date 73 times, within a few milliseconds of work each; a screen shows one
// picture a frame, so without waiting the figure would appear at once instead of growing.
// After each stage is sent to the window system, endStage returns once it is on the screen.
//
// The shell supplies only its window system's waits (Screen). Every wait is bounded and
// handles no input: clicks, keys and repaint requests made meanwhile wait for the window's
// event loop, in order. A window that is not on the screen does not wait.
class StagePacer {
public:
    using Clock = std::chrono::steady_clock;

    class Screen {
    public:
        virtual ~Screen() = default;

        virtual Clock::time_point now() const { return Clock::now(); }
        // Whether the window is on the screen (shown, not minimised), so that a stage could
        // be seen at all.
        virtual bool windowShown() = 0;
        // The refresh rate of the window's screen in Hz, as the window system gives it.
        virtual double refreshRate() = 0;
        // Whether the window system can say when this stage is on the screen.
        virtual bool reportsShown() = 0;
        // Waits until the window system says the stage is on the screen, or until deadline;
        // whether it said so in time.
        virtual bool waitUntilShown(Clock::time_point deadline) = 0;
        // Waits until due, where the window system says nothing.
        virtual void waitUntil(Clock::time_point due) = 0;
    };

    explicit StagePacer(Screen& screen) : screen_(screen) {}

    void endStage();

    // One frame at rate Hz; 60 Hz where the window system gives no usable rate (0, or a
    // made-up figure).
    static std::chrono::microseconds refreshPeriod(double rate);
    // What a stage may wait for the window system's word at most: three frames while it
    // answers in time, and never so much that a drawing's 73 stages add up to more than about
    // 4 s. Once a wait has run out (a compositor that paints no hidden workspace sends no
    // frames), two frames: enough for a slow or late answer to bring back the longer wait, and
    // a drawing the window system stopped answering costs about 2.4 s.
    static std::chrono::microseconds longestWait(std::chrono::microseconds period, bool answering);

private:
    Screen& screen_;
    bool answering_ = true;  // whether the last stage's word came in time
    Clock::time_point lastStage_{};
};
