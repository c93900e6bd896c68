// Letting the user drag a window by its background.
#pragma once

#include <windows.h>

namespace quillbay {

class WinWindowMover {
public:
    virtual ~WinWindowMover() = default;
    // Hands the window to the system as if its title bar had been grabbed; returns when the move ends.
    virtual void startMove(HWND window) = 0;
};

class SystemWinWindowMover final : public WinWindowMover {
public:
    void startMove(HWND window) override;
};

}  // namespace quillbay
