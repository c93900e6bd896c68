#include "win32/design_fonts.h"

#include <cwchar>

namespace quillbay::win32 {

namespace {

// Sizes in hundredths of a point.
constexpr int kDefaultSize = 825;
constexpr int kTitleSize = 1350;

struct Search {
    const wchar_t* face;
    bool found = false;
};

int CALLBACK seeOutlineFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    // A bitmap face comes in a few fixed sizes only, and blurs or jumps at any other scale.
    if ((type & TRUETYPE_FONTTYPE) && _wcsicmp(font->lfFaceName, search->face) == 0) {
        search->found = true;
        return 0;
    }
    return 1;
}

bool outlineFontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    Search search{face};
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, seeOutlineFont, reinterpret_cast<LPARAM>(&search), 0);
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

HFONT makeFont(int hundredthsOfPoint, bool bold, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, DesignFonts::face().c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

}  // namespace

const std::wstring& DesignFonts::face() {
    static const std::wstring chosen = [] {
        for (const wchar_t* face : {L"MS Sans Serif", L"Microsoft Sans Serif"})
            if (outlineFontInstalled(face)) return std::wstring(face);
        return dialogFace();
    }();
    return chosen;
}

DesignFonts::DesignFonts(UINT dpi)
    : dpi_(dpi),
      regular_(makeFont(kDefaultSize, false, dpi)),
      bold_(makeFont(kDefaultSize, true, dpi)),
      title_(makeFont(kTitleSize, true, dpi)) {}

DesignFonts::~DesignFonts() {
    for (HFONT font : {regular_, bold_, title_})
        if (font) DeleteObject(font);
}

}  // namespace quillbay::win32
