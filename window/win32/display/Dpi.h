#pragma once

#include <windows.h>

// The resolution functions that newer Windows added, looked up when first needed so that
// the program starts on Windows 7, which lacks them; each falls back to what older Windows
// offers.

// The dots per inch of the monitor the window is on: GetDpiForWindow (Windows 10 1607), else
// GetDpiForMonitor (8.1), else the screen's LOGPIXELSX (7: one resolution for every monitor).
UINT dpiForWindow(HWND window);

// The window rectangle around a client rectangle at a resolution: AdjustWindowRectExForDpi
// (Windows 10 1607), else AdjustWindowRectEx, whose frame is that of the system's resolution.
BOOL adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, UINT dotsPerInch);

// For tests: off, every call takes the path of Windows 7, as if the newer functions were
// missing.
void useNewerDpiFunctions(bool use);
