// The About window as its designer laid it out, in twips: this table is the only statement of its labels,
// buttons and etched rule, and every front end builds the window from it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/twips.h"

namespace quillbay::aboutlayout {

inline constexpr std::string_view kDesignCaption = "About MyApp";  // replaced at load
inline constexpr int kClientWidth = 5730;
inline constexpr int kClientHeight = 3555;

enum class TextColour { Black, ButtonText };

struct LabelRow {
    std::string_view name;
    design::TwipsRect rect;
    std::string_view caption;  // lblTitle and lblVersion get their real captions at load
    TextColour colour;
    bool title;                // 13.5 pt bold; every other control uses the default font
};

// Top to bottom.
inline constexpr std::array<LabelRow, 5> kLabels{{
    {"lblTitle", {1050, 240, 3885, 480}, "Quillbay", TextColour::Black, true},
    {"lblVersion", {1050, 780, 3885, 225}, "Version : 1.00", TextColour::ButtonText, false},
    {"lblDescription", {1050, 1125, 3885, 1170},
     "Quillbay version 1.00 is very useful software for making javascript popup windos for your webpage. "
     "This software is very simple and easy to use rather than other vast software.",
     TextColour::Black, false},
    {"lblDisclaimer", {255, 2625, 3870, 465},
     "All rights to this program are reserved by Quillbay Software, www.quillbay.example.", TextColour::Black, false},
    {"Label1", {240, 3120, 3495, 255}, "For your feedback: feedback@quillbay.example", TextColour::ButtonText, false},
}};

struct ButtonRow {
    std::string_view name;
    design::TwipsRect rect;
    std::string_view caption;  // "&" marks the access key
};

// In tab order: OK is the default and the cancel button.
inline constexpr std::array<ButtonRow, 2> kButtons{{
    {"cmdOK", {4245, 2625, 1260, 345}, "OK"},
    {"cmdSysInfo", {4260, 3075, 1245, 345}, "&System Info..."},
}};

struct LineRow {
    int index;
    int x1;
    int x2;
    int y;
    std::uint32_t rgb;  // 0xRRGGBB
    int widthPixels;
};

// The etched rule: a grey pixel row with a white band under it, drawn in this order, white first.
inline constexpr std::array<LineRow, 2> kLines{{
    {0, 105, 5654, 2460, 0xFFFFFF, 2},
    {1, 90, 5654, 2445, 0x808080, 1},
}};

}  // namespace quillbay::aboutlayout
