#pragma once

#include <QMargins>
#include <QSize>

// A Wayland compositor shows a window of logical width w at logical x on the device pixels
// from round(x * scale) to round((x + w) * scale), while Qt draws it into round(w * scale)
// of them. Where w * scale is not whole the two disagree by a column at some places, and the
// compositor then resamples the whole window to fit: the picture is no longer 1:1. A window
// whose surface (content and any decoration Qt draws around it) is whole in device pixels
// at its scale is shown as drawn wherever it sits.

// The largest size no bigger than `content`, and smaller by less than 24 pixels each way,
// whose surface `content` + `decoration` is a whole number of device pixels at `scale` in
// each direction. `content` itself when it is whole already, or when no such size is near
// (a scale that is no simple fraction).
QSize largestWholeDeviceSize(QSize content, QMargins decoration, double scale);
