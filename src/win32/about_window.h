// Showing the About window: modeless, never more than one, loaded afresh after each close.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "win32/frm_about.h"

namespace quillbay::win32 {

class AboutWindow {
public:
    // `services.closed` is this class's own; `closed` is told after each About window has gone.
    AboutWindow(HINSTANCE instance, AboutServices services, std::function<void()> closed = {});
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Loads the window if it is not loaded, placed beside `mainWindow`, then shows it and brings it to the
    // front.
    void Show(HWND mainWindow = nullptr);
    // Closes the window if it is loaded.
    void Unload();
    bool isLoaded() const { return form_ && form_->hwnd(); }
    frmAbout* form() const { return isLoaded() ? form_.get() : nullptr; }
    bool preTranslate(MSG& message) { return isLoaded() && form_->preTranslate(message); }

private:
    HINSTANCE instance_;
    AboutServices services_;
    std::function<void()> closed_;
    std::unique_ptr<frmAbout> form_;
};

}  // namespace quillbay::win32
