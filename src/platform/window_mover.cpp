#include "platform/window_mover.h"

#include <QWidget>
#include <QWindow>

namespace quillbay {

void QtWindowMover::startMove(QWidget* window) {
    if (!window) return;
    if (QWindow* handle = window->window()->windowHandle()) handle->startSystemMove();
}

}  // namespace quillbay
