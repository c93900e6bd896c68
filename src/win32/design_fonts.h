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

    // The face the fonts use at `dpi`: the design's MS Sans Serif where it is installed, at the resolution
    // its bitmaps were drawn for; at any other, which a bitmap face cannot serve sharply (nor always in
    // bold), its outline successor Microsoft Sans Serif, else the system's dialog font.
    static const std::wstring& face(UINT dpi);

private:
    UINT dpi_;
    HFONT regular_;
    HFONT bold_;
    HFONT title_;
};

}  // namespace quillbay::win32
