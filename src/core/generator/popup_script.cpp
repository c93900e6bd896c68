#include "core/generator/popup_script.h"

#include <algorithm>
#include <utility>

namespace quillbay {

namespace {

struct ValidationRule {
    SettingsField field;
    std::string_view message;
};

// Height is checked before width on purpose: that is the order users have always seen the messages in.
constexpr std::array<ValidationRule, 5> kValidationRules{{
    {SettingsField::FunctionName, "Please Input popup function name"},
    {SettingsField::Url, "Please input the url for popup window"},
    {SettingsField::WindowName, "Please Input the name of window"},
    {SettingsField::Height, "Please specify the height of popup window"},
    {SettingsField::Width, "Please specify the width of popup window"},
}};

// The features in the order window.open's feature list names them, derived from the table.
constexpr std::array<FeatureInfo, kFeatureCount> kScriptOrder = [] {
    auto ordered = kFeatures;
    std::sort(ordered.begin(), ordered.end(),
              [](const FeatureInfo& a, const FeatureInfo& b) { return a.scriptPosition < b.scriptPosition; });
    return ordered;
}();

constexpr std::string_view kCrLf = "\r\n";

void append(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) out.append(piece);
}

}  // namespace

const std::string& PopupSettings::text(SettingsField field) const {
    switch (field) {
    case SettingsField::FunctionName: return functionName;
    case SettingsField::Url: return url;
    case SettingsField::WindowName: return windowName;
    case SettingsField::Width: return width;
    case SettingsField::Height: return height;
    }
    return functionName;  // unreachable: every enumerator is handled above
}

std::string& PopupSettings::text(SettingsField field) {
    return const_cast<std::string&>(std::as_const(*this).text(field));
}

PopupSettings startupSettings() {
    PopupSettings s;
    s.functionName = defaults::kFunctionName;
    s.url = defaults::kStartupUrl;
    s.windowName = defaults::kStartupWindowName;
    s.width = defaults::kWidth;
    s.height = defaults::kHeight;
    return s;
}

PopupSettings resetSettings() {
    PopupSettings s = startupSettings();
    s.url = defaults::kResetUrl;
    s.windowName = defaults::kResetWindowName;
    return s;
}

std::optional<ValidationFailure> validate(const PopupSettings& settings) {
    for (const ValidationRule& rule : kValidationRules) {
        if (settings.text(rule.field).empty()) return ValidationFailure{rule.field, rule.message};
    }
    return std::nullopt;
}

GeneratedSnippets generate(const PopupSettings& s) {
    GeneratedSnippets out;
    const std::string_view name = s.functionName;

    std::string& script = out.script;
    script.reserve(200 + name.size() + s.url.size() + s.windowName.size() + s.width.size() + s.height.size());
    append(script, {"<script language=Javascript>", kCrLf, "function", " ", name, "(){", kCrLf});
    append(script, {"window.open(", "'", s.url, "'", ",", "'", s.windowName, "'", ",", "'"});
    append(script, {"width=", s.width, ",", "height=", s.height});
    for (const FeatureInfo& f : kScriptOrder) append(script, {",", f.scriptKey, featureText(s.feature(f.feature))});
    append(script, {"')", kCrLf, "}", kCrLf, "</script>"});

    out.onClick.reserve(name.size() + 16);
    append(out.onClick, {"onClick='", name, "()'"});
    out.link.reserve(name.size() + 48);
    append(out.link, {"<a href='javascript:", name, "()'>", "On Link", "</a>"});
    out.onLoad.reserve(name.size() + 24);
    append(out.onLoad, {"<body onload='", name, "()'>"});
    return out;
}

}  // namespace quillbay
