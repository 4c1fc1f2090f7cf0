#include "window/qt/Form1.h"
#include "window/qt/WindowSystemStart.h"

#include <QApplication>
#include <QIcon>

namespace {

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral("dragonfold"));
    QApplication::setApplicationVersion(QStringLiteral(DRAGONFOLD_VERSION));
    // Lets the desktop match the window to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dragonfold.Dragonfold"));
    QIcon icon;
    for (const char* image : {":/dragonfold-16x16-16colours.png", ":/dragonfold-32x32-16colours.png",
                              ":/dragonfold-32x32-2colours.png"})
        icon.addFile(QString::fromLatin1(image));
    QApplication::setWindowIcon(icon);
}

} // namespace

int main(int, char** argv)
{
    // The program takes no command line, so Qt's own options are not read either.
    static int argumentCount = 1;
    static char* arguments[] = {argv[0], nullptr};

    beginWindowSystemStart();
    QApplication application(argumentCount, arguments);
    endWindowSystemStart();
    describeApplication();

    Form1 window;
    window.show();
    return application.exec();
}
