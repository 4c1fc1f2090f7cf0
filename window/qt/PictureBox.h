#pragma once

#include "surface/RetainedImage.h"
#include "window/qt/display/FramePacer.h"

#include <QImage>
#include <QWidget>

#include <memory>

// Picture1: shows the retained image that the figure draws on. The image has exactly one
// pixel for each device pixel the picture covers on screen, at any device-pixel ratio,
// fractional ones included, and is painted 1:1, so lines stay one screen pixel wide and
// nothing is resampled; painting only copies the exposed part of it to the screen.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    // place: the picture's rectangle in its window's (device-independent) pixels. Throws
    // SurfaceError if the window's device-pixel ratio makes an image of that size impossible.
    PictureBox(const QRect& place, QWidget* parent);

    RetainedImage& surface() { return *image_; }
    const RetainedImage& surface() const { return *image_; }

    // Whether the window's density has changed since the image was made, so that the image
    // no longer matches the device pixels it is shown on.
    bool densityChanged() const;
    // Sends densityChangeSeen if the density has changed: for each report from Qt that it may
    // have, such as the window being exposed anew.
    void checkDensity();
    // Makes the image anew, black, at the size the present density needs. Throws
    // SurfaceError if that size is impossible; the old image then stays.
    void remakeImage();

    // Schedules a repaint of what was drawn since the last presentation, for when the
    // window's thread is back in its event loop.
    void updateChanged();

signals:
    // The density changed under the picture; the image is made anew by whoever receives this,
    // once the window's thread is back in its event loop, never while Qt reports the change.
    void densityChangeSeen();
    // A paint found nowhere to paint: the window system refused the window's back buffer.
    void paintingRefused();

protected:
    // Qt's reports of a new screen or a new ratio, where the picture checks its density.
    bool event(QEvent* event) override;
    // Only copies the image to the screen.
    void paintEvent(QPaintEvent* event) override;

private:
    // The image's size in device pixels at the window's present device-pixel ratio.
    QSize deviceSize() const;
    void present(const PixelRect& changed);
    QRect toLogical(const PixelRect& devicePixels) const;

    std::unique_ptr<FramePacer> pacer_;
    std::unique_ptr<RetainedImage> image_;
    QImage view_;  // the image's own buffer, without a copy
};
