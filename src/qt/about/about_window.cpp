#include "qt/about/about_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <utility>

#include "core/about/about_placement.h"
#include "core/twips.h"

namespace quillbay {

namespace {

design::PixelRect pixelRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// Places `about`, not yet shown, beside `owner`. Its frame is not known before the window manager has
// framed it; the owner's, from the same window manager, stands in for it.
void placeBeside(QWidget& about, const QWidget& owner) {
    // On Wayland the compositor places every window; a program's position is not heard.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    const QScreen* screen = owner.screen();
    if (!screen) return;
    const QRect client = owner.geometry();
    const QRect frame = owner.frameGeometry();
    const int left = client.left() - frame.left();
    const int top = client.top() - frame.top();
    const int right = frame.right() - client.right();
    const int bottom = frame.bottom() - client.bottom();
    const QPoint origin = owner.mapToGlobal(QPoint(0, 0));
    const aboutlayout::PixelPoint place = aboutlayout::aboutFramePosition(
        {origin.x(), origin.y()},
        {-left, -top, about.width() + left + right, about.height() + top + bottom}, design::kDesignDpi,
        pixelRect(screen->availableGeometry()));
    // Before the window exists, its position is that of its frame.
    about.move(place.x, place.y);
}

}  // namespace

AboutWindow::AboutWindow(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger)
    : launcher_(registry, files, launcher, messenger) {}

AboutWindow::~AboutWindow() { delete form_.data(); }

void AboutWindow::Show(const QWidget* owner) {
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
        if (owner) placeBeside(*form_, *owner);
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
