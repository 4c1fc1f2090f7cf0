#include "window/qt/WindowSystemStart.h"

#include <QtGlobal>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<QtMsgType, QString>> heldMessages;
QtMessageHandler qtsOwnHandler = nullptr;

std::string describeDisplaySetting()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0')
        return std::string("QT_QPA_PLATFORM=") + platform + " names no window system that works here";
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0'))
        return "DISPLAY is not set";
    if (display != nullptr && *display != '\0')
        return std::string("the X server DISPLAY=") + display + " does not answer";
    return std::string("the Wayland display WAYLAND_DISPLAY=") + wayland + " does not answer";
}

// Qt is half set up or broken when it gives a fatal message: leave without running its exit
// handlers.
[[noreturn]] void endWithLine(const std::string& line)
{
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

void holdOrFail(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    endWithLine("dragonfold: cannot open the display: " + describeDisplaySetting()
                + ". Run it in a desktop session, set DISPLAY to a running X server "
                  "(for example DISPLAY=:0), or set QT_QPA_PLATFORM to xcb or wayland.\n");
}

void passOnOrFail(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        endWithLine("dragonfold: the window system failed: " + message.toStdString() + "\n");
    qtsOwnHandler(type, context, message);
}

} // namespace

void beginWindowSystemStart()
{
    qtsOwnHandler = qInstallMessageHandler(holdOrFail);
}

void endWindowSystemStart()
{
    qInstallMessageHandler(passOnOrFail);
    for (const auto& [type, message] : std::exchange(heldMessages, {}))
        qtsOwnHandler(type, QMessageLogContext(), message);
}

int reportStartFailure(const char* what)
{
    std::fprintf(stderr, "dragonfold: %s\n", what);
    return EXIT_FAILURE;
}
