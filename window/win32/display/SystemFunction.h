#pragma once

#include <windows.h>

// Functions that newer Windows added, found at run time so that the program still starts on
// Windows 7; nullptr where this Windows lacks them.

// A DLL of Windows' own, from the system directory only, loaded once and kept.
inline HMODULE systemLibrary(const wchar_t* name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <typename Function>
Function systemFunction(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    // GetProcAddress hands every function back under one type; the name says which it is.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
