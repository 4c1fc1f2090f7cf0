#pragma once

#include <QSize>

class QWidget;

// Keeps a window on Wayland at a fractional scale at a size the compositor shows without
// resampling it (see WholeDeviceSize.h): the largest whole size at or below the size the user
// or the compositor chose, smaller by less than 24 pixels each way. The controls keep their
// places. A size the desktop insists on (maximised, full screen, a tiling layout) is kept as
// given, and on other window systems nothing is done.
class WholePixelWindowSize {
public:
    explicit WholePixelWindowSize(QWidget& window) : window_(window) {}

    // After every resize of the window and every change of its density.
    void keep();

private:
    QWidget& window_;
    QSize wanted_;       // the size chosen by the user or the compositor
    QSize made_;         // the size keep last gave the window
    QSize changedFrom_;  // the size it had then
};
