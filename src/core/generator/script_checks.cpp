#include "core/generator/script_checks.h"

#include <algorithm>
#include <array>
#include <ranges>

namespace quillbay {

namespace {

constexpr std::array<std::string_view, 51> kNotFunctionNames{
    "await",     "break",    "case",       "catch",     "class",     "const",   "continue", "debugger", "default",
    "delete",    "do",       "else",       "enum",      "export",    "extends", "false",    "finally",  "for",
    "function",  "if",       "import",     "in",        "instanceof", "new",    "null",     "return",   "super",
    "switch",    "this",     "throw",      "true",      "try",       "typeof",  "var",      "void",     "while",
    "with",      "yield",    "implements", "interface", "let",       "package", "private",  "protected", "public",
    "static",    "undefined", "NaN",       "Infinity",  "eval",      "arguments",
};

constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool containsScriptEnd(std::string_view text) {
    constexpr std::string_view kEnd = "</script";
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto same = [&](char c, char end) { return lower(c) == end; };
    return std::search(text.begin(), text.end(), kEnd.begin(), kEnd.end(), same) != text.end();
}

bool isPositiveWholeNumber(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, isAsciiDigit) &&
           std::ranges::any_of(text, [](char c) { return c != '0'; });
}

bool isAcceptedWindowName(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_'; });
}

}  // namespace

bool isScriptIdentifier(std::string_view name) {
    const auto identifierChar = [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c == '$'; };
    return !name.empty() && !isAsciiDigit(name.front()) && std::ranges::all_of(name, identifierChar) &&
           std::ranges::find(kNotFunctionNames, name) == kNotFunctionNames.end();
}

std::vector<PopupFeature> featuresPreventingPopup(const PopupSettings& settings) {
    const bool bars = settings.feature(PopupFeature::Location) || settings.feature(PopupFeature::Toolbar);
    const bool rest = settings.feature(PopupFeature::Menubar) && settings.feature(PopupFeature::Resize) &&
                      settings.feature(PopupFeature::Scroll) && settings.feature(PopupFeature::Status);
    if (!bars || !rest) return {};
    // In the order window.open's feature list names them, as the user reads them in the script.
    std::array<FeatureInfo, kFeatureCount> ordered = kFeatures;
    std::sort(ordered.begin(), ordered.end(),
              [](const FeatureInfo& a, const FeatureInfo& b) { return a.scriptPosition < b.scriptPosition; });
    std::vector<PopupFeature> features;
    for (const FeatureInfo& info : ordered)
        if (info.feature != PopupFeature::Directories && settings.feature(info.feature)) features.push_back(info.feature);
    return features;
}

std::vector<ScriptWarning> checkScript(const PopupSettings& settings) {
    std::vector<ScriptWarning> warnings;
    for (SettingsField field : {SettingsField::FunctionName, SettingsField::Url, SettingsField::WindowName,
                                SettingsField::Width, SettingsField::Height}) {
        const std::string& text = settings.text(field);
        const auto warn = [&](ScriptProblem problem, std::string_view message) {
            warnings.push_back({field, problem, message});
        };
        // Every field lands between single quotes somewhere: the function name in the attributes, the
        // others inside window.open's arguments.
        if (text.find('\'') != std::string::npos)
            warn(ScriptProblem::QuoteEndsString, "holds ', which ends the quoted string in the generated code");
        if (containsScriptEnd(text)) warn(ScriptProblem::EndsScriptBlock, "holds </script, which ends the script block");
        switch (field) {
        case SettingsField::FunctionName:
            if (!isScriptIdentifier(text))
                warn(ScriptProblem::NotIdentifier,
                     "is not a script identifier (ASCII letters, digits, _ and $, no digit first, no reserved word)");
            break;
        case SettingsField::Width:
        case SettingsField::Height:
            if (!isPositiveWholeNumber(text))
                warn(ScriptProblem::NotPositiveWholeNumber, "is not a whole number above zero");
            break;
        case SettingsField::WindowName:
            if (!isAcceptedWindowName(text))
                warn(ScriptProblem::WindowNameRefused,
                     "holds characters other than letters, digits and underscores, which some browsers refuse");
            break;
        case SettingsField::Url:
            break;
        }
    }
    return warnings;
}

}  // namespace quillbay
