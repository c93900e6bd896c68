#include "platform/win_window_mover.h"

namespace quillbay {

void SystemWinWindowMover::startMove(HWND window) {
    // The window holds the capture since the press; the system's move loop needs it released first.
    ReleaseCapture();
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace quillbay
