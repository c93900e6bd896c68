// A main window with no toolkit: it holds what each control would show and writes down every call, so the
// commands can be checked step by step and in order.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/main_window/main_form_layout.h"
#include "core/main_window/main_form_view.h"

namespace quillbay::testing {

class FakeMainFormView final : public MainFormView {
public:
    // As the window opens: the design texts, every box unchecked, the design's enabled states.
    FakeMainFormView() {
        for (const auto& row : mainlayout::kControls) {
            enabled[std::string(row.name)] = row.enabledAtStart;
            if (row.kind == mainlayout::ControlKind::InputBox) texts[std::string(row.name)] = mainlayout::designText(row);
            if (row.kind == mainlayout::ControlKind::OutputBox) texts[std::string(row.name)] = {};
            if (row.kind == mainlayout::ControlKind::CheckBox) checked[std::string(row.name)] = false;
        }
        focus = "txtFunctionname";
    }

    std::string text(std::string_view box) const override { return texts.at(std::string(box)); }
    bool isChecked(std::string_view box) const override { return checked.at(std::string(box)); }
    std::string_view focusedControl() const override { return focus; }

    void setText(std::string_view box, const std::string& value) override {
        texts.at(std::string(box)) = value;
        log.push_back("text " + std::string(box));
    }
    void setChecked(std::string_view box, bool on) override {
        checked.at(std::string(box)) = on;
        log.push_back(std::string(on ? "check " : "uncheck ") + std::string(box));
    }
    void setEnabled(std::string_view control, bool on) override {
        enabled.at(std::string(control)) = on;
        log.push_back(std::string(on ? "enable " : "disable ") + std::string(control));
    }
    void setFocus(std::string_view control) override {
        focus = std::string(control);
        log.push_back("focus " + focus);
    }
    void selectAll(std::string_view box) override { log.push_back("select " + std::string(box)); }
    void tell(const std::string& message) override {
        told.push_back(message);
        log.push_back("tell");
    }
    void preview(const PopupSettings& settings) override {
        previews.push_back(settings);
        log.push_back("preview");
    }
    void showAbout() override { log.push_back("about"); }
    void exit() override { log.push_back("exit"); }

    std::map<std::string, std::string> texts;
    std::map<std::string, bool> checked;
    std::map<std::string, bool> enabled;
    std::string focus;
    std::vector<std::string> told;
    std::vector<PopupSettings> previews;
    std::vector<std::string> log;
};

}  // namespace quillbay::testing
