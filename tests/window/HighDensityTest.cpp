#include "WindowTestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

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
    // The picture notices the new density when it is next painted, and makes its image anew
    // once the window's thread is back in its event loop.
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

} // namespace
