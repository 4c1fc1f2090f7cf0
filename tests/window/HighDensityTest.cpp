#include "WindowTestSupport.h"

#include "window/qt/display/WholeDeviceSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The offscreen screens of screens.json: the window opens on "dense", with two device
// pixels per window pixel; "plain" has one and "fractional" one and a half.
void moveTo(Form1& window, const char* screenName)
{
    QScreen* target = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(screenName))
            target = screen;
    ASSERT_NE(target, nullptr) << screenName;
    window.windowHandle()->setScreen(target);
    // The picture notices the new density as Qt reports the new screen, and makes its image
    // anew once the window's thread is back in its event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !picture(window).densityChanged(); }, 2000)) << screenName;
    QCoreApplication::processEvents();
}

TEST(Form1OnADenseScreen, DrawsOneDevicePixelWideIntoAnImageTwiceAsLarge)
{
    const auto window = shownForm1();
    ASSERT_EQ(window->devicePixelRatioF(), 2.0);
    PictureBox& box = picture(*window);
    EXPECT_EQ(box.size(), QSize(577, 417));
    EXPECT_EQ(box.surface().width(), 1154);
    EXPECT_EQ(box.surface().height(), 834);

    click(*window, "Command1");
    const auto expected = coreFigure(1154, 834);
    EXPECT_TRUE(samePixels(box.surface(), *expected));
    const QImage shown = grabbed(box);
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_TRUE(showsImage(shown, *expected));
}

TEST(Form1OnScreensOfOtherDensities, KeepsTheFigureCrispWhenTheWindowMovesBetweenThem)
{
    const auto window = shownForm1();
    PictureBox& box = picture(*window);

    // Before the first drawing the picture stays black, at the new size.
    moveTo(*window, "plain");
    EXPECT_EQ(box.surface().width(), 577);
    EXPECT_TRUE(allBlack(box.surface()));
    EXPECT_FALSE(window->figureDrawn());

    click(*window, "Command1");
    struct Density {
        const char* screen;
        double ratio;
        int width;
        int height;
    };
    for (const Density& density : {Density{"fractional", 1.5, 866, 626}, Density{"dense", 2, 1154, 834},
                                   Density{"plain", 1, 577, 417}}) {
        moveTo(*window, density.screen);
        ASSERT_EQ(window->devicePixelRatioF(), density.ratio) << density.screen;
        const auto expected = coreFigure(density.width, density.height);
        EXPECT_TRUE(samePixels(box.surface(), *expected)) << density.screen;
        EXPECT_TRUE(showsImage(grabbed(box), *expected)) << density.screen;
    }
}

// The window's 799 x 460 at a Wayland compositor's scales, alone and with decorations Qt
// draws itself around it: the surface must come out whole, the content lose the least.
TEST(WholeDeviceSize, IsTheLargestSizeNoBiggerWhoseSurfaceIsWhole)
{
    struct Case {
        double scale;
        QMargins decoration;
        QSize whole;
    };
    const QSize content(799, 460);
    for (const Case& c : {Case{1, {}, {799, 460}}, Case{2, {}, {799, 460}}, Case{1.25, {}, {796, 460}},
                          Case{1.5, {}, {798, 460}}, Case{1.75, {}, {796, 460}}, Case{1.2, {}, {795, 460}},
                          Case{4.0 / 3, {}, {798, 459}}, Case{1.5, {1, 30, 2, 3}, {799, 459}},
                          Case{1.25, {0, 37, 0, 0}, {796, 459}},
                          Case{1.05, {}, {780, 460}},
                          // No whole size within reach: left as it is.
                          Case{121.0 / 120, {}, {799, 460}}, Case{1.0001, {}, {799, 460}}}) {
        const QSize whole = largestWholeDeviceSize(content, c.decoration, c.scale);
        EXPECT_EQ(whole, c.whole) << c.scale;
        const QSize surface = whole.grownBy(c.decoration);
        if (whole != content) {
            EXPECT_DOUBLE_EQ(surface.width() * c.scale, std::round(surface.width() * c.scale)) << c.scale;
            EXPECT_DOUBLE_EQ(surface.height() * c.scale, std::round(surface.height() * c.scale)) << c.scale;
        }
    }
}

} // namespace
