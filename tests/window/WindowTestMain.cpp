// The main of the window tests: Qt's offscreen platform, so the tests need no display and
// test discovery works at build time too. DRAGONFOLD_TEST_SCREENS, when defined, names a
// file that lays out the offscreen screens, with their device-pixel ratios.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
#ifdef DRAGONFOLD_TEST_SCREENS
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" DRAGONFOLD_TEST_SCREENS);
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
