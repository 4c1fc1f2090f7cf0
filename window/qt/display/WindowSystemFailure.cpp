#include "window/qt/display/WindowSystemFailure.h"

#include "window/Failure.h"

#include <QtGlobal>
#include <QRegularExpression>
#include <QString>

#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<QtMsgType, QString>> heldMessages;
QtMessageHandler qtsOwnHandler = nullptr;

std::string setting(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Which display Qt was asked for, or chose, and why it has none.
std::string describeDisplaySetting()
{
    const std::string platform = setting("QT_QPA_PLATFORM");
    const std::string display = setting("DISPLAY");
    const std::string wayland = setting("WAYLAND_DISPLAY");
    // Unasked, Qt takes X when DISPLAY is set and tries Wayland otherwise.
    const bool wantsX = platform.starts_with("xcb") || (platform.empty() && !display.empty());
    const bool wantsWayland = platform.starts_with("wayland") || (platform.empty() && display.empty());
    if (wantsX)
        return display.empty() ? "DISPLAY is not set" : "the X server DISPLAY=" + display + " does not answer";
    if (wantsWayland && !wayland.empty())
        return "the Wayland display WAYLAND_DISPLAY=" + wayland + " does not answer";
    if (!platform.empty())
        return "QT_QPA_PLATFORM=" + platform + " names no window system that works here";
    return "DISPLAY is not set";
}

// Qt is half set up or broken when it gives a fatal message: leave without running its exit
// handlers.
[[noreturn]] void endWith(const Failure& failure)
{
    std::fputs(failureLine(failure).c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

// The platform plugin that one of Qt's held messages names in the pattern's first group;
// empty if none does.
QString pluginHeldAs(const QRegularExpression& pattern)
{
    for (const auto& [type, message] : heldMessages)
        if (const QRegularExpressionMatch match = pattern.match(message); match.hasMatch())
            return match.captured(1);
    return {};
}

// The platform plugin that Qt looked for and did not find ("Could not find the Qt platform
// plugin "wayland" in """).
QString missingPlugin()
{
    static const QRegularExpression notFound(QStringLiteral("Could not find the Qt platform plugin \"([^\"]+)\""));
    return pluginHeldAs(notFound);
}

// Whether a platform plugin's library is in the program's memory: Qt keeps the one it
// loaded, even when the plugin then found no display.
bool platformPluginLoaded()
{
    auto isPlatformPlugin = [](dl_phdr_info* info, size_t, void*) {
        const std::string_view path = info->dlpi_name;
        return path.find("/platforms/libq") != std::string_view::npos ? 1 : 0;
    };
    return dl_iterate_phdr(isPlatformPlugin, nullptr) != 0;
}

// The platform plugin that Qt found but could not load, when no platform plugin's library
// came into memory: a library that it needs is missing, or the memory to map it ran out, and
// the display itself was never asked. Qt says the same ("Could not load the Qt platform
// plugin "xcb" in "" even though it was found.") of a plugin that loaded and found no
// display.
QString unloadablePlugin()
{
    static const QRegularExpression notLoaded(
        QStringLiteral("Could not load the Qt platform plugin \"([^\"]+)\".* even though it was found"));
    const QString plugin = pluginHeldAs(notLoaded);
    return plugin.isEmpty() || platformPluginLoaded() ? QString() : plugin;
}

// The plugins Qt's fatal message lists ("Available platform plugins are: xcb, …").
QString availablePlugins(const QString& fatalMessage)
{
    static const QRegularExpression available(QStringLiteral("Available platform plugins are: ([^\n]*[^.\n])"));
    return available.match(fatalMessage).captured(1);
}

// The Debian package that brings a platform plugin Qt's base package lacks.
QString packageOf(const QString& plugin)
{
    return plugin == QLatin1String("wayland") ? QStringLiteral("qt6-wayland") : QString();
}

// Whether a message Qt only warns with means that the window cannot work.
bool meansTheWindowCannotWork(const QString& message)
{
    // Qt starts a thread only where it needs one: the X connection's reader, without which no
    // event of the window ever arrives, the accessibility bus, the fonts. The program starts
    // none of its own.
    if (message.startsWith(QLatin1String("QThread::start: Thread creation error")))
        return true;
    // A Wayland window's buffer could not be made or mapped: Qt 6.4 then paints into a null
    // image and crashes.
    return message.startsWith(QLatin1String("QWaylandShmBuffer:"));
}

// Hands the messages held during the start to Qt's own handler, as Qt would have given them.
void passOnHeldMessages()
{
    for (const auto& [type, message] : std::exchange(heldMessages, {}))
        qtsOwnHandler(type, QMessageLogContext(), message);
}

void holdOrFail(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (meansTheWindowCannotWork(message))
        failWindowSystem(message.toStdString());
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    if (const QString plugin = missingPlugin(); !plugin.isEmpty()) {
        const QString package = packageOf(plugin);
        endWith({FailureKind::Start,
                 ("cannot open the display: Qt has no platform plugin \"" + plugin + "\" here"
                  + (package.isEmpty() ? QString() : " (Debian's package " + package + " brings it)")
                  + "; the platform plugins here are: " + availablePlugins(message)
                  + ". Install it, or set QT_QPA_PLATFORM to one of those.")
                     .toStdString()});
    }
    if (const QString plugin = unloadablePlugin(); !plugin.isEmpty()) {
        // Qt's own words come first: it names a missing library it knows of, and with
        // QT_DEBUG_PLUGINS=1 says why the plugin did not load.
        passOnHeldMessages();
        endWith({FailureKind::Start,
                 ("cannot open the display: Qt found its platform plugin \"" + plugin
                  + "\" but could not load it: a library that it needs is missing, or memory ran out"
                    " (QT_DEBUG_PLUGINS=1 shows which).")
                     .toStdString()});
    }
    endWith({FailureKind::Start, "cannot open the display: " + describeDisplaySetting()
                                     + ". Run it in a desktop session, set DISPLAY to a running X server "
                                       "(for example DISPLAY=:0), or set QT_QPA_PLATFORM to xcb or wayland."});
}

void passOnOrFail(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        endWith({FailureKind::WindowSystem, "it failed: " + message.toStdString()});
    // Qt warns so when the X server or the Wayland compositor goes away, then ends the
    // program itself, with a status that depends on its version (255 from Qt 6.8's Wayland
    // platform); ending it here gives status 1 on every version.
    if (message.contains(QLatin1String("connection broke")))
        endWith({FailureKind::WindowSystem, "it went away: " + message.toStdString()});
    if (meansTheWindowCannotWork(message))
        failWindowSystem(message.toStdString());
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
    passOnHeldMessages();
}

void failWindowSystem(const std::string& what)
{
    endWith({FailureKind::WindowSystem, "it refused what the window needs: " + what});
}

[[noreturn]] void failOnBug(const std::string& what)
{
    endWith({FailureKind::Bug, what});
}

int reportStartFailure(const std::string& what)
{
    std::fputs(failureLine({FailureKind::Start, what}).c_str(), stderr);
    return EXIT_FAILURE;
}
