#pragma once

#include "window/win32/Failure.h"

#include <windows.h>

// Ties a window class's messages to a C++ object: the object's address travels in the
// creation parameter, is kept in the window's user data at WM_NCCREATE, and every later
// message goes to Derived::HandleMessage. No C++ exception leaves it: unwinding through
// Windows' own frames is undefined, so one that reaches here is reported and ends the
// program with status 1.
template <typename Derived>
class BaseWindow {
public:
    HWND hwnd() const { return hwnd_; }

protected:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            failOnException();
        }
    }

    // Registers the class once, the first time a window of it is made.
    static void registerClass(const wchar_t* className, HBRUSH background, HICON icon = nullptr,
                              HICON smallIcon = nullptr);

    HWND hwnd_ = nullptr;
};

template <typename Derived>
void BaseWindow<Derived>::registerClass(const wchar_t* className, HBRUSH background, HICON icon, HICON smallIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass))
        return;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.lpszClassName = className;
    SetLastError(ERROR_SUCCESS);
    if (RegisterClassExW(&windowClass) == 0)
        failWindowSystem(L"RegisterClassExW");
}
