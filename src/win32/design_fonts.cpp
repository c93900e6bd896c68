#include "win32/design_fonts.h"

#include <cwchar>

#include "core/twips.h"

namespace quillbay::win32 {

namespace {

// Sizes in hundredths of a point.
constexpr int kDefaultSize = 825;
constexpr int kTitleSize = 1350;

struct Search {
    const wchar_t* face;
    bool outlineOnly;
    bool found = false;
};

int CALLBACK seeFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if ((!search->outlineOnly || (type & TRUETYPE_FONTTYPE)) && _wcsicmp(font->lfFaceName, search->face) == 0) {
        search->found = true;
        return 0;
    }
    return 1;
}

bool installed(const wchar_t* face, bool outlineOnly) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    Search search{face, outlineOnly};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, seeFont, reinterpret_cast<LPARAM>(&search), 0);
    ReleaseDC(nullptr, screen);
    return search.found;
}

std::wstring dialogFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return metrics.lfMessageFont.lfFaceName;
    return L"MS Shell Dlg";
}

HFONT makeFont(const std::wstring& face, int hundredthsOfPoint, bool bold, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

}  // namespace

const std::wstring& DesignFonts::face(UINT dpi) {
    static const bool designFace = installed(L"MS Sans Serif", false);
    static const std::wstring scalable =
        installed(L"Microsoft Sans Serif", true) ? std::wstring(L"Microsoft Sans Serif") : dialogFace();
    static const std::wstring design = L"MS Sans Serif";
    return designFace && static_cast<int>(dpi) == design::kDesignDpi ? design : scalable;
}

DesignFonts::DesignFonts(UINT dpi)
    : dpi_(dpi),
      regular_(makeFont(face(dpi), kDefaultSize, false, dpi)),
      bold_(makeFont(face(dpi), kDefaultSize, true, dpi)),
      title_(makeFont(face(dpi), kTitleSize, true, dpi)) {}

DesignFonts::~DesignFonts() {
    for (HFONT font : {regular_, bold_, title_})
        if (font) DeleteObject(font);
}

}  // namespace quillbay::win32
