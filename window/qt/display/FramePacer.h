#pragma once

#include "window/StagePacer.h"

#include <memory>

class QWidget;

// The Qt shell's waits for a drawing's stages; how long a stage waits is StagePacer's rule.
// Each stage's repaint is bracketed by beginStage and endStage, and endStage returns once the
// window system has put the stage on the screen. This base class knows no word from the
// window system and keeps stages a refresh period apart.
class FramePacer : public StagePacer::Screen {
public:
    explicit FramePacer(const QWidget* window) : window_(window) {}

    // Before the stage's repaint: asks to hear when what it paints is shown.
    virtual void beginStage() {}
    // After the repaint: sends it on and waits until the stage is on the screen.
    void endStage() { pacer_.endStage(); }

    bool windowShown() override;
    double refreshRate() override;
    bool reportsShown() override { return false; }
    bool waitUntilShown(StagePacer::Clock::time_point) override { return false; }
    void waitUntil(StagePacer::Clock::time_point due) override;

protected:
    const QWidget* window() const { return window_; }

private:
    const QWidget* window_;
    StagePacer pacer_{*this};
};

// The pacer for the window that shows widget: the compositor's frame callbacks on Wayland,
// the Present extension's vertical blanks on X11, the refresh period where neither is to be
// had, and none at all on platforms that show nothing, such as offscreen.
std::unique_ptr<FramePacer> makeFramePacer(QWidget* widget);

namespace frame_pacing {

// The window system's own pacers; each gives none where its window system cannot pace.
std::unique_ptr<FramePacer> makeWaylandPacer(QWidget* window);
std::unique_ptr<FramePacer> makeX11Pacer(QWidget* window);

} // namespace frame_pacing
