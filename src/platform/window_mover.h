// Letting the user drag a window by something other than its title bar.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <Qt>

class QWidget;
class QWindow;

namespace quillbay {

class WindowMover {
public:
    virtual ~WindowMover() = default;
    // Moves the window with the pointer from the press of `button` at `pointer` (global) until that button
    // is released, as if its title bar had been grabbed with it.
    virtual void startMove(QWidget* window, Qt::MouseButton button, QPoint pointer) = 0;
};

class QtWindowMover final : public QObject, public WindowMover {
public:
    enum class Way {
        // The window system moves it. Only where the program cannot place its own windows (Wayland): the
        // compositor then ends the move when the buttons are released.
        WindowSystem,
        // The program moves it while it holds the pointer. On X11 Qt's own request to the window manager
        // always names the left button, so a move begun with another went on after its release until a
        // left click, and without a window manager nothing moved at all.
        FollowPointer,
    };
    // The way that ends the move at the release of its own button on the platform named.
    static Way wayFor(const QString& platformName);

    explicit QtWindowMover(Way way);
    void startMove(QWidget* window, Qt::MouseButton button, QPoint pointer) override;

    bool moving() const { return !handle_.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stop();

    Way way_;
    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;  // the filtered window, while a move lasts
    Qt::MouseButton button_ = Qt::NoButton;
    QPoint pointerStart_;
    QPoint frameStart_;
};

}  // namespace quillbay
