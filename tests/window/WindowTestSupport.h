#pragma once

#include "FigureSupport.h"
#include "window/qt/Form1.h"
#include "window/qt/PictureBox.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A shown and exposed Form1: a window that was never exposed gets no paints.
inline std::unique_ptr<Form1> shownForm1()
{
    auto window = std::make_unique<Form1>();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    return window;
}

template <typename Widget = QWidget>
Widget* control(const Form1& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline PictureBox& picture(const Form1& window)
{
    return *control<PictureBox>(window, "Picture1");
}

// Clicks like a user and lets the window finish what the click started.
inline void click(const Form1& window, const char* button)
{
    QTest::mouseClick(control<QAbstractButton>(window, button), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// What the picture shows on screen, as the window system would composite it.
inline QImage grabbed(PictureBox& box)
{
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Compares every pixel whole, alpha included: both must be opaque.
inline bool showsImage(const QImage& shown, const RetainedImage& image)
{
    if (shown.width() != image.width() || shown.height() != image.height())
        return false;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (shown.pixel(column, row) != image.pixel(column, row))
                return false;
    return true;
}
