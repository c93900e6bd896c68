// The windows' fonts at one resolution: the design's MS Sans Serif 8.25 pt, its bold, and About's 13.5 pt
// bold title, each made for the window's own DPI so that text stays sharp at any scale.
#pragma once

#include <windows.h>

#include <string>

namespace quillbay::win32 {

class DesignFonts {
public:
    explicit DesignFonts(UINT dpi);
    ~DesignFonts();
    DesignFonts(const DesignFonts&) = delete;
    DesignFonts& operator=(const DesignFonts&) = delete;

    UINT dpi() const { return dpi_; }
    HFONT regular() const { return regular_; }
    HFONT bold() const { return bold_; }
    HFONT title() const { return title_; }

    // The face the fonts use: MS Sans Serif as an outline font where one is installed, else its outline
    // successor Microsoft Sans Serif, else the system's dialog font.
    static const std::wstring& face();

private:
    UINT dpi_;
    HFONT regular_;
    HFONT bold_;
    HFONT title_;
};

}  // namespace quillbay::win32
