#include "platform/win_window_mover.h"

namespace quillbay {

namespace {

bool isMouseInput(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE ||
           (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK);
}

// Follows the pointer with the capture held, until `button` is released, the capture is taken away, or Esc.
void followPointer(HWND window, UINT release, WPARAM held) {
    RECT start{};
    POINT grabbed{};
    // A maximised window stays where it is, as under the system's move.
    if (IsZoomed(window) || !GetWindowRect(window, &start) || !GetCursorPos(&grabbed)) return;
    SetCapture(window);
    MSG message;
    while (GetCapture() == window) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the program's own loop
            break;
        }
        if (message.message == release) break;
        if (message.message == WM_MOUSEMOVE) {
            // A release that went to another window still ends the move.
            if (!(message.wParam & held)) break;
            SetWindowPos(window, nullptr, start.left + message.pt.x - grabbed.x, start.top + message.pt.y - grabbed.y, 0,
                         0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            SetWindowPos(window, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        // Keys and other presses belong to the move while it lasts, as in the system's own.
        if ((message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) || isMouseInput(message.message)) continue;
        DispatchMessageW(&message);
    }
    if (GetCapture() == window) ReleaseCapture();
}

}  // namespace

void SystemWinWindowMover::startMove(HWND window, MoveButton button) {
    switch (button) {
    case MoveButton::Left:
        // The window holds the capture since the press; the system's move loop needs it released first.
        ReleaseCapture();
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return;
    case MoveButton::Right: followPointer(window, WM_RBUTTONUP, MK_RBUTTON); return;
    case MoveButton::Middle: followPointer(window, WM_MBUTTONUP, MK_MBUTTON); return;
    }
}

}  // namespace quillbay
