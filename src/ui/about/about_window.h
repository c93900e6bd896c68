// Showing the About window: modeless, and never more than one.
#pragma once

#include <QPointer>

#include "ui/about/frm_about.h"
#include "ui/about/sys_info_launcher.h"

namespace quillbay {

class AboutWindow {
public:
    AboutWindow(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // The window the About window belongs to: it stays above it and goes when it goes.
    void setOwner(QWidget* owner);

    // Loads the window if it is not loaded, then shows and raises it.
    void Show();
    // Closes the window if it is loaded.
    void Unload();

    // The loaded window, or null.
    frmAbout* form() const;

private:
    SysInfoLauncher launcher_;
    QPointer<QWidget> owner_;
    QPointer<frmAbout> form_;
};

}  // namespace quillbay
