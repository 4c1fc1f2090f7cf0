#pragma once

#include <windows.h>

#include <string_view>

// Has screen readers say message (UTF-8) without moving the focus, as a UI Automation
// notification about the control source. Windows before 10 version 1709 has no such
// notification; there, and where UI Automation is missing, nothing is said. Returns whether
// the notification was raised.
bool announce(HWND source, std::string_view message);
