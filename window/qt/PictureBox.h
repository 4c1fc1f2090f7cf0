#pragma once

#include "surface/RetainedImage.h"

#include <QImage>
#include <QWidget>

// Picture1: shows the retained image that the figure draws on. The image has one pixel per
// device pixel, so lines stay one screen pixel wide on a high-density screen; painting only
// copies the exposed part of it to the screen.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    // logicalSize in the window's (device-independent) pixels.
    PictureBox(QSize logicalSize, QWidget* parent);

    RetainedImage& surface() { return image_; }
    const RetainedImage& surface() const { return image_; }

    // Schedules a repaint of what was drawn since the last presentation, for when the
    // window's thread is back in its event loop.
    void updateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void present(const PixelRect& changed);
    QRect toLogical(const PixelRect& devicePixels) const;
    QRect toDevice(const QRect& logical) const;

    qreal pixelRatio_;
    RetainedImage image_;
    QImage view_;  // the image's own buffer, without a copy
};
