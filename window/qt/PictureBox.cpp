#include "window/qt/PictureBox.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

// The device pixel edge nearest to a device position, halves upwards.
int nearestPixelEdge(double device)
{
    return static_cast<int>(std::floor(device + 0.5));
}

// Qt gives a window-relative logical span [from, to) the device pixels between the edges
// nearest to from x ratio and to x ratio: this is the first device pixel for from, and the
// first beyond the span for to. Measured on Qt 6.4 and 6.8 at ratios from 1 to 3.
int firstDevicePixelAt(double logical, double ratio)
{
    return nearestPixelEdge(logical * ratio);
}

QImage viewOf(const RetainedImage& image)
{
    return QImage(reinterpret_cast<const uchar*>(image.pixels()), image.width(), image.height(),
                  static_cast<qsizetype>(image.stride()) * static_cast<qsizetype>(sizeof(std::uint32_t)),
                  QImage::Format_RGB32);
}

} // namespace

PictureBox::PictureBox(const QRect& place, QWidget* parent)
    : QWidget(parent)
{
    setGeometry(place);
    setFixedSize(place.size());
    // Every pixel comes from the image, which keeps its content between paints.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    pacer_ = makeFramePacer(this);
    remakeImage();
}

QSize PictureBox::deviceSize() const
{
    const double ratio = devicePixelRatioF();
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    const QPoint end = origin + QPoint(width(), height());
    return {firstDevicePixelAt(end.x(), ratio) - firstDevicePixelAt(origin.x(), ratio),
            firstDevicePixelAt(end.y(), ratio) - firstDevicePixelAt(origin.y(), ratio)};
}

bool PictureBox::densityChanged() const
{
    return deviceSize() != view_.size();
}

void PictureBox::remakeImage()
{
    const QSize size = deviceSize();
    auto image = std::make_unique<RetainedImage>(size.width(), size.height());
    image->setPresenter([this](const RetainedImage&, const PixelRect& changed) { present(changed); });
    view_ = viewOf(*image);
    image_ = std::move(image);
    update();
}

void PictureBox::updateChanged()
{
    const PixelRect changed = image_->takeChangedRect();
    const double ratio = devicePixelRatioF();
    // At a fractional ratio, the whole picture: on Wayland, Qt 6.11 may leave out a device
    // column of a stage's repaint when it carries the last buffer's content over into a new
    // one, and only a repaint of everything mends that. It is one copy of the picture a
    // drawing.
    if (ratio != std::floor(ratio))
        update();
    else if (!changed.isEmpty())
        update(toLogical(changed));
}

void PictureBox::present(const PixelRect& changed)
{
    // Paints, and returns once the stage is on the screen: the drawing does not go back to
    // the event loop until it ends, and each stage is seen for about a frame.
    if (changed.isEmpty())
        return;
    pacer_->beginStage();
    repaint(toLogical(changed));
    pacer_->endStage();
}

void PictureBox::checkDensity()
{
    if (densityChanged())
        emit densityChangeSeen();
}

bool PictureBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // A new scale on the same screen; an older Qt takes one only with another screen.
    case QEvent::DevicePixelRatioChange:
#endif
        checkDensity();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    // Paints in device pixels: the painter's own mapping puts this widget's corner at a
    // fractional device position when the ratio is fractional; the image's first pixel goes
    // on the first device pixel the picture covers, and every other one beside it, 1:1.
    QPainter painter(this);
    // A painter that did not begin has nowhere to paint: the window would stay black.
    if (!painter.isActive()) {
        emit paintingRefused();
        return;
    }
    const QTransform toDevice = painter.deviceTransform();
    const double scale = toDevice.m11();
    const double firstColumn = nearestPixelEdge(toDevice.dx());
    const double firstRow = nearestPixelEdge(toDevice.dy());
    painter.setWorldTransform(QTransform(1 / scale, 0, 0, 1 / scale, (firstColumn - toDevice.dx()) / scale,
                                         (firstRow - toDevice.dy()) / scale));
    painter.drawImage(QPoint(0, 0), view_);
}

QRect PictureBox::toLogical(const PixelRect& device) const
{
    // Image pixel i lies on the window's device pixel first + i, which covers the window's
    // logical span [(first + i) / ratio, (first + i + 1) / ratio).
    const double ratio = devicePixelRatioF();
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    const int firstColumn = firstDevicePixelAt(origin.x(), ratio);
    const int firstRow = firstDevicePixelAt(origin.y(), ratio);
    const auto logical = [ratio](int devicePixel, int originPixel) { return devicePixel / ratio - originPixel; };
    const int left = static_cast<int>(std::floor(logical(firstColumn + device.left, origin.x())));
    const int top = static_cast<int>(std::floor(logical(firstRow + device.top, origin.y())));
    const int right = static_cast<int>(std::ceil(logical(firstColumn + device.right, origin.x())));
    const int bottom = static_cast<int>(std::ceil(logical(firstRow + device.bottom, origin.y())));
    return QRect(left, top, right - left, bottom - top).intersected(rect());
}
