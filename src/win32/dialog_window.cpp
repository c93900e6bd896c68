#include "win32/dialog_window.h"

#include <utility>

#include "win32/window_helpers.h"

namespace quillbay::win32 {

namespace {

bool isPushButton(HWND control) {
    return control && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// Whether the control a key is bound for takes that key itself (a multi-line box takes Enter, for one).
bool wantsKey(const MSG& key, LRESULT own) {
    return SendMessageW(key.hwnd, WM_GETDLGCODE, key.wParam, reinterpret_cast<LPARAM>(&key)) & (own | DLGC_WANTMESSAGE);
}

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

DialogWindow::DialogWindow(Buttons buttons, std::function<void(HWND owner)> help)
    : buttons_(buttons), help_(std::move(help)) {}

DialogWindow::~DialogWindow() {
    // The derived window has gone already; a window still here must not reach it.
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

void DialogWindow::registerClass(HINSTANCE instance, const wchar_t* name, HICON icon, HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    RegisterClassExW(&windowClass);
}

void DialogWindow::create(HINSTANCE instance, const wchar_t* windowClass, const std::wstring& caption, DWORD style,
                          DWORD extendedStyle) {
    CreateWindowExW(extendedStyle, windowClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, instance, this);
}

bool DialogWindow::preTranslate(MSG& message) {
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN && !held(VK_MENU)) {
        switch (message.wParam) {
        case VK_F1:
            if (help_) help_(hwnd_);
            return true;
        case VK_TAB:
            if (held(VK_CONTROL) || wantsKey(message, DLGC_WANTTAB)) break;
            SendMessageW(hwnd_, WM_NEXTDLGCTL, held(VK_SHIFT), FALSE);
            return true;
        case VK_RETURN: {
            if (wantsKey(message, DLGC_WANTALLKEYS)) break;
            // The focused button, whichever is the default: that is the dialog manager's rule.
            HWND focused = GetFocus();
            press(isPushButton(focused) && IsChild(hwnd_, focused) ? focused : button(buttons_.defaultId));
            return true;
        }
        case VK_ESCAPE:
            if (!buttons_.cancelId) break;
            press(button(buttons_.cancelId));
            return true;
        default:
            break;
        }
    }
    // Space on a button, and the access keys.
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

LRESULT CALLBACK DialogWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<DialogWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->lastFocus_ = nullptr;
        self->destroyed();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->dialogMessage(message, wParam, lParam, result)) return result;
    return self->handle(message, wParam, lParam);
}

LRESULT DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool DialogWindow::dialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (!control) return false;
        const UINT code = HIWORD(wParam);
        // Edit boxes tell of the focus always; buttons and check boxes because they are made BS_NOTIFY.
        if (code == EN_SETFOCUS || code == BN_SETFOCUS) {
            focusArrived(control);
            return true;
        }
        if (code == BN_CLICKED && isPushButton(control)) {
            pressed(LOWORD(wParam));
            return true;
        }
        return false;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            if (focused && IsChild(hwnd_, focused)) lastFocus_ = focused;
        } else if (lastFocus_) {
            SetFocus(lastFocus_);
        }
        return true;
    case WM_SETFOCUS:
        if (lastFocus_) SetFocus(lastFocus_);
        return true;
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd_, GetFocus(), static_cast<BOOL>(wParam != 0));
        focusLikeDialog(next);
        return true;
    }
    case DM_GETDEFID:
        result = buttons_.defaultId ? MAKELRESULT(buttons_.defaultId, DC_HASDEFID) : 0;
        return true;
    case DM_SETDEFID:
        // The default button is the design's, not something another program sets.
        result = TRUE;
        return true;
    case WM_DPICHANGED:
        layOut(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return true;
    default:
        return false;
    }
}

void DialogWindow::focusArrived(HWND control) {
    lastFocus_ = control;
    // The frame marks the button Enter presses: the focused one, else the window's default, if it has one.
    HWND framed = isPushButton(control) ? control : button(buttons_.defaultId);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT code = SendMessageW(child, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
        const bool hasFrame = (code & DLGC_DEFPUSHBUTTON) != 0;
        if (hasFrame != (child == framed))
            SendMessageW(child, BM_SETSTYLE, child == framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void DialogWindow::press(HWND button) {
    if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) return;
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace quillbay::win32
