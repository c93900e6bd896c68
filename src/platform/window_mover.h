// Letting the user drag a window by something other than its title bar.
#pragma once

class QWidget;

namespace quillbay {

class WindowMover {
public:
    virtual ~WindowMover() = default;
    // Hands the window to the window system as if its title bar had been grabbed.
    virtual void startMove(QWidget* window) = 0;
};

class QtWindowMover final : public WindowMover {
public:
    void startMove(QWidget* window) override;
};

}  // namespace quillbay
