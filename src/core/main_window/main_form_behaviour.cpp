#include "core/main_window/main_form_behaviour.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include "core/main_window/main_form_layout.h"

namespace quillbay {

namespace {

// Linux has no HTML Help: the guide's first page plays the help file's part there. It is installed in
// the data folder next to the bin folder, and the build puts it at the same place relative to the program.
#ifndef QUILLBAY_GUIDE_DIR_FROM_BINDIR
#define QUILLBAY_GUIDE_DIR_FROM_BINDIR "../share/quillbay/guide"
#endif

constexpr std::string_view kScriptBox = "txtScript";
constexpr std::string_view kNoScript = "Please Generate the Script first";

// The orders in which each command touches its controls: a front end may show every step, so they are kept.
constexpr std::array<std::string_view, 5> kInputsAsDisabled{"txtFunctionname", "txtWinname", "txtUrl", "txtWidth",
                                                            "txtHeight"};
constexpr std::array<PopupFeature, kFeatureCount> kFeaturesAsDisabled{
    PopupFeature::Directories, PopupFeature::Location, PopupFeature::Menubar, PopupFeature::Resize,
    PopupFeature::Scroll,      PopupFeature::Status,   PopupFeature::Toolbar};
constexpr std::array<std::string_view, 4> kOutputsAsEnabled{"txtScript", "txtOnclick", "txtOnload", "txtLink"};
constexpr std::array<std::string_view, 4> kOutputsAsCleared{"txtOnclick", "txtOnload", "txtLink", "txtScript"};

std::string_view boxOf(SettingsField field) {
    for (const auto& input : mainlayout::kInputFields)
        if (input.field == field) return input.box;
    return {};
}

}  // namespace

std::string helpFilePath(const std::string& programFolder) {
#ifdef _WIN32
    std::string path = programFolder;
    if (path.empty() || (path.back() != '/' && path.back() != '\\')) path += '\\';
    return path + "help.chm";
#else
    return (std::filesystem::path(programFolder) / QUILLBAY_GUIDE_DIR_FROM_BINDIR / "index.html").lexically_normal();
#endif
}

void MainFormBehaviour::Form_Load(const std::string& programFolder) { helpFile_ = helpFilePath(programFolder); }

PopupSettings MainFormBehaviour::readSettings() const {
    PopupSettings settings;
    for (const auto& input : mainlayout::kInputFields) settings.text(input.field) = view_.text(input.box);
    for (const FeatureInfo& info : kFeatures) settings.setFeature(info.feature, view_.isChecked(info.checkBox));
    return settings;
}

void MainFormBehaviour::Command1_Click() {
    const PopupSettings settings = readSettings();
    if (const auto failure = validate(settings)) {
        view_.tell(std::string(failure->message));
        view_.setFocus(boxOf(failure->field));
        return;
    }

    view_.setEnabled("Command5", true);
    view_.setEnabled("Command2", true);
    for (std::string_view box : kOutputsAsEnabled) view_.setEnabled(box, true);

    const GeneratedSnippets snippets = generate(settings);
    view_.setText("txtScript", snippets.script);
    view_.setText("txtOnclick", snippets.onClick);
    view_.setText("txtLink", snippets.link);
    view_.setText("txtOnload", snippets.onLoad);

    // A focused control about to be disabled would hand the focus down the tab order through every other
    // control about to be disabled; it ends in the script box, the first control after "Generate This Code"
    // that stays enabled, so send it there at once.
    const std::string_view focused = view_.focusedControl();
    const bool focusAboutToGo =
        focused == "Command1" || std::ranges::find(kInputsAsDisabled, focused) != kInputsAsDisabled.end() ||
        std::ranges::any_of(kFeatures, [&](const FeatureInfo& info) { return info.checkBox == focused; });
    if (focusAboutToGo) view_.setFocus(kScriptBox);

    view_.setEnabled("Command1", false);
    for (std::string_view box : kInputsAsDisabled) view_.setEnabled(box, false);
    for (PopupFeature feature : kFeaturesAsDisabled) view_.setEnabled(featureInfo(feature).checkBox, false);
}

void MainFormBehaviour::Command2_Click() { view_.preview(readSettings()); }

void MainFormBehaviour::Command3_Click() { view_.showAbout(); }

void MainFormBehaviour::Command4_Click() { view_.exit(); }

void MainFormBehaviour::Command5_Click() {
    const PopupSettings defaults = resetSettings();
    for (const auto& input : mainlayout::kInputFields) view_.setText(input.box, defaults.text(input.field));
    for (const FeatureInfo& info : kFeatures) view_.setChecked(info.checkBox, false);

    for (const auto& input : mainlayout::kInputFields) view_.setEnabled(input.box, true);
    for (const FeatureInfo& info : kFeatures) view_.setEnabled(info.checkBox, true);

    for (std::string_view box : kOutputsAsCleared) {
        view_.setText(box, {});
        view_.setEnabled(box, false);
    }

    view_.setEnabled("Command1", true);
    view_.setEnabled("Command5", false);
    view_.setEnabled("Command2", false);
}

void MainFormBehaviour::selectone_Click() {
    if (view_.text(kScriptBox).empty()) {
        view_.tell(std::string(kNoScript));
        return;
    }
    view_.selectAll(kScriptBox);
    view_.setFocus(kScriptBox);
}

}  // namespace quillbay
