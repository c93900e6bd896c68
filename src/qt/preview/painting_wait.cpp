#include "qt/preview/painting_wait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

namespace quillbay {

void PaintingWait::operator()() {
    // Only the thread that runs the windows handles their events; elsewhere a wait just waits.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->thread() != QThread::currentThread()) return;
    // Qt keeps the excluded input in its queue, in the order it came, for the event loop to deliver later.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
    // The event loop looks at held input again only when woken: without this, a click made during the wait
    // would sit until the next thing the window system reports, a mouse move or a key.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

}  // namespace quillbay
