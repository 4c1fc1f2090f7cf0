#pragma once

#include "figure/MainWindowState.h"
#include "window/Failure.h"

#include <functional>
#include <string>
#include <string_view>

class DrawingSurface;

// What Form1 does, the same in every window shell: what a click on each button does, in
// order, and what a change of the screen's density does. It owns the state the figure
// works on. A shell turns its toolkit's events into these calls and hands in, through
// Shell, only what its toolkit does.
class Form1Commands {
public:
    struct Shell {
        // The surface the figure is drawn on: the picture's retained image.
        std::function<DrawingSurface&()> surface;
        // Shows the busy pointer over the window while busy is true.
        std::function<void(bool busy)> showBusy;
        // Brings to the screen what the drawing added after its last refresh, once the
        // window's thread is back in its event loop.
        std::function<void()> showTheRest;
        // Tells screen readers the picture's new description (UTF-8); it starts as
        // kPictureEmpty. May be empty where a shell gives the picture no description.
        std::function<void(std::string_view description)> describePicture;
        // Has screen readers say news (UTF-8) without moving the focus.
        std::function<void(std::string_view news)> announce;
        // Tells the user why the program cannot go on (failureMessage, titled kFailureTitle,
        // and failureLine on stderr), then ends it with status 1 once the window's thread is
        // back in its event loop.
        std::function<void(const Failure& failure)> fail;
    };

    explicit Form1Commands(Shell shell);

    // "描画": draws the figure and returns when it is complete, the busy pointer shown
    // meanwhile. A failing surface is reported and ends the program.
    void Command1_Click();
    // "描画中止": asks the drawing to stop. A drawing handles no input while it runs, so the
    // request is seen only after it, and the next drawing clears it.
    void Command3_Click();

    // The window's screen changed density. remakePicture makes the picture's image anew at
    // the size the new density needs, and throws if it cannot; a failure is reported and
    // ends the program. If a figure was drawn, the same draw command draws it again, so the
    // picture shows what a click at the new density would.
    void densityChanged(const std::function<void()>& remakePicture);

    const MainWindowState& state() const { return state_; }
    bool figureDrawn() const { return figureDrawn_; }

private:
    MainWindowState state_;
    bool figureDrawn_ = false;
    Shell shell_;
};
