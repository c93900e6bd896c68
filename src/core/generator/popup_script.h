// The popup settings record, its feature table, validation and the script generator.
// Standard C++ only: every text is UTF-8 and is carried through byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillbay {

// In the order the check boxes are listed in the main window's control list.
enum class PopupFeature { Toolbar, Menubar, Directories, Resize, Location, Scroll, Status };
inline constexpr std::size_t kFeatureCount = 7;

// Which browser-window property the preview sets from a feature.
enum class BrowserProperty { None, AddressBar, StatusBar, ToolBar, MenuBar, Resizable };

struct FeatureInfo {
    PopupFeature feature;
    std::string_view checkBox;   // object name of the main window's check box
    std::string_view caption;    // text beside the check box
    std::string_view scriptKey;  // "name=" written into window.open's feature list
    int scriptPosition;          // 1-based place in that list
    BrowserProperty browserProperty;
};

// The one description of the seven features; the window, the generator and the preview all read it.
inline constexpr std::array<FeatureInfo, kFeatureCount> kFeatures{{
    {PopupFeature::Toolbar, "optTollbar", "Toolbars", "toolbar=", 6, BrowserProperty::ToolBar},
    {PopupFeature::Menubar, "optMenubar", "Menu Bar", "menubar=", 3, BrowserProperty::MenuBar},
    {PopupFeature::Directories, "optDirectories", "Directories", "directories=", 5, BrowserProperty::None},
    {PopupFeature::Resize, "optResize", "Resizeable", "resizable=", 4, BrowserProperty::Resizable},
    {PopupFeature::Location, "optLocation", "Locations", "location=", 7, BrowserProperty::AddressBar},
    {PopupFeature::Scroll, "optScroll", "Scroll Bar", "scrollbars=", 2, BrowserProperty::None},
    {PopupFeature::Status, "optStatus", "Status Bar", "status=", 1, BrowserProperty::StatusBar},
}};

constexpr const FeatureInfo& featureInfo(PopupFeature feature) {
    return kFeatures[static_cast<std::size_t>(feature)];
}

// How a feature state is written into the generated script.
constexpr std::string_view featureText(bool on) { return on ? "1" : "0"; }

// The five text fields, in the order they are declared in the record.
enum class SettingsField { FunctionName, Url, WindowName, Width, Height };

struct PopupSettings {
    // Stored exactly as typed: never trimmed, converted or escaped.
    std::string functionName;
    std::string url;
    std::string windowName;
    std::string width;
    std::string height;

    bool feature(PopupFeature f) const { return features_[static_cast<std::size_t>(f)]; }
    void setFeature(PopupFeature f, bool on) { features_[static_cast<std::size_t>(f)] = on; }

    const std::string& text(SettingsField field) const;
    std::string& text(SettingsField field);

    bool operator==(const PopupSettings&) const = default;

private:
    std::array<bool, kFeatureCount> features_{};
};

// Values shown when the program starts, and those the Reset command puts back.
// Reset deliberately differs from start-up in the window name and the address.
namespace defaults {
inline constexpr std::string_view kFunctionName = "myPopUp";
inline constexpr std::string_view kStartupUrl = "https://www.quillbay.example/";
inline constexpr std::string_view kResetUrl = "https://tools.quillbay.example/popups/";
inline constexpr std::string_view kStartupWindowName = "dorvelWin";
inline constexpr std::string_view kResetWindowName = "corvane";
inline constexpr std::string_view kWidth = "200";
inline constexpr std::string_view kHeight = "350";
}  // namespace defaults

PopupSettings startupSettings();
PopupSettings resetSettings();

struct ValidationFailure {
    SettingsField field;
    std::string_view message;

    bool operator==(const ValidationFailure&) const = default;
};

// The first empty field, in the fixed order function name, URL, window name, height, width.
// Only a text of length zero is empty; blanks and non-numbers pass.
std::optional<ValidationFailure> validate(const PopupSettings& settings);

struct GeneratedSnippets {
    std::string script;   // five lines joined by CR LF, no trailing line break
    std::string onClick;
    std::string link;
    std::string onLoad;

    bool operator==(const GeneratedSnippets&) const = default;
};

// Pure concatenation of fixed pieces and the field texts, inserted verbatim.
GeneratedSnippets generate(const PopupSettings& settings);

}  // namespace quillbay
