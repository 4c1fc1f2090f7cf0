#include "window/win32/Failure.h"
#include "window/win32/Form1.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    SetLastError(ERROR_SUCCESS);
    if (!InitCommonControlsEx(&controls))
        failWindowSystem(L"InitCommonControlsEx");

    Form1 window(showCommand);

    MSG message;
    BOOL got;
    while ((SetLastError(ERROR_SUCCESS), got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            failWindowSystem(L"GetMessageW");
        // Moves the focus with Tab and Shift+Tab through the controls.
        if (IsDialogMessageW(window.hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
