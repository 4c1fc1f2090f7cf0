#include "window/Failure.h"
#include "window/qt/FatalSignals.h"
#include "window/qt/Form1.h"
#include "window/qt/display/FirstShowDeadline.h"
#include "window/qt/display/ScreenCheck.h"
#include "window/qt/display/WindowSystemFailure.h"

#include <QApplication>
#include <QIcon>

#include <exception>
#include <memory>
#include <string>

namespace {

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral("dragonfold"));
    QApplication::setApplicationVersion(QStringLiteral(DRAGONFOLD_VERSION));
    // Lets the desktop match the window to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dragonfold.Dragonfold"));
    // The sizes a title bar, a task bar and a window switcher show; larger ones come from the
    // icon theme, through the desktop entry. Each image here is decoded and sent to the
    // window system before the window first shows, and the 128- and 256-pixel ones took
    // longer than all the rest of the icon.
    // Smallest first: X puts them into one window property in this order, and tools that
    // read only its beginning then still find the small images a title bar shows.
    QIcon icon;
    for (const char* image : {":/dragonfold-16x16-16colours.png", ":/dragonfold-32x32-16colours.png",
                              ":/dragonfold-48x48.png", ":/dragonfold-64x64.png"})
        icon.addFile(QString::fromLatin1(image));
    QApplication::setWindowIcon(icon);
}

// An exception that leaves an event handler ends the program through std::terminate,
// which would abort with a core dump.
[[noreturn]] void endOnUncaughtException()
{
    failOnBug(currentExceptionCause());
}

} // namespace

int main(int, char** argv)
{
    armFirstShowDeadline();
    std::set_terminate(endOnUncaughtException);
    endFatalSignalsWithALine();
    // The program takes no command line, so Qt's own options are not read either.
    static int argumentCount = 1;
    static char* arguments[] = {argv[0], nullptr};

    beginWindowSystemStart();
    auto application = std::make_unique<QApplication>(argumentCount, arguments);
    if (raiseScaleToAtLeastOne()) {
        application.reset();
        application = std::make_unique<QApplication>(argumentCount, arguments);
    }
    endWindowSystemStart();
    if (const auto problem = screenProblem())
        return reportStartFailure(*problem);
    describeApplication();

    std::unique_ptr<Form1> window;
    try {
        window = std::make_unique<Form1>();
    } catch (const std::exception& failure) {
        const std::string what = "at the screen's scale (" + scaleSettings()
                                 + ") the picture cannot be made: " + failure.what();
        return reportStartFailure(what);
    }
    window->show();
    return application->exec();
}
