// What the main window's commands ask of the window that shows them. Each front end implements it over its
// own controls; controls are named as in the layout table (main_form_layout.h), texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "core/generator/popup_script.h"

namespace quillbay {

class MainFormView {
public:
    virtual ~MainFormView() = default;

    // An input or output box's whole text, exactly (an output box's line breaks as CR LF).
    virtual std::string text(std::string_view box) const = 0;
    virtual bool isChecked(std::string_view checkBox) const = 0;
    // The control that has the input focus, or empty when none of the window's has it.
    virtual std::string_view focusedControl() const = 0;

    virtual void setText(std::string_view box, const std::string& text) = 0;
    virtual void setChecked(std::string_view checkBox, bool on) = 0;
    virtual void setEnabled(std::string_view control, bool on) = 0;
    virtual void setFocus(std::string_view control) = 0;
    // Selects a box's whole text.
    virtual void selectAll(std::string_view box) = 0;

    // One modal message: only OK, no icon, the application's title as caption. Returns once it is closed.
    virtual void tell(const std::string& message) = 0;
    virtual void preview(const PopupSettings& settings) = 0;
    virtual void showAbout() = 0;
    virtual void exit() = 0;
};

}  // namespace quillbay
