// Looks at the running dragonfold.exe from outside, as the window system sees it, for the
// check under Wine:
//
//   probe_form1 geometry   prints "client W H at X Y dpi D" (X, Y: the inner area's screen
//                          position), then a line "WINDOWCLASS left top width height text"
//                          for each control, in the inner area's pixels
//   probe_form1 focus      prints "WINDOWCLASS text" of the control that has the focus
//   probe_form1 close      asks the window to close, as its close box does
//   probe_form1 minimize-restore
//                          minimises the window and restores it, as its title bar would
//   probe_form1 time-draw N
//                          presses "描画" N times, each time waiting until the drawing is
//                          complete, and prints the fastest and the median time in ms
//
// Waits up to 20 seconds for the window to be shown; exit status 1 if it is not.

#include "window/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HWND findForm1()
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        // Shown only once it is made, with its controls in place.
        const HWND window = FindWindowW(L"DragonfoldForm1", L"Form1");
        if (window != nullptr && IsWindowVisible(window))
            return window;
        Sleep(100);
    }
    return nullptr;
}

std::string classOf(HWND control)
{
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    return toUtf8(className);
}

std::string textOf(HWND control)
{
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return toUtf8(text);
}

BOOL CALLBACK printControl(HWND control, LPARAM form)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(form), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%s %ld %ld %ld %ld %s\n", classOf(control).c_str(), rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, textOf(control).c_str());
    return TRUE;
}

// BM_CLICK returns once the button's click has been handled, and with it the drawing.
int timeDrawing(HWND form, int times)
{
    const HWND draw = FindWindowExW(form, nullptr, L"Button", L"描画");
    if (draw == nullptr || times < 1)
        return 1;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> milliseconds;
    for (int i = 0; i < times; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        SendMessageW(draw, BM_CLICK, 0, 0);
        QueryPerformanceCounter(&end);
        milliseconds.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart)
                               / static_cast<double>(frequency.QuadPart));
    }
    std::ranges::sort(milliseconds);
    std::printf("drawing under this Windows: fastest %.2f ms, median %.2f ms of %d\n", milliseconds.front(),
                milliseconds[milliseconds.size() / 2], times);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command != "geometry" && command != "focus" && command != "close" && command != "minimize-restore"
        && !(command == "time-draw" && argc == 3)) {
        std::fprintf(stderr, "usage: probe_form1 geometry|focus|close|minimize-restore|time-draw N\n");
        return 2;
    }
    const HWND form = findForm1();
    if (form == nullptr) {
        std::fprintf(stderr, "probe_form1: no window Form1\n");
        return 1;
    }
    if (command == "close")
        return PostMessageW(form, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == "time-draw")
        return timeDrawing(form, std::atoi(argv[2]));
    if (command == "minimize-restore") {
        ShowWindow(form, SW_MINIMIZE);
        Sleep(300);
        ShowWindow(form, SW_RESTORE);
        SetForegroundWindow(form);
        return 0;
    }
    if (command == "focus") {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread) || thread.hwndFocus == nullptr)
            return 1;
        std::printf("%s %s\n", classOf(thread.hwndFocus).c_str(), textOf(thread.hwndFocus).c_str());
        return 0;
    }

    RECT client;
    GetClientRect(form, &client);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    std::printf("client %ld %ld at %ld %ld dpi %u\n", client.right, client.bottom, origin.x, origin.y,
                GetDpiForWindow(form));
    EnumChildWindows(form, printControl, reinterpret_cast<LPARAM>(form));
    return 0;
}
