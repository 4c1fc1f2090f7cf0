#include "window/win32/Failure.h"

#include "window/Form1Commands.h"

#include <exception>
#include <string_view>

void reportFailure(HWND owner, const std::wstring& message)
{
    const HANDLE errorOutput = GetStdHandle(STD_ERROR_HANDLE);
    if (errorOutput != nullptr && errorOutput != INVALID_HANDLE_VALUE) {
        const std::wstring line = L"dragonfold: " + message + L"\n";
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                              nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), bytes,
                            nullptr, nullptr);
        DWORD written = 0;
        WriteFile(errorOutput, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
    MessageBoxW(owner, message.c_str(), toWide(kFailureTitle).c_str(), MB_OK | MB_ICONERROR);
}

void failWindowSystem(const wchar_t* call)
{
    const DWORD error = GetLastError();
    wchar_t* explanation = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&explanation), 0, nullptr);
    std::wstring message = std::wstring(call) + L" failed (error " + std::to_wstring(error) + L")";
    if (error == ERROR_SUCCESS) {
        message = std::wstring(call) + L" failed without saying why";
    } else if (explanation != nullptr) {
        message += L": ";
        message += explanation;
        while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
            message.pop_back();
    }
    if (explanation != nullptr)
        LocalFree(explanation);
    reportFailure(nullptr, message);
    ExitProcess(1);
}

void failOnException()
{
    std::wstring message = L"予期しない失敗のため終了します。\n";
    try {
        throw;
    } catch (const std::exception& failure) {
        message += toWide(failure.what());
    } catch (...) {
        message += L"(an exception of unknown kind)";
    }
    reportFailure(nullptr, message);
    ExitProcess(1);
}

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                          static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        units);
    return wide;
}
