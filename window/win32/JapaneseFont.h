#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The first installed face of the captions' (CaptionFont.h); empty if none is installed (the
// system's fallback then has its say).
std::wstring installedJapaneseFace();

// That face at the captions' size for a screen of the given resolution.
UniqueFont makeCaptionFont(const std::wstring& face, UINT dotsPerInch);
