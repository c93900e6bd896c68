#include "qt/about/about_window.h"

#include <QShortcut>
#include <utility>

namespace quillbay {

AboutWindow::AboutWindow(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger)
    : launcher_(registry, files, launcher, messenger) {}

AboutWindow::~AboutWindow() { delete form_.data(); }

void AboutWindow::Show() {
    if (!form_) {
        form_ = new frmAbout(launcher_);
        // A closed window deletes itself only later; from the moment it closes it no longer counts as loaded,
        // so an "About" right after it loads a fresh one.
        QObject::connect(form_.data(), &QDialog::finished, form_.data(), [this] { form_.clear(); });
        auto* help = new QShortcut(QKeySequence(Qt::Key_F1), form_.data());
        help->setContext(Qt::WindowShortcut);
        QObject::connect(help, &QShortcut::activated, form_.data(), [this] {
            if (help_) help_();
        });
    }
    form_->show();
    form_->raise();
    form_->activateWindow();
}

void AboutWindow::Unload() {
    if (frmAbout* form = form_.data()) {
        form_.clear();
        form->close();
    }
}

frmAbout* AboutWindow::form() const { return form_.data(); }

void AboutWindow::setHelp(std::function<void()> help) { help_ = std::move(help); }

}  // namespace quillbay
