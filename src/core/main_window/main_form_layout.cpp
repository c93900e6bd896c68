#include "core/main_window/main_form_layout.h"

#include <algorithm>
#include <string>

namespace quillbay::mainlayout {

const ControlRow* find(std::string_view name) {
    auto it = std::find_if(kControls.begin(), kControls.end(), [&](const ControlRow& c) { return c.name == name; });
    return it == kControls.end() ? nullptr : &*it;
}

std::optional<PopupFeature> featureOf(const ControlRow& row) {
    if (row.kind != ControlKind::CheckBox) return std::nullopt;
    for (const FeatureInfo& info : kFeatures) {
        if (info.checkBox == row.name) return info.feature;
    }
    return std::nullopt;
}

std::optional<SettingsField> fieldOf(std::string_view boxName) {
    for (const InputField& input : kInputFields) {
        if (input.box == boxName) return input.field;
    }
    return std::nullopt;
}

std::string designText(const ControlRow& row) {
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Button:
        return std::string(row.caption);
    case ControlKind::CheckBox:
        if (auto feature = featureOf(row)) return std::string(featureInfo(*feature).caption);
        return {};
    case ControlKind::InputBox:
        if (auto field = fieldOf(row.name)) return startupSettings().text(*field);
        return {};
    case ControlKind::OutputBox:
    case ControlKind::Rectangle:
        return {};
    }
    return {};
}

std::string accessibleNameFor(const ControlRow& row) {
    if (row.labelledBy.empty()) return designText(row);
    const ControlRow* label = find(row.labelledBy);
    if (!label) return {};
    std::string words(label->caption);
    while (!words.empty() && (words.back() == ':' || words.back() == ' ')) words.pop_back();
    return words;
}

}  // namespace quillbay::mainlayout
