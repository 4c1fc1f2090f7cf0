#include "window/win32/display/Dpi.h"

#include "window/win32/display/SystemFunction.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
// GetDpiForMonitor's MDT_EFFECTIVE_DPI: the resolution the user chose for the monitor.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

bool newerFunctionsWanted = true;

template <typename Function>
Function lookUp(HMODULE module, const char* name)
{
    return newerFunctionsWanted ? systemFunction<Function>(module, name) : nullptr;
}

HMODULE user32()
{
    return GetModuleHandleW(L"user32.dll");
}

HMODULE shcore()
{
    // Windows 8.1 and later; loaded, not imported, so that Windows 7 starts the program.
    static const HMODULE module = systemLibrary(L"shcore.dll");
    return module;
}

} // namespace

UINT dpiForWindow(HWND window)
{
    if (const auto getDpiForWindow = lookUp<GetDpiForWindowFunction>(user32(), "GetDpiForWindow"))
        return getDpiForWindow(window);
    if (const auto getDpiForMonitor = lookUp<GetDpiForMonitorFunction>(shcore(), "GetDpiForMonitor")) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)))
            return x;
    }
    const HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dotsPerInch > 0 ? static_cast<UINT>(dotsPerInch) : USER_DEFAULT_SCREEN_DPI;
}

BOOL adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, UINT dotsPerInch)
{
    if (const auto adjust = lookUp<AdjustWindowRectExForDpiFunction>(user32(), "AdjustWindowRectExForDpi"))
        return adjust(&rect, style, FALSE, extendedStyle, dotsPerInch);
    return AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

void useNewerDpiFunctions(bool use)
{
    newerFunctionsWanted = use;
}
