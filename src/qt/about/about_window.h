// Showing the About window: modeless, and never more than one. It is a window of its own rather than
// the main window's child, so closing the main window leaves it open and the program running until it
// too is closed.
#pragma once

#include <QPointer>
#include <functional>

#include "qt/about/frm_about.h"
#include "qt/about/sys_info_launcher.h"

namespace quillbay {

class AboutWindow {
public:
    AboutWindow(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Loads the window if it is not loaded, then shows and raises it. A window loaded here opens at its
    // designed place beside `owner` (the main window), where the program places its windows.
    void Show(const QWidget* owner = nullptr);
    // Closes the window if it is loaded.
    void Unload();

    // The loaded window, or null.
    frmAbout* form() const;

    // What F1 does in the window: the main window's help, so that both open the same file.
    void setHelp(std::function<void()> help);

private:
    SysInfoLauncher launcher_;
    QPointer<frmAbout> form_;
    std::function<void()> help_;
};

}  // namespace quillbay
