#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The program's texts are UTF-8, as the control table holds them; Windows' W functions take
// and give UTF-16. Text that is not valid UTF-8 becomes empty rather than half converted.

inline std::wstring toWide(std::string_view utf8)
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

inline std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes, nullptr,
                        nullptr);
    return utf8;
}
