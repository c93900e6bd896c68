// Letting the user drag a window by its background.
#pragma once

#include <windows.h>

namespace quillbay {

enum class MoveButton { Left, Right, Middle };

class WinWindowMover {
public:
    virtual ~WinWindowMover() = default;
    // Moves the window with the pointer while `button`, just pressed, is held; returns when the move ends.
    virtual void startMove(HWND window, MoveButton button) = 0;
};

// The left button hands the window to the system as if its title bar had been grabbed. The system's move
// ends only at the left button's release, so a move by another button follows the pointer here, until that
// button is released (or Esc puts the window back).
class SystemWinWindowMover final : public WinWindowMover {
public:
    void startMove(HWND window, MoveButton button) override;
};

}  // namespace quillbay
