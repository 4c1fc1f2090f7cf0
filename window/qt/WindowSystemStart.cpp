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

void holdOrFail(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    const std::string line = "dragonfold: cannot open the display: " + describeDisplaySetting()
                             + ". Run it in a desktop session, set DISPLAY to a running X server "
                               "(for example DISPLAY=:0), or set QT_QPA_PLATFORM to xcb or wayland.\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Qt is half set up: leave without running its exit handlers.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void beginWindowSystemStart()
{
    qInstallMessageHandler(holdOrFail);
}

void endWindowSystemStart()
{
    qInstallMessageHandler(nullptr);
    for (const auto& [type, message] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), message);
}
