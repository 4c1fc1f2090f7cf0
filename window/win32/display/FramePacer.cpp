#include "window/win32/display/FramePacer.h"

#include "window/win32/display/SystemFunction.h"


namespace {

// dwmapi, from Windows Vista: loaded, not imported, so that the program needs no DLL beyond
// the ones every Windows brings.
using DwmIsCompositionEnabledFunction = HRESULT(WINAPI*)(BOOL*);
using DwmFlushFunction = HRESULT(WINAPI*)();
constexpr int kUsualRefreshRate = 60;

struct Composition {
    DwmIsCompositionEnabledFunction isEnabled = nullptr;
    DwmFlushFunction flush = nullptr;
};

const Composition& composition()
{
    static const Composition found = [] {
        const HMODULE dwm = systemLibrary(L"dwmapi.dll");
        return Composition{systemFunction<DwmIsCompositionEnabledFunction>(dwm, "DwmIsCompositionEnabled"),
                           systemFunction<DwmFlushFunction>(dwm, "DwmFlush")};
    }();
    return found;
}

// Composition can be switched off while the program runs (Windows 7's basic theme), so this
// is asked at every stage.
bool composed()
{
    const Composition& dwm = composition();
    BOOL enabled = FALSE;
    return dwm.isEnabled != nullptr && dwm.flush != nullptr && SUCCEEDED(dwm.isEnabled(&enabled)) && enabled;
}

std::chrono::microseconds refreshPeriod(HWND window)
{
    const HDC dc = GetDC(window);
    int rate = dc != nullptr ? GetDeviceCaps(dc, VREFRESH) : 0;
    if (dc != nullptr)
        ReleaseDC(window, dc);
    // 0 and 1 stand for the hardware's default rate.
    if (rate <= 1 || rate > 1000)
        rate = kUsualRefreshRate;
    return std::chrono::microseconds(1'000'000 / rate);
}

bool isShown(HWND window)
{
    const HWND root = GetAncestor(window, GA_ROOT);
    return IsWindowVisible(window) && root != nullptr && !IsIconic(root);
}

// Waits as a thread with no input to take: a message wait that no message ends, so that none
// is handled meanwhile. (Wine brings the window's pixels to the X server in such a wait, and
// in a plain sleep only every 50 ms.)
void waitUntil(std::chrono::steady_clock::time_point due)
{
    for (auto now = std::chrono::steady_clock::now(); now < due; now = std::chrono::steady_clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left), 0, 0);
    }
}

} // namespace

void FramePacer::endStage()
{
    GdiFlush();  // GDI batches calls: the stage must leave before the wait
    const auto now = std::chrono::steady_clock::now();
    if (!isShown(window_)) {
        lastStage_ = now;
        return;
    }
    if (composed()) {
        composition().flush();
        lastStage_ = std::chrono::steady_clock::now();
        return;
    }
    const auto due = lastStage_ + refreshPeriod(window_);
    if (now < due) {
        waitUntil(due);
        lastStage_ = due;
    } else {
        lastStage_ = now;
    }
}
