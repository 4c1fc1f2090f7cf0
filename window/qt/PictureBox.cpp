#include "window/qt/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

int toDevicePixels(int logical, qreal ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}

} // namespace

PictureBox::PictureBox(QSize logicalSize, QWidget* parent)
    : QWidget(parent)
    , pixelRatio_(parent->devicePixelRatioF())
    , image_(toDevicePixels(logicalSize.width(), pixelRatio_), toDevicePixels(logicalSize.height(), pixelRatio_))
    , view_(reinterpret_cast<const uchar*>(image_.pixels()), image_.width(), image_.height(),
            static_cast<qsizetype>(image_.stride()) * static_cast<qsizetype>(sizeof(std::uint32_t)),
            QImage::Format_RGB32)
{
    view_.setDevicePixelRatio(pixelRatio_);
    setFixedSize(logicalSize);
    // Every pixel comes from the image, which keeps its content between paints.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    image_.setPresenter([this](const RetainedImage&, const PixelRect& changed) { present(changed); });
}

void PictureBox::updateChanged()
{
    const PixelRect changed = image_.takeChangedRect();
    if (!changed.isEmpty())
        update(toLogical(changed));
}

void PictureBox::present(const PixelRect& changed)
{
    // Paints before returning: the drawing does not go back to the event loop until it ends.
    if (!changed.isEmpty())
        repaint(toLogical(changed));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, view_, toDevice(dirty));
}

QRect PictureBox::toLogical(const PixelRect& device) const
{
    const int left = static_cast<int>(std::floor(device.left / pixelRatio_));
    const int top = static_cast<int>(std::floor(device.top / pixelRatio_));
    const int right = static_cast<int>(std::ceil(device.right / pixelRatio_));
    const int bottom = static_cast<int>(std::ceil(device.bottom / pixelRatio_));
    return QRect(left, top, right - left, bottom - top);
}

QRect PictureBox::toDevice(const QRect& logical) const
{
    const int left = toDevicePixels(logical.left(), pixelRatio_);
    const int top = toDevicePixels(logical.top(), pixelRatio_);
    const int right = toDevicePixels(logical.left() + logical.width(), pixelRatio_);
    const int bottom = toDevicePixels(logical.top() + logical.height(), pixelRatio_);
    return QRect(left, top, right - left, bottom - top);
}
