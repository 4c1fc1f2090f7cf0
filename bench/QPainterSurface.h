#pragma once

#include "surface/DrawingSurface.h"

#include <QImage>
#include <QPainter>

// The surface as a straightforward Qt program would realise it: each Line drawn with
// QPainter into a QImage, one painter for the image's life, the pen set per segment.
class QPainterSurface final : public DrawingSurface {
public:
    QPainterSurface(int width, int height)
        : image_(width, height, QImage::Format_RGB32)
        , painter_(&image_)
    {
    }

    void SetScaleLeft(float v) override { left_ = v; applyScale(); }
    void SetScaleTop(float v) override { top_ = v; applyScale(); }
    void SetScaleWidth(float v) override { width_ = v; applyScale(); }
    void SetScaleHeight(float v) override { height_ = v; applyScale(); }
    void SetBackColor(RgbColor color) override { back_ = color; }
    void Cls() override
    {
        painter_.save();
        painter_.resetTransform();
        painter_.fillRect(image_.rect(), toQColor(back_));
        painter_.restore();
    }
    void SetDrawWidth(std::int16_t pixels) override { penWidth_ = pixels; }
    void Line(float x1, float y1, float x2, float y2, RgbColor color) override
    {
        QPen pen(toQColor(color));
        pen.setWidth(penWidth_);
        pen.setCosmetic(true);
        painter_.setPen(pen);
        painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void Refresh() override {}

    const QImage& image() const { return image_; }

private:
    static QColor toQColor(RgbColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

    void applyScale()
    {
        painter_.setTransform(QTransform::fromScale(image_.width() / width_, image_.height() / height_)
                                  .translate(-left_, -top_));
    }

    QImage image_;
    QPainter painter_;
    float left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    RgbColor back_ = 0;
    int penWidth_ = 1;
};
