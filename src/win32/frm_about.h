// The Windows view of the About window, built from its layout table, with AboutBehaviour's commands.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/about/about_behaviour.h"
#include "core/about/about_layout.h"
#include "core/about/sys_info_lookup.h"
#include "win32/design_fonts.h"
#include "win32/dialog_window.h"

namespace quillbay {
class WinMessenger;
}

namespace quillbay::win32 {

struct AboutServices {
    WinMessenger* messenger = nullptr;
    SysInfoLookup* lookup = nullptr;
    StartProgram start;            // a path in the system's code page
    std::function<void(HWND owner)> help;  // F1
    std::function<void()> closed;           // the window is gone
};

// A dialog window whose OK is both the default and the cancel button.
class frmAbout : public DialogWindow, private AboutView {
public:
    // Lays the window out as designed, where the design puts it beside `mainWindow` (if there is one), and
    // loads it (Form_Load); it is shown by show().
    frmAbout(HINSTANCE instance, AboutServices services, HWND mainWindow);
    ~frmAbout() override;

    void show();
    void StartSysInfo() { behaviour_.StartSysInfo(); }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void pressed(int id) override;
    void layOut(UINT dpi, const RECT* suggested) override;
    void destroyed() override;
    void createControls();
    void applyLayout(UINT dpi);
    void placeWindow(UINT dpi, const RECT* suggested);
    void paint();

    // AboutView
    void setCaption(const std::string& caption) override;
    void setLabel(std::string_view label, const std::string& text) override;
    void tell(const std::string& message) override;
    void unload() override;

    HINSTANCE instance_;
    AboutServices services_;
    AboutBehaviour behaviour_;
    std::unique_ptr<DesignFonts> fonts_;
    HWND mainWindow_;
    std::array<HWND, aboutlayout::kLabels.size()> labels_{};
    std::array<HWND, aboutlayout::kButtons.size()> buttons_{};
};

}  // namespace quillbay::win32
