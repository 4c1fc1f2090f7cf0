#include "window/qt/display/DisplayConnection.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

bool displayConnectionLost()
{
    // The interface is there whenever Qt was built with X11, on any platform; only a
    // program on the xcb platform has a connection behind it.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    return connection != nullptr && xcb_connection_has_error(connection) != 0;
}
