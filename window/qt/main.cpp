#include "window/qt/Form1.h"
#include "window/qt/WindowSystemStart.h"

#include <QApplication>

int main(int, char** argv)
{
    // The program takes no command line, so Qt's own options are not read either.
    static int argumentCount = 1;
    static char* arguments[] = {argv[0], nullptr};

    beginWindowSystemStart();
    QApplication application(argumentCount, arguments);
    endWindowSystemStart();

    Form1 window;
    window.show();
    return application.exec();
}
