#include "platform/window_mover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quillbay {

QtWindowMover::Way QtWindowMover::wayFor(const QString& platformName) {
    return platformName.startsWith(QLatin1String("wayland")) ? Way::WindowSystem : Way::FollowPointer;
}

QtWindowMover::QtWindowMover(Way way) : way_(way) {}

void QtWindowMover::startMove(QWidget* window, Qt::MouseButton button, QPoint pointer) {
    if (!window) return;
    QWidget* top = window->window();
    QWindow* handle = top->windowHandle();
    if (!handle) return;
    if (way_ == Way::WindowSystem) {
        handle->startSystemMove();
        return;
    }
    stop();
    // The press that began it keeps the pointer grabbed by this window until its release, so every motion
    // on the way, wherever the pointer is, comes here.
    window_ = top;
    handle_ = handle;
    button_ = button;
    pointerStart_ = pointer;
    frameStart_ = top->pos();
    handle->installEventFilter(this);
}

bool QtWindowMover::eventFilter(QObject* watched, QEvent* event) {
    if (watched != handle_.data()) return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Its release went elsewhere (another program took the pointer): the move is over.
        if (!(mouse->buttons() & button_)) {
            stop();
            return false;
        }
        if (window_) window_->move(frameStart_ + mouse->globalPosition().toPoint() - pointerStart_);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == button_) stop();
        return false;
    case QEvent::FocusOut:
    case QEvent::Hide:
        stop();
        return false;
    default:
        return false;
    }
}

void QtWindowMover::stop() {
    if (handle_) handle_->removeEventFilter(this);
    handle_.clear();
    window_.clear();
    button_ = Qt::NoButton;
}

}  // namespace quillbay
