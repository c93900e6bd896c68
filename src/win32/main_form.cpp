#include "win32/main_form.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win_help_viewer.h"
#include "platform/win_messenger.h"
#include "platform/win_text.h"
#include "platform/win_window_mover.h"
#include "win32/control_ids.h"
#include "win32/window_helpers.h"

namespace quillbay::win32 {

namespace {

using mainlayout::ControlKind;
using mainlayout::ControlRow;
using mainlayout::kControls;

std::size_t indexOf(const ControlRow& row) { return static_cast<std::size_t>(&row - kControls.data()); }

const ControlRow* rowOfId(int id) {
    const int index = id - kFirstMainControlId;
    if (index < 0 || index >= static_cast<int>(kControls.size())) return nullptr;
    return &kControls[static_cast<std::size_t>(index)];
}

// Every control is its own group, so that the arrow keys never carry the focus off a check box or button.
// Buttons and check boxes tell of the focus (BS_NOTIFY) so that the default frame can follow it.
DWORD styleOf(ControlKind kind) {
    constexpr DWORD kFocusable = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;
    switch (kind) {
    case ControlKind::Label:
        // SS_NOTIFY: a press on a label is the label's, so it does not move the window.
        return WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
    case ControlKind::InputBox:
        return kFocusable | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::OutputBox:
        // Editable once enabled, Enter starting a new line as in any text.
        return kFocusable | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    case ControlKind::CheckBox:
        return kFocusable | BS_AUTOCHECKBOX | BS_NOTIFY;
    case ControlKind::Button:
        return kFocusable | BS_PUSHBUTTON | BS_NOTIFY;
    case ControlKind::Rectangle:
        break;
    }
    return 0;
}

const wchar_t* classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return WC_STATICW;
    case ControlKind::InputBox:
    case ControlKind::OutputBox: return WC_EDITW;
    default: return WC_BUTTONW;
    }
}

// The order in which the controls are made, which is their stacking order from the top and so the Tab
// order: the focusable ones by tab index, each box right after the label that names it, because that is
// where assistive technology looks for a box's name.
std::vector<const ControlRow*> creationOrder() {
    std::vector<const ControlRow*> focusable;
    for (const ControlRow& row : kControls)
        if (row.kind != ControlKind::Label && row.kind != ControlKind::Rectangle) focusable.push_back(&row);
    std::ranges::stable_sort(focusable, {}, &ControlRow::tabIndex);

    std::vector<const ControlRow*> order;
    for (const ControlRow* row : focusable) {
        if (!row->labelledBy.empty())
            if (const ControlRow* label = mainlayout::find(row->labelledBy)) order.push_back(label);
        order.push_back(row);
    }
    for (const ControlRow& row : kControls)
        if (row.kind == ControlKind::Label && std::ranges::find(order, &row) == order.end()) order.push_back(&row);
    return order;
}

}  // namespace

mainForm::mainForm(HINSTANCE instance, MainFormServices services)
    : DialogWindow({}, [this](HWND owner) { openHelp(owner); }),
      instance_(instance),
      services_(std::move(services)),
      banner_(instance) {
    static const bool registered = [instance] {
        registerClass(instance, kMainFormClass,
                      static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, 32, 32, 0)),
                      static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, 16, 16, 0)));
        return true;
    }();
    (void)registered;

    create(instance, kMainFormClass, fromUtf8(mainlayout::kCaption), WS_OVERLAPPEDWINDOW, 0);
    if (!hwnd()) return;

    createControls();
    const UINT dpi = GetDpiForWindow(hwnd());
    applyLayout(dpi);
    placeWindow(dpi, nullptr);

    std::wstring folder = services_.programFolder;
    if (folder.empty()) folder = programFolder();
    behaviour_.Form_Load(toUtf8(folder));
}

mainForm::~mainForm() {
    services_.closed = nullptr;  // the program is ending; nobody is left to tell
    close();
}

void mainForm::show(int showCommand) {
    if (!hwnd()) return;
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

void mainForm::close() {
    if (hwnd()) DestroyWindow(hwnd());
}

HWND mainForm::control(std::string_view name) const {
    const ControlRow* row = mainlayout::find(name);
    return row ? controls_[indexOf(*row)] : nullptr;
}

void mainForm::destroyed() {
    toolTips_ = nullptr;
    controls_.fill(nullptr);
    if (services_.closed) services_.closed();
}

LRESULT mainForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_CTLCOLORSTATIC: {
        // Labels are transparent: the banner and the window's surface show through them.
        const ControlRow* row = rowOfId(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (!row || row->kind != ControlKind::Label) break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // Only presses on the window's own surface arrive here: every control takes its own.
        Form_MouseDown(message);
        return 0;
    default:
        break;
    }
    return DialogWindow::handle(message, wParam, lParam);
}

void mainForm::layOut(UINT dpi, const RECT* suggested) {
    applyLayout(dpi);
    placeWindow(dpi, suggested);
}

void mainForm::createControls() {
    for (const ControlRow* row : creationOrder()) {
        const std::wstring text = fromUtf8(mainlayout::designText(*row));
        const DWORD extended = (row->kind == ControlKind::InputBox || row->kind == ControlKind::OutputBox)
                                   ? WS_EX_CLIENTEDGE
                                   : 0;
        HWND child = CreateWindowExW(extended, classOf(row->kind), text.c_str(), styleOf(row->kind), 0, 0, 0, 0,
                                     hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(mainControlId(indexOf(*row)))),
                                     instance_, nullptr);
        if (!child) continue;
        // Each new control below those before it, whatever the system's own habit.
        SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        controls_[indexOf(*row)] = child;
        // The edit control's own limit of 32,767 characters would cut a long paste short without a word.
        if (row->kind == ControlKind::InputBox || row->kind == ControlKind::OutputBox)
            SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
        if (!row->enabledAtStart) EnableWindow(child, FALSE);
    }

    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance_,
                                nullptr);
    toolTipTexts_.reserve(kControls.size());
    for (const ControlRow& row : kControls) {
        HWND child = controls_[indexOf(row)];
        if (row.toolTip.empty() || !child || !toolTips_) continue;
        toolTipTexts_.push_back(fromUtf8(row.toolTip));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(child);
        tool.lpszText = toolTipTexts_.back().data();
        SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // Tab index 0 is a label's, so the first box starts with the focus.
    rememberFocus(control("txtFunctionname"));
}

