#include "window/win32/Form1.h"

#include "window/ControlTable.h"
#include "window/win32/accessibility/Announcement.h"
#include "window/win32/display/Dpi.h"
#include "window/win32/ControlClass.h"
#include "window/win32/Failure.h"
#include "window/win32/WideText.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"DragonfoldForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = 0;
// Control ids start clear of IDOK and IDCANCEL, which IsDialogMessageW sends for Enter and Esc.
constexpr int kFirstControlId = 100;
constexpr int kApplicationIconId = 1;

int controlId(const ControlRow& row)
{
    return kFirstControlId + row.tabIndex;
}

// The default button follows the focus, as in a dialog: its thick frame shows what Enter
// presses.
void makeDefaultButton(HWND button, bool isDefault)
{
    SendMessageW(button, BM_SETSTYLE, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
}

HICON loadApplicationIcon(int systemWidth, int systemHeight)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
                                         GetSystemMetrics(systemWidth), GetSystemMetrics(systemHeight),
                                         LR_DEFAULTCOLOR));
}

} // namespace

Form1::Form1(int showCommand)
    : commands_(shell())
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), loadApplicationIcon(SM_CXICON, SM_CYICON),
                  loadApplicationIcon(SM_CXSMICON, SM_CYSMICON));
    const std::wstring caption = toWide(kForm1Caption);
    SetLastError(ERROR_SUCCESS);
    if (CreateWindowExW(kExtendedStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this)
        == nullptr)
        failWindowSystem(L"CreateWindowExW (Form1)");
    ShowWindow(hwnd_, showCommand);
    SetFocus(firstFocus());
}

Form1Commands::Shell Form1::shell()
{
    return {
        .surface = [this]() -> DrawingSurface& { return Picture1->surface(); },
        // No message runs during a drawing to set the pointer back; the next WM_SETCURSOR
        // does.
        .showBusy =
            [pointer = HCURSOR{}](bool busy) mutable {
                if (busy)
                    pointer = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                else
                    SetCursor(pointer);
            },
        .showTheRest = [this] { Picture1->invalidateChanged(); },
        .describePicture = {},
        .announce = [this](std::string_view news) { announce(Picture1->hwnd(), news); },
        .fail =
            [this](const Failure& failure) {
                reportFailure(hwnd_, failure);
                PostQuitMessage(1);
            },
    };
}

// The first control of the focus order has the focus when the window opens, as the default
// button if it is one.
HWND Form1::firstFocus() const
{
    const ControlRow* first = focusOrder(kForm1Controls).front();
    return std::ranges::find(controls_, first, &Control::row)->hwnd;
}

RECT Form1::pixelRect(const TwipsRect& twips) const
{
    const PixelPlacement place = toPixels(twips, static_cast<int>(dotsPerInch_));
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

void Form1::OnCreate()
{
    dotsPerInch_ = dpiForWindow(hwnd_);
    face_ = installedJapaneseFace();
    font_ = makeCaptionFont(face_, dotsPerInch_);

    for (const ControlRow* row : creationOrder(kForm1Controls)) {
        const RECT rect = pixelRect(row->twips);
        if (row->kind == ControlKind::PictureBox) {
            Picture1 = std::make_unique<PictureBox>(hwnd_, rect, controlId(*row));
            controls_.push_back({row, Picture1->hwnd()});
            continue;
        }
        const std::wstring text = toWide(row->text);
        SetLastError(ERROR_SUCCESS);
        const HWND control = CreateWindowExW(extendedStyleOf(row->kind),
                                             windowClassOf(row->kind), text.c_str(), styleOf(row->kind), rect.left,
                                             rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd_,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(*row))),
                                             GetModuleHandleW(nullptr), nullptr);
        if (control == nullptr)
            failWindowSystem(L"CreateWindowExW (a control of Form1)");
        if (row->kind == ControlKind::TextBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // as much as the user types or pastes
        controls_.push_back({row, control});
    }
    layOut(font_.get());

    RECT window = pixelRect({0, 0, kForm1InnerWidthTwips, kForm1InnerHeightTwips});
    adjustWindowRectForDpi(window, kStyle, kExtendedStyle, dotsPerInch_);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::layOut(HFONT font)
{
    // The z-order is the creation order (ControlTable.h): Tab walks the controls that take
    // the focus in TabIndex order, each field lies above the label that overlaps it, and a
    // screen reader names a field after the label just before it.
    HWND above = HWND_TOP;
    for (const Control& control : controls_) {
        const RECT rect = pixelRect(control.row->twips);
        SetWindowPos(control.hwnd, above, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOACTIVATE);
        above = control.hwnd;
        SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void Form1::OnDpiChanged(UINT dotsPerInch, const RECT& suggested)
{
    dotsPerInch_ = dotsPerInch;
    // The controls take the new font before the old one is deleted.
    UniqueFont font = makeCaptionFont(face_, dotsPerInch_);
    layOut(font.get());
    font_ = std::move(font);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    commands_.densityChanged([this] { Picture1->resize(pixelRect(controlNamed("Picture1").twips)); });
}

// Activated again, or restored, the window gives the focus back to the control that had it
// last. (It is noted as each control gains it: by the time the window hears of being
// deactivated or minimised, Windows may have moved the focus already.)
void Form1::restoreFocus()
{
    SetFocus(lastFocus_ != nullptr ? lastFocus_ : firstFocus());
}

// IsDialogMessageW asks this for the button that Enter presses: the focused one, as a
// dialog's default button follows the focus; none in a text field, where Enter does nothing.
LRESULT Form1::defaultButtonId() const
{
    const HWND focus = GetFocus();
    for (const Control& control : controls_)
        if (control.hwnd == focus && control.row->kind == ControlKind::CommandButton)
            return MAKELRESULT(controlId(*control.row), DC_HASDEFID);
    return 0;
}

void Form1::OnCommand(int id, int notification, HWND control)
{
    if (notification == EN_SETFOCUS || notification == BN_SETFOCUS)
        lastFocus_ = control;
    if (notification == BN_SETFOCUS || notification == BN_KILLFOCUS) {
        makeDefaultButton(control, notification == BN_SETFOCUS);
        return;
    }
    if (notification != BN_CLICKED)
        return;
    if (id == controlId(controlNamed("Command1")))
        Command1_Click();
    else if (id == controlId(controlNamed("Command3")))
        Command3_Click();
}

void Form1::Command1_Click()
{
    commands_.Command1_Click();
}

void Form1::Command3_Click()
{
    commands_.Command3_Click();
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case DM_GETDEFID:
        return defaultButtonId();
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_ACTIVATE:
        // Activated while still minimised, it waits for WM_SETFOCUS on being restored.
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
            restoreFocus();
        return 0;
    case WM_SETFOCUS:
        // The window itself has no use for the keyboard: the control that had it takes it.
        restoreFocus();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}
