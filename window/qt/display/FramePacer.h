#pragma once

#include <chrono>
#include <memory>

class QWidget;

// Paces a drawing's stages to what the screen can show. A drawing brings the screen up to
// date 73 times, within a few milliseconds of work each; a screen shows one picture a frame,
// so without waiting the figure would appear at once instead of growing. Each stage's repaint
// is bracketed by beginStage and endStage, and endStage returns once the window system has
// put the stage on the screen.
//
// The wait is bounded, and it handles no input: it reads only the window system's answer to
// its own question, so clicks, keys and repaint requests made meanwhile wait for the window's
// event loop, in order. A window that is not shown does not wait.
class FramePacer {
public:
    virtual ~FramePacer() = default;

    // Before the stage's repaint: asks to hear when what it paints is shown.
    virtual void beginStage() {}
    // After the repaint: sends it on and waits until the stage is on the screen.
    virtual void endStage() {}
};

// The pacer for the window that shows widget: the compositor's frame callbacks on Wayland,
// the Present extension's vertical blanks on X11, the refresh period where neither is to be
// had, and none at all on platforms that show nothing, such as offscreen.
std::unique_ptr<FramePacer> makeFramePacer(QWidget* widget);

namespace frame_pacing {

// What a stage may wait for at most: three frames of the window's screen while the window
// system answers in time, and never so much that a drawing's 73 stages add up to more than
// about 4 s. Once a wait has run out (a compositor that paints no hidden workspace sends no
// frames), two frames: enough for a slow or late answer to bring back the longer wait, and
// a drawing the window system stopped answering costs about 2.4 s.
std::chrono::microseconds longestWait(const QWidget* window, bool answering);
// One frame of the window's screen, at 60 Hz where the screen gives no refresh rate.
std::chrono::microseconds refreshPeriod(const QWidget* window);
// Whether the widget is on the screen, so that a stage could be seen at all.
bool isShown(const QWidget* widget);

// Keeps consecutive stages at least a refresh period apart, where the window system offers
// no signal of its own.
class PeriodPacer final : public FramePacer {
public:
    explicit PeriodPacer(const QWidget* window) : window_(window) {}
    void endStage() override;

private:
    const QWidget* window_;
    std::chrono::steady_clock::time_point lastStage_{};
};

// The window system's own pacers; each gives none where its window system cannot pace.
std::unique_ptr<FramePacer> makeWaylandPacer(QWidget* window);
std::unique_ptr<FramePacer> makeX11Pacer(QWidget* window);

} // namespace frame_pacing
