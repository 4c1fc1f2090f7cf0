#include "window/win32/display/FramePacer.h"

#include "window/win32/display/SystemFunction.h"

using Clock = StagePacer::Clock;

namespace {

// dwmapi, from Windows Vista: loaded, not imported, so that the program needs no DLL beyond
// the ones every Windows brings.
using DwmIsCompositionEnabledFunction = HRESULT(WINAPI*)(BOOL*);
using DwmFlushFunction = HRESULT(WINAPI*)();

// Waits as a thread with no input to take: a message wait that no message ends, so that none
// is handled meanwhile. (Wine brings the window's pixels to the X server in such a wait, and
// in a plain sleep only every 50 ms.) Whether handle, if given, was signalled before due.
bool waitUntil(Clock::time_point due, HANDLE handle = nullptr)
{
    const DWORD count = handle != nullptr ? 1 : 0;
    for (auto now = Clock::now(); now < due; now = Clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
        if (MsgWaitForMultipleObjectsEx(count, &handle, static_cast<DWORD>(left), 0, 0) == WAIT_OBJECT_0 && count != 0)
            return true;
    }
    return handle != nullptr && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

// DwmFlush returns once the desktop window manager has composed, and has no time-out: with
// the display asleep it may not return for as long as that lasts. It runs on a thread of its
// own, which the stage waits for only until its deadline. A flush still under way when the
// next stage comes is waited for again rather than started twice: its end is a composition
// too.
class Composition {
public:
    Composition()
    {
        const HMODULE dwm = systemLibrary(L"dwmapi.dll");
        isEnabled_ = systemFunction<DwmIsCompositionEnabledFunction>(dwm, "DwmIsCompositionEnabled");
        flush_ = systemFunction<DwmFlushFunction>(dwm, "DwmFlush");
        if (isEnabled_ == nullptr || flush_ == nullptr)
            return;
        request_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        done_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        if (request_ != nullptr && done_ != nullptr)
            flusher_ = CreateThread(nullptr, 0, &Composition::flushOnRequest, this, 0, nullptr);
    }

    // Composition can be switched off while the program runs (Windows 7's basic theme), so
    // this is asked at every stage.
    bool on() const
    {
        BOOL enabled = FALSE;
        return flusher_ != nullptr && SUCCEEDED(isEnabled_(&enabled)) && enabled;
    }

    bool flushUntil(Clock::time_point deadline)
    {
        if (flushing_ && WaitForSingleObject(done_, 0) == WAIT_OBJECT_0)
            flushing_ = false;
        if (!flushing_) {
            SetEvent(request_);
            flushing_ = true;
        }
        if (!waitUntil(deadline, done_))
            return false;
        flushing_ = false;
        return true;
    }

private:
    static DWORD WINAPI flushOnRequest(void* self)
    {
        auto* composition = static_cast<Composition*>(self);
        while (WaitForSingleObject(composition->request_, INFINITE) == WAIT_OBJECT_0) {
            composition->flush_();
            SetEvent(composition->done_);
        }
        return 0;
    }

    DwmIsCompositionEnabledFunction isEnabled_ = nullptr;
    DwmFlushFunction flush_ = nullptr;
    HANDLE request_ = nullptr;
    HANDLE done_ = nullptr;
    HANDLE flusher_ = nullptr;
    bool flushing_ = false;
};

// One for the program, never destroyed: its thread may be inside DwmFlush when the program
// ends.
Composition& composition()
{
    static auto* const once = new Composition;
    return *once;
}

} // namespace

void FramePacer::endStage()
{
    GdiFlush();  // GDI batches calls: the stage must leave before the wait
    pacer_.endStage();
}

bool FramePacer::windowShown()
{
    const HWND root = GetAncestor(window_, GA_ROOT);
    return IsWindowVisible(window_) && root != nullptr && !IsIconic(root);
}

double FramePacer::refreshRate()
{
    const HDC dc = GetDC(window_);
    const int rate = dc != nullptr ? GetDeviceCaps(dc, VREFRESH) : 0;
    if (dc != nullptr)
        ReleaseDC(window_, dc);
    // 0 and 1 stand for the hardware's default rate; 0 has the pacer take the usual one.
    return rate > 1 ? rate : 0;
}

bool FramePacer::reportsShown()
{
    return composition().on();
}

bool FramePacer::waitUntilShown(Clock::time_point deadline)
{
    return composition().flushUntil(deadline);
}

void FramePacer::waitUntil(Clock::time_point due)
{
    ::waitUntil(due);
}
