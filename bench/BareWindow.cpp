// What a Qt 6 program of this build costs to start with nothing of dragonfold's own: one
// window the size of Form1 with one button. tools/bench-startup measures dragonfold against
// it.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.resize(799, 460);
    QPushButton button(QString::fromUtf8("描画"), &window);
    button.setGeometry(640, 8, 73, 25);
    window.show();
    return application.exec();
}
