#include "qt/preview/painting_wait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>

namespace quillbay {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Only the thread that runs the windows handles their events; elsewhere a wait just waits.
bool onApplicationThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

}  // namespace

PaintingWait::PaintingWait() {
    if (onApplicationThread()) QCoreApplication::instance()->installEventFilter(this);
}

PaintingWait::~PaintingWait() {
    if (onApplicationThread()) QCoreApplication::instance()->removeEventFilter(this);
}

void PaintingWait::operator()() {
    if (!onApplicationThread()) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers);
}

bool PaintingWait::eventFilter(QObject*, QEvent* event) { return isUserInput(event->type()); }

}  // namespace quillbay
