#include "window/win32/accessibility/Announcement.h"

#include "window/win32/Failure.h"
#include "window/win32/WideText.h"
#include "window/win32/display/SystemFunction.h"

#include <unknwn.h>

#include <string>

namespace {

// UI Automation's notification, from Windows 10 version 1709, and the BSTR it takes. Both
// DLLs are loaded, not imported, so that Windows 7 starts the program; the provider is taken
// as the IUnknown it derives from, since only its reference is handed on and released.
using BasicString = wchar_t*;
using UiaHostProviderFromHwndFunction = HRESULT(WINAPI*)(HWND, IUnknown**);
using UiaRaiseNotificationEventFunction = HRESULT(WINAPI*)(IUnknown*, int, int, BasicString, BasicString);
using SysAllocStringFunction = BasicString(WINAPI*)(const wchar_t*);
using SysFreeStringFunction = void(WINAPI*)(BasicString);
// NotificationKind_ActionCompleted: the end of something the user started. With
// NotificationProcessing_ImportantMostRecent, the news of a later drawing replaces that of an
// earlier one still waiting to be said.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;
// Names this kind of news, so that a screen reader can let the user choose what it says of it.
constexpr wchar_t kActivity[] = L"DragonfoldDrawingDone";

struct Notifier {
    UiaHostProviderFromHwndFunction hostProvider = nullptr;
    UiaRaiseNotificationEventFunction raise = nullptr;
    SysAllocStringFunction allocate = nullptr;
    SysFreeStringFunction release = nullptr;

    bool available() const { return hostProvider && raise && allocate && release; }
};

const Notifier& notifier()
{
    static const Notifier found = [] {
        const HMODULE automation = systemLibrary(L"uiautomationcore.dll");
        const HMODULE strings = systemLibrary(L"oleaut32.dll");
        return Notifier{
            systemFunction<UiaHostProviderFromHwndFunction>(automation, "UiaHostProviderFromHwnd"),
            systemFunction<UiaRaiseNotificationEventFunction>(automation, "UiaRaiseNotificationEvent"),
            systemFunction<SysAllocStringFunction>(strings, "SysAllocString"),
            systemFunction<SysFreeStringFunction>(strings, "SysFreeString"),
        };
    }();
    return found;
}

} // namespace

bool announce(HWND source, std::string_view message)
{
    const Notifier& uia = notifier();
    if (!uia.available())
        return false;
    IUnknown* provider = nullptr;
    if (FAILED(uia.hostProvider(source, &provider)) || provider == nullptr)
        return false;
    const std::wstring text = toWide(message);
    const BasicString display = uia.allocate(text.c_str());
    const BasicString activity = uia.allocate(kActivity);
    const bool raised = display != nullptr && activity != nullptr
                        && SUCCEEDED(uia.raise(provider, kActionCompleted, kImportantMostRecent, display, activity));
    uia.release(activity);
    uia.release(display);
    provider->Release();
    return raised;
}
