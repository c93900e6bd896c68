// Design-time geometry and fonts shared by the program's windows.
// Windows are laid out in twips, as their designers stated them; this is the one place that turns them into pixels.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

namespace quillbay::design {

inline constexpr int kTwipsPerPixel = 15;  // 1440 twips to the inch at 96 logical dots per inch

constexpr int toPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect toPixels(const TwipsRect& r) {
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
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