void mainForm::applyLayout(UINT dpi) {
    auto fonts = std::make_unique<DesignFonts>(dpi);
    for (const ControlRow& row : kControls) {
        HWND child = controls_[indexOf(row)];
        if (!child) continue;
        const design::PixelRect r = design::toPixels(row.rect, static_cast<int>(dpi));
        SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(row.bold ? fonts->bold() : fonts->regular()), TRUE);
    }
    fonts_ = std::move(fonts);  // the old fonts go only once no control uses them
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void mainForm::placeWindow(UINT dpi, const RECT* suggested) {
    const design::PixelRect client = design::toPixels(mainlayout::kClientArea, static_cast<int>(dpi));
    RECT frame{client.left, client.top, client.left + client.width, client.top + client.height};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
    // On a move to another monitor the system says where the window goes; its size stays the design's.
    const int left = suggested ? suggested->left : frame.left;
    const int top = suggested ? suggested->top : frame.top;
    SetWindowPos(hwnd(), nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void mainForm::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    const int dpi = static_cast<int>(GetDpiForWindow(hwnd()));
    // Beneath everything, at its own size, never stretched or tiled.
    banner_.paint(dc, 0, 0, static_cast<UINT>(dpi));
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::Rectangle) continue;
        const design::PixelRect r = design::toPixels(row.rect, dpi);
        const RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
        // Shape1 is filled with the window's colour behind the check boxes; Shape2 is an outline only.
        if (row.name == "Shape1") FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    EndPaint(hwnd(), &ps);
}

void mainForm::pressed(int id) {
    const ControlRow* row = rowOfId(id);
    if (!row || row->kind != ControlKind::Button) return;
    const std::string_view name = row->name;
    if (name == "Command1") behaviour_.Command1_Click();
    if (name == "Command2") behaviour_.Command2_Click();
    if (name == "Command3") behaviour_.Command3_Click();
    if (name == "Command4") behaviour_.Command4_Click();
    if (name == "Command5") behaviour_.Command5_Click();
    if (name == "selectone") behaviour_.selectone_Click();
}

void mainForm::Form_MouseDown(UINT message) {
    const MoveButton button = message == WM_RBUTTONDOWN   ? MoveButton::Right
                              : message == WM_MBUTTONDOWN ? MoveButton::Middle
                                                          : MoveButton::Left;
    if (services_.mover) services_.mover->startMove(hwnd(), button);
}

void mainForm::openHelp(HWND owner) {
    if (!services_.help || !services_.isFile) return;
    const std::wstring file = fromUtf8(behaviour_.helpFile());
    if (services_.isFile(file)) services_.help->show(owner, file);
}

std::string mainForm::text(std::string_view box) const { return toUtf8(windowText(control(box))); }

bool mainForm::isChecked(std::string_view checkBox) const {
    HWND box = control(checkBox);
    return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string_view mainForm::focusedControl() const {
    HWND focused = GetFocus();
    for (const ControlRow& row : kControls)
        if (focused && controls_[indexOf(row)] == focused) return row.name;
    return {};
}

void mainForm::setText(std::string_view box, const std::string& text) {
    if (HWND control = this->control(box)) SetWindowTextW(control, fromUtf8(text).c_str());
}

void mainForm::setChecked(std::string_view checkBox, bool on) {
    if (HWND box = control(checkBox)) SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void mainForm::setEnabled(std::string_view name, bool on) {
    HWND child = control(name);
    if (!child) return;
    const bool hadFocus = GetFocus() == child;
    EnableWindow(child, on ? TRUE : FALSE);
    if (on || (!hadFocus && rememberedFocus() != child)) return;
    // A disabled control keeps the focus it had, and the keyboard would then reach nothing: the focus goes
    // on along the Tab order, as it would in a dialog.
    HWND next = GetNextDlgTabItem(hwnd(), child, FALSE);
    rememberFocus(next != child ? next : nullptr);
    if (hadFocus) focusLikeDialog(rememberedFocus());
}

void mainForm::setFocus(std::string_view name) {
    if (HWND child = control(name)) {
        rememberFocus(child);
        // A message box that has just closed may have left no window active (Wine without a window manager
        // does); the keyboard focus only reaches a control of the active window.
        if (GetActiveWindow() != hwnd()) SetActiveWindow(hwnd());
        SetFocus(child);
    }
}

void mainForm::selectAll(std::string_view box) {
    if (HWND child = control(box)) SendMessageW(child, EM_SETSEL, 0, -1);
}

void mainForm::tell(const std::string& message) {
    if (services_.messenger) services_.messenger->tell(hwnd(), fromUtf8(message));
}

void mainForm::preview(const PopupSettings& settings) {
    if (services_.preview) services_.preview(settings, [this](const std::string& message) { tell(message); });
}

void mainForm::showAbout() {
    if (services_.showAbout) services_.showAbout();
}

void mainForm::exit() {
    if (services_.exit) services_.exit();
}

}  // namespace quillbay::win32
