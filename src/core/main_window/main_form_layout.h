// The main window as its designer laid it out: every control's kind, name, place, caption, tooltip and
// tab index, in twips. This table is the only statement of the layout; the window and its tests read it.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/generator/popup_script.h"
#include "core/twips.h"

namespace quillbay::mainlayout {

enum class ControlKind { Label, InputBox, OutputBox, CheckBox, Button, Rectangle };

struct ControlRow {
    ControlKind kind;
    std::string_view name;
    design::TwipsRect rect;
    std::string_view caption;  // labels and buttons; check boxes take theirs from the feature table
    std::string_view toolTip;  // empty: none
    int tabIndex;              // -1 for the rectangles, which have none
    bool bold;
    bool enabledAtStart;
    std::string_view labelledBy;  // for the boxes: the label whose words name them
};

inline constexpr std::string_view kCaption = "Quillbay Version 1.00";
inline constexpr design::TwipsRect kClientArea{765, 750, 7245, 7590};  // placed where it was designed

// Banner picture, painted at its own size at the client area's top-left corner.
inline constexpr int kBannerWidth = 444;
inline constexpr int kBannerHeight = 71;

namespace detail {
using K = ControlKind;
constexpr std::string_view box(PopupFeature f) { return featureInfo(f).checkBox; }
}  // namespace detail

// clang-format off
inline constexpr std::array<ControlRow, 33> kControls{{
    // kind             name               left  top   width height  caption                    tooltip                                   tab  bold  on    labelled by
    {detail::K::Label,    "Label1",          {240,  360,  1455, 255},  "Function Name:",            {},                                        0,  true, true,  {}},
    {detail::K::InputBox, "txtFunctionname", {1800, 360,  1335, 285},  {},                          "Your Function Name",                      1, false, true,  "Label1"},
    {detail::K::Label,    "Label3",          {3120, 360,  2055, 255},  "PopUp Window Name:",        {},                                       24,  true, true,  {}},
    {detail::K::InputBox, "txtWinname",      {5280, 360,  1695, 285},  {},                          "Your PopUp Window Name",                  2, false, true,  "Label3"},
    {detail::K::Label,    "Label2",          {360,  840,  1935, 255},  "Url of PopUp Window:",      {},                                       23,  true, true,  {}},
    {detail::K::InputBox, "txtUrl",          {2400, 840,  4575, 285},  {},                          "URL For the PopUp",                       3, false, true,  "Label2"},
    {detail::K::Label,    "Label4",          {240,  1320, 735,  255},  "Width:",                    {},                                       25,  true, true,  {}},
    {detail::K::InputBox, "txtWidth",        {1080, 1320, 1215, 285},  {},                          "Width",                                   4, false, true,  "Label4"},
    {detail::K::Label,    "Label5",          {2520, 1320, 735,  255},  "Height:",                   {},                                       26,  true, true,  {}},
    {detail::K::InputBox, "txtHeight",       {3360, 1320, 1215, 285},  {},                          "Height",                                  5, false, true,  "Label5"},

    {detail::K::CheckBox, detail::box(PopupFeature::Status),      {360,  1920, 1215, 375}, {}, "Enable Or Disable Status Bar Of PopUp",   6, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Toolbar),     {2040, 1920, 1215, 375}, {}, {},                                        7, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Menubar),     {3960, 1920, 1215, 375}, {}, "Enable Or Disable Menubar Of PopUp",      8, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Scroll),      {360,  2400, 1215, 375}, {}, "Enable Disable Scrollbars Of PopUp",      9, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Directories), {2040, 2400, 1215, 375}, {}, "Enable Disable Directories",             10, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Location),    {3960, 2400, 1215, 375}, {}, "Enable Or Disable Locations",            11, false, true, {}},
    {detail::K::CheckBox, detail::box(PopupFeature::Resize),      {5760, 2400, 1095, 375}, {}, "Enable Or Disable Resizeable",           12, false, true, {}},

    {detail::K::Button,   "Command1",        {240,  3240, 2055, 375},  "Generate This Code",        "Generate This Code",                     13,  true, true,  {}},
    {detail::K::Button,   "Command5",        {5880, 3120, 1095, 375},  "Reset",                     {},                                       16, false, false, {}},
    {detail::K::Button,   "selectone",       {5880, 3720, 1095, 255},  "Select All",                {},                                       15, false, true,  {}},
    {detail::K::Button,   "Command2",        {240,  6960, 1095, 375},  "Preview",                   "Let's See Preview Of PopUp",             20, false, false, {}},
    {detail::K::Button,   "Command3",        {5280, 6960, 855,  375},  "About",                     "About Us",                               21, false, true,  {}},
    {detail::K::Button,   "Command4",        {6240, 6960, 735,  375},  "Exit",                      "Close This Program",                     22, false, true,  {}},

    {detail::K::Label,    "Label6",          {240,  3840, 5535, 255},  "Please input the below code between <head> and </head> tags", {}, 27, true, true, {}},
    {detail::K::OutputBox,"txtScript",       {240,  4080, 6735, 1575}, {},                          {},                                       14, false, false, "Label6"},
    {detail::K::Label,    "Label7",          {240,  5880, 2175, 255},  "Call Function \"On Click\"", {},                                      28,  true, true,  {}},
    {detail::K::Label,    "Label8",          {2640, 5880, 1815, 255},  "Call Function on link",     {},                                       29,  true, true,  {}},
    {detail::K::Label,    "Label9",          {4560, 5880, 2295, 255},  "Call Function \"OnLoad\"",  {},                                       30,  true, true,  {}},
    {detail::K::OutputBox,"txtOnclick",      {240,  6120, 2295, 735},  {},                          {},                                       17, false, false, "Label7"},
    {detail::K::OutputBox,"txtLink",         {2640, 6120, 1815, 735},  {},                          {},                                       18, false, false, "Label8"},
    {detail::K::OutputBox,"txtOnload",       {4560, 6120, 2415, 735},  {},                          {},                                       19, false, false, "Label9"},

    {detail::K::Rectangle,"Shape1",          {240,  1800, 6735, 1095}, {},                          {},                                       -1, false, true,  {}},
    {detail::K::Rectangle,"Shape2",          {120,  120,  6975, 7335}, {},                          {},                                       -1, false, true,  {}},
}};
// clang-format on

// Which settings field each input box holds.
struct InputField {
    std::string_view box;
    SettingsField field;
};
inline constexpr std::array<InputField, 5> kInputFields{{
    {"txtFunctionname", SettingsField::FunctionName},
    {"txtUrl", SettingsField::Url},
    {"txtWinname", SettingsField::WindowName},
    {"txtWidth", SettingsField::Width},
    {"txtHeight", SettingsField::Height},
}};

const ControlRow* find(std::string_view name);

// The text a control shows at design time: its caption, a check box's feature caption, or an input
// box's start-up value. Empty for output boxes and rectangles.
std::string designText(const ControlRow& row);

// The words of a box's label, as a screen reader should announce the box ("Function Name").
std::string accessibleNameFor(const ControlRow& row);

std::optional<PopupFeature> featureOf(const ControlRow& row);
std::optional<SettingsField> fieldOf(std::string_view boxName);

}  // namespace quillbay::mainlayout
