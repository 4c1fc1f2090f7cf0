// The native Form1 driven in its own process, under Wine on an X server (tools/check/windows
// runs it there): a change of resolution keeps the figure, the default button follows the
// focus, the focus survives deactivation, the end of a drawing is announced where Windows
// offers it, window and object end together, and the resolution functions of newer Windows
// have working fallbacks.

#include "FigureSupport.h"
#include "window/ControlTable.h"
#include "window/ScreenReaderTexts.h"
#include "window/win32/accessibility/Announcement.h"
#include "window/win32/display/Dpi.h"
#include "window/win32/Form1.h"

#include <gtest/gtest.h>


namespace {

HWND controlWithText(const Form1& window, const wchar_t* className, const wchar_t* text)
{
    return FindWindowExW(window.hwnd(), nullptr, className, text);
}

void changeResolution(const Form1& window, UINT dotsPerInch)
{
    RECT suggested;
    GetWindowRect(window.hwnd(), &suggested);
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                 reinterpret_cast<LPARAM>(&suggested));
}

TEST(Form1OnWindows, AChangeOfResolutionRemakesThePictureAndDrawsTheFigureAgain)
{
    Form1 window(SW_SHOWNORMAL);
    // Before the first drawing the picture stays black, at the new size.
    changeResolution(window, 120);
    EXPECT_EQ(window.picture().surface().width(), 721);
    EXPECT_TRUE(allBlack(window.picture().surface()));

    changeResolution(window, 96);
    window.Command1_Click();
    EXPECT_TRUE(samePixels(window.picture().surface(), *coreFigure(577, 417)));
    // 8655 x 6255 twips at 144 and 192 dots per inch.
    changeResolution(window, 144);
    EXPECT_TRUE(samePixels(window.picture().surface(), *coreFigure(866, 626)));
    changeResolution(window, 192);
    EXPECT_TRUE(samePixels(window.picture().surface(), *coreFigure(1154, 834)));
}

TEST(Form1OnWindows, EnterPressesTheFocusedButtonWhichIsTheDefaultOneAndKeepsItsFocusWhileInactive)
{
    Form1 window(SW_SHOWNORMAL);
    const HWND draw = controlWithText(window, L"Button", L"描画");
    const HWND stop = controlWithText(window, L"Button", L"描画中止");
    const HWND field = FindWindowExW(window.hwnd(), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(draw != nullptr && stop != nullptr && field != nullptr);
    const auto isDefault = [](HWND button) {
        return (SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
    };
    const auto defaultId = [&] { return SendMessageW(window.hwnd(), DM_GETDEFID, 0, 0); };

    // From the first moment, "描画" has the focus and is the default button.
    EXPECT_EQ(GetFocus(), draw);
    EXPECT_TRUE(isDefault(draw));
    EXPECT_EQ(defaultId(), MAKELRESULT(GetDlgCtrlID(draw), DC_HASDEFID));

    SetFocus(stop);
    EXPECT_TRUE(isDefault(stop));
    EXPECT_FALSE(isDefault(draw));
    EXPECT_EQ(defaultId(), MAKELRESULT(GetDlgCtrlID(stop), DC_HASDEFID));
    // In a text field Enter presses nothing.
    SetFocus(field);
    EXPECT_EQ(defaultId(), 0);

    // Deactivated and activated again, the window gives the focus back where it was.
    SetFocus(stop);
    SendMessageW(window.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(window.hwnd());
    SendMessageW(window.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), stop);
}

// Windows 10 from version 1709 says the end of a drawing through UI Automation; older Windows,
// and Wine 8, have no such notification, and the program goes on without it.
TEST(Form1OnWindows, AnnouncesTheEndOfADrawingWhereWindowsOffersNotifications)
{
    Form1 window(SW_SHOWNORMAL);
    const HMODULE automation = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const bool offered = automation != nullptr && GetProcAddress(automation, "UiaRaiseNotificationEvent") != nullptr;
    EXPECT_EQ(announce(window.picture().hwnd(), kDrawingDoneNews), offered);
}

TEST(Form1OnWindows, WindowAndObjectEndTogetherWhicheverGoesFirst)
{
    HWND outlived = nullptr;
    {
        const Form1 window(SW_SHOWNORMAL);
        outlived = window.hwnd();
        ASSERT_TRUE(IsWindow(outlived));
    }
    EXPECT_FALSE(IsWindow(outlived)) << "the window outlived its Form1";

    Form1 window(SW_SHOWNORMAL);
    const HWND picture = window.picture().hwnd();
    DestroyWindow(window.hwnd());
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(window.picture().hwnd(), nullptr) << "the picture went with its parent";
    EXPECT_FALSE(IsWindow(picture));
    // Closing the window ends the program's message loop; here it must not end the next test's.
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(DpiFunctions, TheFallbacksOfWindows7AgreeWithTheNewerFunctions)
{
    Form1 window(SW_SHOWNORMAL);
    const UINT newer = dpiForWindow(window.hwnd());
    RECT newerFrame{0, 0, 799, 460};
    ASSERT_TRUE(adjustWindowRectForDpi(newerFrame, WS_OVERLAPPEDWINDOW, 0, newer));

    useNewerDpiFunctions(false);
    struct NewerAgain {
        ~NewerAgain() { useNewerDpiFunctions(true); }
    } newerAgain;
    const HDC screen = GetDC(nullptr);
    const UINT system = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(dpiForWindow(window.hwnd()), system);
    EXPECT_EQ(newer, system) << "one monitor at the system's resolution";
    RECT olderFrame{0, 0, 799, 460};
    ASSERT_TRUE(adjustWindowRectForDpi(olderFrame, WS_OVERLAPPEDWINDOW, 0, system));
    EXPECT_TRUE(EqualRect(&newerFrame, &olderFrame));

    // A window made entirely on the fallbacks is laid out as on newer Windows.
    Form1 onWindows7(SW_SHOWNORMAL);
    RECT client;
    GetClientRect(onWindows7.hwnd(), &client);
    EXPECT_EQ(client.right, 799);
    EXPECT_EQ(client.bottom, 460);
}

} // namespace
