// Looks at the running dragonfold.exe from outside, as the window system sees it, for the
// check under Wine:
//
//   probe_form1 geometry   prints "client W H at X Y dpi D" (X, Y: the inner area's screen
//                          position), then a line "WINDOWCLASS left top width height text"
//                          for each control, in the inner area's pixels
//   probe_form1 focus      prints "WINDOWCLASS text" of the control that has the focus
//   probe_form1 close      asks the window to close, as its close box does
//
// Waits up to 20 seconds for the window to be shown; exit status 1 if it is not.

#include <windows.h>

#include <cstdio>
#include <string>

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

std::string utf8(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), bytes, nullptr,
                        nullptr);
    return result;
}

std::string classOf(HWND control)
{
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    return utf8(className);
}

std::string textOf(HWND control)
{
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return utf8(text);
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

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc == 2 ? argv[1] : "";
    if (command != "geometry" && command != "focus" && command != "close") {
        std::fprintf(stderr, "usage: probe_form1 geometry|focus|close\n");
        return 2;
    }
    const HWND form = findForm1();
    if (form == nullptr) {
        std::fprintf(stderr, "probe_form1: no window Form1\n");
        return 1;
    }
    if (command == "close")
        return PostMessageW(form, WM_CLOSE, 0, 0) ? 0 : 1;
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
