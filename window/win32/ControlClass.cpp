#include "window/win32/ControlClass.h"

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
        // BS_NOTIFY: the button says when it gains and loses the focus.
        return style | BS_PUSHBUTTON | BS_NOTIFY;
    case ControlKind::TextBox:
        return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::Label:
        return style | SS_LEFT | SS_NOPREFIX;
    case ControlKind::PictureBox:
        break;
    }
    return style;
}

DWORD extendedStyleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::TextBox:
        return WS_EX_CLIENTEDGE;
    case ControlKind::Label:
        // A label lies above the field it captions and overlaps it by a pixel: it lets the
        // field paint first and then draws only its text (WM_CTLCOLORSTATIC), so the field's
        // frame stays whole.
        return WS_EX_TRANSPARENT;
    default:
        return 0;
    }
}
