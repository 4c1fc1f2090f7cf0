#include "window/win32/JapaneseFont.h"

#include "window/win32/Failure.h"

#include <array>

namespace {

constexpr std::array kJapaneseFaces{L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"IPAexGothic",
                                    L"IPAGothic", L"VL Gothic", L"Noto Sans CJK JP"};
constexpr int kCaptionPoints = 9;
constexpr int kPointsPerInch = 72;

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool isInstalled(const wchar_t* face)
{
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

std::wstring installedJapaneseFace()
{
    for (const wchar_t* face : kJapaneseFaces)
        if (isInstalled(face))
            return face;
    return {};
}

UniqueFont makeCaptionFont(const std::wstring& face, UINT dotsPerInch)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kCaptionPoints, static_cast<int>(dotsPerInch), kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    UniqueFont made(CreateFontIndirectW(&font));
    if (!made)
        failWindowSystem(L"CreateFontIndirectW");
    return made;
}
