#pragma once

#include "surface/RetainedImage.h"
#include "window/win32/BaseWindow.h"
#include "window/win32/display/FramePacer.h"

#include <memory>

// Picture1: a child window that shows the retained image the figure draws on, one image
// pixel per screen pixel. Painting only copies the invalid part of the image to the screen.
class PictureBox final : public BaseWindow<PictureBox> {
public:
    // A child of parent at rect (client pixels) with the given control id.
    PictureBox(HWND parent, const RECT& rect, int id);
    ~PictureBox() { destroyWindow(); }
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    RetainedImage& surface() { return *image_; }
    const RetainedImage& surface() const { return *image_; }

    // Queues a repaint of what was drawn since the last presentation, for when the window's
    // thread is back in its message loop.
    void invalidateChanged();

    // The window moved to a screen of another resolution: takes the new size. The image
    // starts again, black, at the new size; the window draws the figure again if it had one.
    void resize(const RECT& rect);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnPaint();
    // Copies the part of the image inside area (client pixels) to the device context;
    // false if Windows refused.
    bool copyToScreen(HDC dc, const RECT& area);
    // Throws SurfaceError if Windows refuses to paint, so that the drawing ends reporting it.
    void present(const PixelRect& changed);
    void makeImage(int width, int height);

    std::unique_ptr<RetainedImage> image_;
    BITMAPINFO layout_{};
    std::unique_ptr<FramePacer> pacer_;
};
