// The main of the window tests: Qt's offscreen platform, so the tests need no display and
// test discovery works at build time too. DRAGONFOLD_TEST_SCALE_FACTOR, when defined, runs
// them on a screen of that many device pixels per window pixel.

#include <QApplication>

#include <gtest/gtest.h>

#define DRAGONFOLD_STRINGIFY2(x) #x
#define DRAGONFOLD_STRINGIFY(x) DRAGONFOLD_STRINGIFY2(x)

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef DRAGONFOLD_TEST_SCALE_FACTOR
    qputenv("QT_SCALE_FACTOR", DRAGONFOLD_STRINGIFY(DRAGONFOLD_TEST_SCALE_FACTOR));
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
