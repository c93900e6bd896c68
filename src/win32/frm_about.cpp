#include "win32/frm_about.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/twips.h"
#include "platform/win_messenger.h"
#include "platform/win_text.h"
#include "win32/control_ids.h"
#include "win32/window_helpers.h"

namespace quillbay::win32 {

namespace {

// A fixed dialog frame: no sizing border, no minimise or maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;

constexpr int buttonId(std::size_t index) { return index == 0 ? kAboutOkId : kAboutSysInfoId; }

RECT pixelRect(const design::TwipsRect& twips, UINT dpi) {
    const design::PixelRect r = design::toPixels(twips, static_cast<int>(dpi));
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

}  // namespace

frmAbout::frmAbout(HINSTANCE instance, AboutServices services)
    : instance_(instance),
      services_(std::move(services)),
      behaviour_(*this, *services_.lookup, services_.start) {
    static const ATOM registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kAboutClass;
        return RegisterClassExW(&windowClass);
    }();
    (void)registered;

    // A window of its own rather than the main window's: it outlives the main window.
    const std::wstring caption = fromUtf8(aboutlayout::kDesignCaption);
    CreateWindowExW(kExtendedStyle, kAboutClass, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!hwnd_) return;
    createControls();
    const UINT dpi = GetDpiForWindow(hwnd_);
    applyLayout(dpi);
    placeWindow(dpi, nullptr);
    behaviour_.Form_Load();
}

frmAbout::~frmAbout() {
    services_.closed = nullptr;
    if (hwnd_) DestroyWindow(hwnd_);
}

void frmAbout::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

bool frmAbout::preTranslate(MSG& message) {
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

LRESULT CALLBACK frmAbout::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<frmAbout*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmAbout*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->labels_.fill(nullptr);
        self->buttons_.fill(nullptr);
        self->lastFocus_ = nullptr;
        if (self->services_.closed) self->services_.closed();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT frmAbout::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Enter reaches here as OK's command, and Esc as IDCANCEL: both are OK's.
        switch (LOWORD(wParam)) {
        case kAboutOkId:
        case IDCANCEL: behaviour_.cmdOK_Click(); return 0;
        case kAboutSysInfoId: behaviour_.cmdSysInfo_Click(); return 0;
        default: return 0;
        }
    case DM_GETDEFID:
        return MAKELRESULT(kAboutOkId, DC_HASDEFID);
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd_, GetFocus(), static_cast<BOOL>(wParam != 0));
        focusLikeDialog(next);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HWND label = reinterpret_cast<HWND>(lParam);
        HDC dc = reinterpret_cast<HDC>(wParam);
        const int index = GetDlgCtrlID(label) - kFirstAboutLabelId;
        const bool black = index >= 0 && index < static_cast<int>(aboutlayout::kLabels.size()) &&
                           aboutlayout::kLabels[static_cast<std::size_t>(index)].colour ==
                               aboutlayout::TextColour::Black;
        SetTextColor(dc, black ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT:
        paint();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            if (focused && IsChild(hwnd_, focused)) lastFocus_ = focused;
        } else if (lastFocus_) {
            SetFocus(lastFocus_);
        }
        return 0;
    case WM_DPICHANGED: {
        const UINT dpi = HIWORD(wParam);
        applyLayout(dpi);
        placeWindow(dpi, reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void frmAbout::createControls() {
    // Buttons first: the stacking order is the Tab order, OK then System Info; labels take no focus.
    for (std::size_t i = 0; i < aboutlayout::kButtons.size(); ++i) {
        const aboutlayout::ButtonRow& row = aboutlayout::kButtons[i];
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        buttons_[i] = CreateWindowExW(0, WC_BUTTONW, fromUtf8(row.caption).c_str(), style, 0, 0, 0, 0, hwnd_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId(i))), instance_, nullptr);
        SetWindowPos(buttons_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < aboutlayout::kLabels.size(); ++i) {
        labels_[i] = CreateWindowExW(0, WC_STATICW, fromUtf8(aboutlayout::kLabels[i].caption).c_str(),
                                     WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(aboutLabelId(i))), instance_,
                                     nullptr);
        SetWindowPos(labels_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    lastFocus_ = buttons_[0];
}

void frmAbout::applyLayout(UINT dpi) {
    auto fonts = std::make_unique<DesignFonts>(dpi);
    auto place = [&](HWND control, const design::TwipsRect& twips, HFONT font) {
        if (!control) return;
        const RECT r = pixelRect(twips, dpi);
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const aboutlayout::LabelRow& row = aboutlayout::kLabels[i];
        place(labels_[i], row.rect, row.title ? fonts->title() : fonts->regular());
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        place(buttons_[i], aboutlayout::kButtons[i].rect, fonts->regular());
    fonts_ = std::move(fonts);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void frmAbout::placeWindow(UINT dpi, const RECT* suggested) {
    const int d = static_cast<int>(dpi);
    RECT frame{0, 0, design::toPixels(aboutlayout::kClientWidth, d), design::toPixels(aboutlayout::kClientHeight, d)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExtendedStyle, dpi);
    int left = 0;
    int top = 0;
    if (suggested) {
        left = suggested->left;
        top = suggested->top;
    } else {
        // Centred on the monitor's work area that holds the pointer, where the user just pressed "About".
        POINT cursor{};
        GetCursorPos(&cursor);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        left = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
        top = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
    }
    SetWindowPos(hwnd_, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const int dpi = static_cast<int>(GetDpiForWindow(hwnd_));
    // The etched rule, its white band first and the grey row over it.
    for (const aboutlayout::LineRow& line : aboutlayout::kLines) {
        const int thickness = std::max(1, MulDiv(line.widthPixels, dpi, design::kDesignDpi));
        const int top = design::toPixels(line.y, dpi);
        const RECT area{design::toPixels(line.x1, dpi), top, design::toPixels(line.x2, dpi), top + thickness};
        HBRUSH brush = CreateSolidBrush(RGB((line.rgb >> 16) & 0xFF, (line.rgb >> 8) & 0xFF, line.rgb & 0xFF));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    EndPaint(hwnd_, &ps);
}

void frmAbout::setCaption(const std::string& caption) {
    if (hwnd_) SetWindowTextW(hwnd_, fromUtf8(caption).c_str());
}

void frmAbout::setLabel(std::string_view label, const std::string& text) {
    for (std::size_t i = 0; i < labels_.size(); ++i)
        if (aboutlayout::kLabels[i].name == label && labels_[i]) SetWindowTextW(labels_[i], fromUtf8(text).c_str());
}

void frmAbout::tell(const std::string& message) {
    if (services_.messenger) services_.messenger->tell(hwnd_, fromUtf8(message));
}

void frmAbout::unload() {
    if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace quillbay::win32
