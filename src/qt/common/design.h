// Fonts and pixel rectangles for the Qt windows; the twips themselves are the core's (core/twips.h).
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "core/twips.h"

namespace quillbay::design {

constexpr QRect toQRect(const TwipsRect& r) {
    const PixelRect p = toPixels(r);
    return QRect(p.left, p.top, p.width, p.height);
}

// The windows were designed for MS Sans Serif 8.25 pt; no Linux desktop ships it, so a face of
// close metrics stands in, with fallbacks, at the same pixel size (11 px at 96 dpi).
QFont defaultFont();
QFont boldFont();
QFont titleFont();  // 13.5 pt bold

// Makes defaultFont() the program's default, before any window is made: a line edit lays out its text in
// the program's default font as it is constructed, before it takes its window's font, so otherwise the
// desktop's font would be loaded at start only to be dropped. What the design does not cover keeps the
// desktop's font: message boxes, menus and tooltips.
void useDefaultFontForWindows();

}  // namespace quillbay::design
