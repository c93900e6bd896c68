#include "win32/frm_about.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/about/about_placement.h"
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

frmAbout::frmAbout(HINSTANCE instance, AboutServices services, HWND mainWindow)
    : DialogWindow({kAboutOkId, kAboutOkId},
                   [this](HWND owner) {
                       if (services_.help) services_.help(owner);
                   }),
      instance_(instance),
      services_(std::move(services)),
      behaviour_(*this, *services_.lookup, services_.start),
      mainWindow_(mainWindow) {
    static const bool registered = [instance] {
        registerClass(instance, kAboutClass);
        return true;
    }();
    (void)registered;

    // A window of its own rather than the main window's: it outlives the main window.
    create(instance, kAboutClass, fromUtf8(aboutlayout::kDesignCaption), kStyle, kExtendedStyle);
    if (!hwnd()) return;
    createControls();
    const UINT dpi = GetDpiForWindow(hwnd());
    applyLayout(dpi);
    placeWindow(dpi, nullptr);
    behaviour_.Form_Load();
}

frmAbout::~frmAbout() {
    services_.closed = nullptr;
    if (hwnd()) DestroyWindow(hwnd());
}

void frmAbout::show() {
    if (!hwnd()) return;
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
}

void frmAbout::destroyed() {
    labels_.fill(nullptr);
    buttons_.fill(nullptr);
    if (services_.closed) services_.closed();
}

void frmAbout::pressed(int id) {
    if (id == kAboutOkId) behaviour_.cmdOK_Click();
    if (id == kAboutSysInfoId) behaviour_.cmdSysInfo_Click();
}

void frmAbout::layOut(UINT dpi, const RECT* suggested) {
    applyLayout(dpi);
    placeWindow(dpi, suggested);
}

LRESULT frmAbout::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
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
    default:
        break;
    }
    return DialogWindow::handle(message, wParam, lParam);
}

void frmAbout::createControls() {
    // Buttons first: the stacking order is the Tab order, OK then System Info; labels take no focus.
    for (std::size_t i = 0; i < aboutlayout::kButtons.size(); ++i) {
        const aboutlayout::ButtonRow& row = aboutlayout::kButtons[i];
        const DWORD style =
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_NOTIFY | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        buttons_[i] = CreateWindowExW(0, WC_BUTTONW, fromUtf8(row.caption).c_str(), style, 0, 0, 0, 0, hwnd(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId(i))), instance_, nullptr);
        SetWindowPos(buttons_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < aboutlayout::kLabels.size(); ++i) {
        labels_[i] = CreateWindowExW(0, WC_STATICW, fromUtf8(aboutlayout::kLabels[i].caption).c_str(),
                                     WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(aboutLabelId(i))), instance_,
                                     nullptr);
        SetWindowPos(labels_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    rememberFocus(buttons_[0]);
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
    InvalidateRect(hwnd(), nullptr, TRUE);
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
        // Beside the main window as designed, or where the pointer is when there is none.
        POINT origin{};
        HMONITOR screen = nullptr;
        UINT mainDpi = dpi;
        if (mainWindow_ && IsWindow(mainWindow_)) {
            ClientToScreen(mainWindow_, &origin);
            screen = MonitorFromWindow(mainWindow_, MONITOR_DEFAULTTONEAREST);
            mainDpi = GetDpiForWindow(mainWindow_);
        } else {
            GetCursorPos(&origin);
            screen = MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(screen, &monitor);
        const RECT& work = monitor.rcWork;
        const aboutlayout::PixelPoint place = aboutlayout::aboutFramePosition(
            {origin.x, origin.y}, {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
            static_cast<int>(mainDpi),
            {work.left, work.top, work.right - work.left, work.bottom - work.top});
        left = place.x;
        top = place.y;
    }
    SetWindowPos(hwnd(), nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    const int dpi = static_cast<int>(GetDpiForWindow(hwnd()));
    // The etched rule, its white band first and the grey row over it.
    for (const aboutlayout::LineRow& line : aboutlayout::kLines) {
        const int thickness = std::max(1, MulDiv(line.widthPixels, dpi, design::kDesignDpi));
        const int top = design::toPixels(line.y, dpi);
        const RECT area{design::toPixels(line.x1, dpi), top, design::toPixels(line.x2, dpi), top + thickness};
        HBRUSH brush = CreateSolidBrush(RGB((line.rgb >> 16) & 0xFF, (line.rgb >> 8) & 0xFF, line.rgb & 0xFF));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    EndPaint(hwnd(), &ps);
}

void frmAbout::setCaption(const std::string& caption) {
    if (hwnd()) SetWindowTextW(hwnd(), fromUtf8(caption).c_str());
}

void frmAbout::setLabel(std::string_view label, const std::string& text) {
    for (std::size_t i = 0; i < labels_.size(); ++i)
        if (aboutlayout::kLabels[i].name == label && labels_[i]) SetWindowTextW(labels_[i], fromUtf8(text).c_str());
}

void frmAbout::tell(const std::string& message) {
    if (services_.messenger) services_.messenger->tell(hwnd(), fromUtf8(message));
}

void frmAbout::unload() {
    if (hwnd()) DestroyWindow(hwnd());
}

}  // namespace quillbay::win32
