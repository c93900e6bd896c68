// Warnings about settings that generate without complaint but give a page broken or surprising code.
// They never stop generation: validate() alone decides that, and the snippets stay as they are.
#pragma once

#include <string_view>
#include <vector>

#include "core/generator/popup_script.h"

namespace quillbay {

enum class ScriptProblem {
    QuoteEndsString,         // a ' closes the quoted string or attribute the field sits in
    EndsScriptBlock,         // "</script" closes the script block early, whatever its case
    NotIdentifier,           // the function name cannot be declared
    NotPositiveWholeNumber,  // width or height
    WindowNameRefused,       // some browsers accept only letters, digits and underscores there
};

struct ScriptWarning {
    SettingsField field;
    ScriptProblem problem;
    std::string_view text;  // to follow the field's name: "--url holds ', which ..."

    bool operator==(const ScriptWarning&) const = default;
};

// In the record's field order, each field's problems in the order of ScriptProblem.
std::vector<ScriptWarning> checkScript(const PopupSettings& settings);

// ASCII letters, digits, _ and $, no digit first, and none of the words a page cannot name a function
// by: the reserved words (strict mode's included, since a page may turn it on) and the global names
// that cannot be redeclared or are forbidden in strict mode (undefined, NaN, Infinity, eval, arguments).
bool isScriptIdentifier(std::string_view name);

// The features that, all on together, make a browser open an ordinary window or tab where a popup was
// meant (and the size may then not apply), in the order of the generated feature list; empty while the settings ask for a
// popup. By the HTML standard's rule for whether window.open requests a popup, it does while Locations
// and Toolbars are both off, or while one of Menu Bar, Resizeable, Scroll Bar or Status Bar is off.
// Directories plays no part in it.
std::vector<PopupFeature> featuresPreventingPopup(const PopupSettings& settings);

// To follow the list of those features: "--feature toolbar, ..., status together ...".
inline constexpr std::string_view kNoPopupWarning =
    "together ask for an ordinary window or tab, not a popup, and browsers may not apply its size; "
    "switch one of menubar, resizable, scrollbars or status off";

// Not about any field: pages that open the popup as they load are refused by popup blockers.
inline constexpr std::string_view kOnLoadBlockedWarning =
    "browsers block the popup of the OnLoad snippet unless the user clicked on the page";

}  // namespace quillbay
