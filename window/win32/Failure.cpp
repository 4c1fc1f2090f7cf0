#include "window/win32/Failure.h"

#include "window/win32/WideText.h"

void reportFailure(HWND owner, const Failure& failure)
{
    const HANDLE errorOutput = GetStdHandle(STD_ERROR_HANDLE);
    if (errorOutput != nullptr && errorOutput != INVALID_HANDLE_VALUE) {
        const std::string line = failureLine(failure);
        DWORD written = 0;
        WriteFile(errorOutput, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    MessageBoxW(owner, toWide(failureMessage(failure)).c_str(), toWide(kFailureTitle).c_str(), MB_OK | MB_ICONERROR);
}

void failWindowSystem(const wchar_t* call)
{
    const DWORD error = GetLastError();
    wchar_t* explanation = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&explanation), 0, nullptr);
    std::wstring cause = std::wstring(call) + L" failed (error " + std::to_wstring(error) + L")";
    if (error == ERROR_SUCCESS) {
        cause = std::wstring(call) + L" failed without saying why";
    } else if (explanation != nullptr) {
        cause += L": ";
        cause += explanation;
        while (!cause.empty() && (cause.back() == L'\n' || cause.back() == L'\r'))
            cause.pop_back();
    }
    if (explanation != nullptr)
        LocalFree(explanation);
    reportFailure(nullptr, {FailureKind::WindowSystem, "it refused what the window needs: " + toUtf8(cause)});
    ExitProcess(1);
}

void failOnException()
{
    reportFailure(nullptr, {FailureKind::Bug, currentExceptionCause()});
    ExitProcess(1);
}
