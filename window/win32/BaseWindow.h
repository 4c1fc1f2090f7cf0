#pragma once

#include "window/win32/Failure.h"

#include <windows.h>

#include <utility>

// Ties a window class's messages to a C++ object: the object's address travels in the
// creation parameter, is kept in the window's user data at WM_NCCREATE, and every later
// message goes to Derived::HandleMessage. No C++ exception leaves it: unwinding through
// Windows' own frames is undefined, so one that reaches here is reported and ends the
// program with status 1.
//
// Window and object end together: an object destroyed first destroys its window (and with it
// the window's children), and a window destroyed first leaves its object without one.
template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    ~BaseWindow() { destroyWindow(); }

    HWND hwnd() const { return hwnd_; }

protected:
    // Destroys the window without telling the object: its messages from here on go to
    // DefWindowProcW, so that none reaches an object in the middle of its destruction. A
    // derived destructor calls this first, while its members are still whole.
    void destroyWindow()
    {
        const HWND hwnd = std::exchange(hwnd_, nullptr);
        if (hwnd == nullptr)
            return;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
    }

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
            const LRESULT result = self->HandleMessage(message, wParam, lParam);
            if (message == WM_NCDESTROY) {  // the window's last message
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                self->hwnd_ = nullptr;
            }
            return result;
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
