// The Windows view of the main window: the layout table's controls as user32 windows and standard controls,
// and the commands of MainFormBehaviour shown on them.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/generator/popup_script.h"
#include "core/main_window/main_form_behaviour.h"
#include "core/main_window/main_form_layout.h"
#include "core/main_window/main_form_view.h"
#include "win32/banner_picture.h"
#include "win32/design_fonts.h"
#include "win32/dialog_window.h"

namespace quillbay {
class WinMessenger;
class WinWindowMover;
class WinHelpViewer;
}  // namespace quillbay

namespace quillbay::win32 {

// "Preview": shows the popup for `settings`, telling the user through `tell` what went wrong.
using PreviewFunction =
    std::function<void(const PopupSettings& settings, const std::function<void(const std::string&)>& tell)>;

// What the window asks of the rest of the program; tests hand in fakes.
struct MainFormServices {
    WinMessenger* messenger = nullptr;
    WinWindowMover* mover = nullptr;
    WinHelpViewer* help = nullptr;                    // shows the help file on F1
    std::function<bool(const std::wstring&)> isFile;  // is the help file there?
    PreviewFunction preview;
    std::function<void()> showAbout;
    std::function<void()> exit;
    std::function<void()> closed;  // the window is gone, by Exit or by its title bar
    std::wstring programFolder;    // where the help file lies; empty: the executable's folder
};

// A dialog window without a default or cancel button: Enter presses only a focused button.
class mainForm : public DialogWindow, private MainFormView {
public:
    // Creates the window, laid out at its monitor's resolution and loaded, but not yet shown.
    mainForm(HINSTANCE instance, MainFormServices services);
    ~mainForm() override;

    void show(int showCommand);
    void close();

    HWND control(std::string_view name) const;
    const std::string& helpFile() const { return behaviour_.helpFile(); }
    // Shows the help file over `owner`, where there is one.
    void openHelp(HWND owner);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void pressed(int id) override;
    void layOut(UINT dpi, const RECT* suggested) override;
    void destroyed() override;
    void createControls();
    void applyLayout(UINT dpi);
    void placeWindow(UINT dpi, const RECT* suggested);
    void paint();
    void Form_MouseDown(UINT message);

    // MainFormView
    std::string text(std::string_view box) const override;
    bool isChecked(std::string_view checkBox) const override;
    std::string_view focusedControl() const override;
    void setText(std::string_view box, const std::string& text) override;
    void setChecked(std::string_view checkBox, bool on) override;
    void setEnabled(std::string_view control, bool on) override;
    void setFocus(std::string_view control) override;
    void selectAll(std::string_view box) override;
    void tell(const std::string& message) override;
    void preview(const PopupSettings& settings) override;
    void showAbout() override;
    void exit() override;

    HINSTANCE instance_;
    MainFormServices services_;
    MainFormBehaviour behaviour_{*this};
    BannerPicture banner_;
    std::unique_ptr<DesignFonts> fonts_;
    HWND toolTips_ = nullptr;
    std::array<HWND, mainlayout::kControls.size()> controls_{};  // by table index; none for the rectangles
    std::vector<std::wstring> toolTipTexts_;                    // the tool tips point into these
};

}  // namespace quillbay::win32
