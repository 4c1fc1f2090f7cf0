#include "window/win32/Form1.h"

#include "window/Commands.h"
#include "window/ControlTable.h"
#include "window/win32/Failure.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"DragonfoldForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = 0;
// Control ids start clear of IDOK and IDCANCEL, which IsDialogMessageW sends for Enter and Esc.
constexpr int kFirstControlId = 100;
constexpr int kApplicationIconId = 1;

int controlId(const ControlSpec& row)
{
    return kFirstControlId + row.tabIndex;
}

const wchar_t* windowClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::CommandButton:
        return L"BUTTON";
    case ControlKind::TextBox:
        return L"EDIT";
    case ControlKind::Label:
        return L"STATIC";
    case ControlKind::PictureBox:
        break;
    }
    return nullptr;
}

DWORD styleOf(ControlKind kind)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (takesFocus(kind) ? WS_TABSTOP : 0);
    switch (kind) {
    case ControlKind::CommandButton:
        return style | BS_PUSHBUTTON;
    case ControlKind::TextBox:
        return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::Label:
        return style | SS_LEFT | SS_NOPREFIX;
    case ControlKind::PictureBox:
        break;
    }
    return style;
}

} // namespace

Form1::Form1(int showCommand)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                  LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIconId)));
    const std::wstring caption = toWide(kForm1Caption);
    if (CreateWindowExW(kExtendedStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this)
        == nullptr)
        failWindowSystem(L"CreateWindowExW (Form1)");
    ShowWindow(hwnd_, showCommand);
    // The lowest TabIndex that takes the focus starts with it.
    for (const Control& control : controls_)
        if (takesFocus(control.row->kind)) {
            SetFocus(control.hwnd);
            break;
        }
}

RECT Form1::pixelRect(const TwipsRect& twips) const
{
    const PixelPlacement place = toPixels(twips, static_cast<int>(dotsPerInch_));
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

void Form1::OnCreate()
{
    dotsPerInch_ = GetDpiForWindow(hwnd_);
    face_ = installedJapaneseFace();
    font_ = makeCaptionFont(face_, dotsPerInch_);

    for (const ControlSpec& row : kForm1Controls) {
        const RECT rect = pixelRect(row.twips);
        if (row.kind == ControlKind::PictureBox) {
            Picture1 = std::make_unique<PictureBox>(hwnd_, rect, controlId(row));
            controls_.push_back({&row, Picture1->hwnd()});
            continue;
        }
        const std::wstring text = toWide(row.text);
        const HWND control = CreateWindowExW(row.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
                                             windowClassOf(row.kind), text.c_str(), styleOf(row.kind), rect.left,
                                             rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd_,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row))),
                                             GetModuleHandleW(nullptr), nullptr);
        if (control == nullptr)
            failWindowSystem(L"CreateWindowExW (a control of Form1)");
        if (row.kind == ControlKind::TextBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // as much as the user types or pastes
        controls_.push_back({&row, control});
    }
    std::ranges::sort(controls_, {}, [](const Control& control) { return control.row->tabIndex; });
    layOut();

    RECT window = pixelRect({0, 0, kForm1InnerWidthTwips, kForm1InnerHeightTwips});
    AdjustWindowRectExForDpi(&window, kStyle, FALSE, kExtendedStyle, dotsPerInch_);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::layOut()
{
    // Tab moves through the siblings in their z-order, so it follows TabIndex; labels go to
    // the bottom, beneath the fields they overlap by a pixel.
    HWND above = HWND_TOP;
    for (const Control& control : controls_) {
        const RECT rect = pixelRect(control.row->twips);
        const bool isLabel = control.row->kind == ControlKind::Label;
        SetWindowPos(control.hwnd, isLabel ? HWND_BOTTOM : above, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOACTIVATE);
        if (!isLabel)
            above = control.hwnd;
        SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    }
}

void Form1::OnDpiChanged(UINT dotsPerInch, const RECT& suggested)
{
    dotsPerInch_ = dotsPerInch;
    font_ = makeCaptionFont(face_, dotsPerInch_);
    Picture1->resize(pixelRect(controlNamed("Picture1").twips));
    layOut();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::OnCommand(int id, int notification)
{
    if (notification != BN_CLICKED)
        return;
    if (id == controlId(controlNamed("Command1")))
        Command1_Click();
    else if (id == controlId(controlNamed("Command3")))
        Command3_Click();
}

void Form1::Command1_Click()
{
    if (const auto failure = drawOrDescribeFailure(state_, Picture1->surface())) {
        reportFailure(hwnd_, toWide(*failure));
        PostQuitMessage(1);
        return;
    }
    Picture1->invalidateChanged();
}

void Form1::Command3_Click()
{
    requestStop(state_);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
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
