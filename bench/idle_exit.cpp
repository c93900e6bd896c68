// Preloaded (LD_PRELOAD) into a program whose start-up is being measured: ends it on the spot, without
// tearing anything down, the first time its event loop is about to wait after a top-level window has
// painted. Neither program under measurement knows about it, so both are measured exactly as shipped.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <unistd.h>

namespace {

class IdleExit final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!armed_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            armed_ = true;
            // Painting is under way; the next time the loop has nothing left to do, start-up is over.
            QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                             [] { ::_exit(0); });
        }
        return false;
    }

private:
    bool armed_ = false;
};

void watchApplication() { QCoreApplication::instance()->installEventFilter(new IdleExit); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchApplication)
