#include "window/qt/display/ScreenCheck.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// Qt's raster painting needs 15-bit colour or more; on fewer it paints nothing at all.
constexpr int kFewestColourBits = 15;

double lowestDevicePixelRatio()
{
    double lowest = std::numeric_limits<double>::infinity();
    for (const QScreen* screen : QGuiApplication::screens())
        lowest = std::min(lowest, screen->devicePixelRatio());
    return lowest;
}

} // namespace

bool raiseScaleToAtLeastOne()
{
    const double lowest = lowestDevicePixelRatio();
    if (!(lowest > 0 && lowest < 1))
        return false;
    std::fprintf(stderr,
                 "dragonfold: the screen's scale %g (%s) is below 1, at which the window's controls "
                 "cannot be laid out; showing it at scale 1\n",
                 lowest, scaleSettings().c_str());
    bool set = false;
    const double global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    const double raised = (set && global > 0 ? global : 1.0) / lowest;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(raised, 'g', 17));
    return true;
}

std::optional<std::string> screenProblem()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return "the window system (" + QGuiApplication::platformName().toStdString()
               + ") offers no screen to show the window on";
    const double ratio = lowestDevicePixelRatio();
    if (!std::isfinite(ratio) || ratio <= 0) {
        char number[32];
        std::snprintf(number, sizeof number, "%g", ratio);
        return std::string("the screen's scale ") + number + " (" + scaleSettings()
               + ") leaves the window no pixels; it must be a number above 0";
    }
    if (screen->depth() < kFewestColourBits)
        return "the screen has " + std::to_string(screen->depth())
               + "-bit colour; dragonfold needs a screen of at least 15-bit colour";
    return std::nullopt;
}

std::string scaleSettings()
{
    std::string settings;
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI",
                             "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_ENABLE_HIGHDPI_SCALING"}) {
        const char* value = std::getenv(name);
        if (value == nullptr)
            continue;
        settings += (settings.empty() ? "" : ", ") + std::string(name) + "=" + value;
    }
    return settings.empty() ? "the screen's own setting, such as Xft.dpi" : settings;
}
