#include "window/win32/PictureBox.h"

#include "surface/SurfaceError.h"
#include "window/ScreenReaderTexts.h"
#include "window/win32/WideText.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"DragonfoldPictureBox";

RECT toRect(const PixelRect& pixels)
{
    return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

} // namespace

PictureBox::PictureBox(HWND parent, const RECT& rect, int id)
{
    registerClass(kClassName, nullptr);
    makeImage(rect.right - rect.left, rect.bottom - rect.top);
    SetLastError(ERROR_SUCCESS);
    // Screen readers name the picture by its window text, which a window of this class never
    // draws.
    if (CreateWindowExW(0, kClassName, toWide(kPictureName).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this)
        == nullptr)
        failWindowSystem(L"CreateWindowExW (Picture1)");
    pacer_ = std::make_unique<FramePacer>(hwnd_);
}

void PictureBox::makeImage(int width, int height)
{
    image_ = std::make_unique<RetainedImage>(width, height);
    image_->setPresenter([this](const RetainedImage&, const PixelRect& changed) { present(changed); });
    // A 32-bit top-down DIB has the image's own layout: 0xFFRRGGBB, rows from the top; GDI
    // ignores the top byte of a BI_RGB pixel, which the image keeps opaque for compositors.
    layout_.bmiHeader.biSize = sizeof layout_.bmiHeader;
    layout_.bmiHeader.biWidth = image_->stride();
    layout_.bmiHeader.biHeight = -image_->height();
    layout_.bmiHeader.biPlanes = 1;
    layout_.bmiHeader.biBitCount = 32;
    layout_.bmiHeader.biCompression = BI_RGB;
}

void PictureBox::resize(const RECT& rect)
{
    makeImage(rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PictureBox::present(const PixelRect& changed)
{
    // Paints before returning: the drawing does not go back to the message loop until it
    // ends. Straight into the window's device context: going through WM_PAINT cost a round
    // of messages per refresh, four times the drawing's own time under Wine.
    if (changed.isEmpty())
        return;
    const HDC dc = GetDC(hwnd_);
    if (dc == nullptr)
        throw SurfaceError("Windows gave the picture no device context to paint on (GetDC)");
    const bool copied = copyToScreen(dc, toRect(changed));
    ReleaseDC(hwnd_, dc);
    if (!copied)
        throw SurfaceError("Windows did not copy the picture to the screen (SetDIBitsToDevice)");
    // Each stage stays on the screen for about a frame.
    pacer_->endStage();
}

void PictureBox::invalidateChanged()
{
    const PixelRect changed = image_->takeChangedRect();
    if (changed.isEmpty())
        return;
    const RECT rect = toRect(changed);
    InvalidateRect(hwnd_, &rect, FALSE);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // every pixel comes from the image
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void PictureBox::OnPaint()
{
    PAINTSTRUCT paint;
    SetLastError(ERROR_SUCCESS);
    const HDC dc = BeginPaint(hwnd_, &paint);
    if (dc == nullptr)
        failWindowSystem(L"BeginPaint (Picture1)");
    SetLastError(ERROR_SUCCESS);
    const bool copied = copyToScreen(dc, paint.rcPaint);
    EndPaint(hwnd_, &paint);
    if (!copied)
        failWindowSystem(L"SetDIBitsToDevice (Picture1)");
}

bool PictureBox::copyToScreen(HDC dc, const RECT& area)
{
    const int left = std::max<int>(area.left, 0);
    const int top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, image_->width());
    const int bottom = std::min<int>(area.bottom, image_->height());
    if (left < right && top < bottom) {
        // The scan lines handed over are rows top .. bottom - 1 of the image; in them the
        // source rectangle starts at row 0.
        const std::uint32_t* firstRow = image_->pixels() + static_cast<std::ptrdiff_t>(top) * image_->stride();
        BITMAPINFO rows = layout_;
        rows.bmiHeader.biHeight = -(bottom - top);
        return SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left), static_cast<DWORD>(bottom - top),
                                 left, 0, 0, static_cast<UINT>(bottom - top), firstRow, &rows, DIB_RGB_COLORS)
               != 0;
    }
    return true;
}
