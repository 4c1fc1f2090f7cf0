#include "window/qt/display/WholePixelWindowSize.h"

#include "window/qt/display/WholeDeviceSize.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void WholePixelWindowSize::keep()
{
    // Only a Wayland compositor scales a window's logical size; on X11 a window is sized in
    // device pixels and always whole. A maximised or full-screen window must keep the size
    // it was given.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || window_.windowHandle() == nullptr
        || (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0)
        return;
    const QSize size = window_.size();
    // A size this did not make is the one the user or the compositor chose; each scale
    // gets the whole size nearest below it, so the window is its own size again at a scale
    // where that is whole.
    if (size != made_)
        wanted_ = size;
    const QSize whole = largestWholeDeviceSize(wanted_, window_.windowHandle()->frameMargins(),
                                               window_.devicePixelRatioF());
    if (whole == size)
        return;
    // A compositor that gives back the size this changed insists on it (a tiling layout
    // does): it is kept then, rather than resized for ever.
    if (size == changedFrom_ && size != made_)
        return;
    changedFrom_ = size;
    made_ = whole;
    window_.resize(whole);
}
