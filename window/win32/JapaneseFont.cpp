#include "window/win32/JapaneseFont.h"

#include "window/CaptionFont.h"
#include "window/ControlTable.h"
#include "window/win32/Failure.h"
#include "window/win32/WideText.h"

namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool isInstalled(const std::wstring& face)
{
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

std::wstring installedJapaneseFace()
{
    for (const std::string_view face : kCaptionFaces)
        if (const std::wstring wide = toWide(face); isInstalled(wide))
            return wide;
    return {};
}

UniqueFont makeCaptionFont(const std::wstring& face, UINT dotsPerInch)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kCaptionPixelsAt96Dpi, static_cast<int>(dotsPerInch), kBaseDpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    UniqueFont made(CreateFontIndirectW(&font));
    if (!made)
        failWindowSystem(L"CreateFontIndirectW");
    return made;
}
