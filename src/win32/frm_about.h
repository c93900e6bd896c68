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

namespace quillbay {
class WinMessenger;
}

namespace quillbay::win32 {

struct AboutServices {
    WinMessenger* messenger = nullptr;
    SysInfoLookup* lookup = nullptr;
    StartProgram start;            // a path in the system's code page
    std::function<void()> closed;  // the window is gone
};

class frmAbout : private AboutView {
public:
    // Lays the window out as designed and loads it (Form_Load); it is shown by show().
    frmAbout(HINSTANCE instance, AboutServices services);
    ~frmAbout() override;
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    HWND hwnd() const { return hwnd_; }
    void show();
    void StartSysInfo() { behaviour_.StartSysInfo(); }
    // The dialog keys: Tab, Enter and Esc for OK, Alt+S.
    bool preTranslate(MSG& message);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
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
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::array<HWND, aboutlayout::kLabels.size()> labels_{};
    std::array<HWND, aboutlayout::kButtons.size()> buttons_{};
};

}  // namespace quillbay::win32
