#include "win32/about_window.h"

#include <utility>

namespace quillbay::win32 {

AboutWindow::AboutWindow(HINSTANCE instance, AboutServices services, std::function<void()> closed)
    : instance_(instance), services_(std::move(services)), closed_(std::move(closed)) {
    services_.closed = [this] {
        if (closed_) closed_();
    };
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::Show(HWND mainWindow) {
    // A closed window's object lives on until here: it may not be deleted from inside its own messages.
    if (!isLoaded()) {
        form_.reset();
        form_ = std::make_unique<frmAbout>(instance_, services_, mainWindow);
    }
    form_->show();
}

void AboutWindow::Unload() {
    if (isLoaded()) DestroyWindow(form_->hwnd());
}

}  // namespace quillbay::win32
