#include "win32/quillbay_driver.h"

#include <cstdio>
#include <vector>

#include "core/main_window/main_form_layout.h"
#include "win32/control_ids.h"

namespace quillbay::win32::testing {

namespace {

constexpr UINT kAnswerWithin = 30000;

struct Search {
    DWORD processId;
    const wchar_t* windowClass;
    HWND found = nullptr;
    int count = 0;
};

BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner == search->processId && IsWindowVisible(window) && lstrcmpW(name, search->windowClass) == 0) {
        if (!search->found) search->found = window;
        ++search->count;
    }
    return TRUE;
}

struct Children {
    std::wstring text;
    int buttons = 0;
    bool icon = false;
};

BOOL CALLBACK visitChild(HWND child, LPARAM context) {
    auto* seen = reinterpret_cast<Children*>(context);
    if (!IsWindowVisible(child)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, L"Button") == 0) ++seen->buttons;
    if (lstrcmpiW(name, L"Static") == 0) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            // Some message boxes keep an empty icon control.
            seen->icon = seen->icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else {
            wchar_t text[512] = {};
            GetWindowTextW(child, text, 512);
            if (text[0]) seen->text = text;
        }
    }
    return TRUE;
}

}  // namespace

std::wstring driverFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

QuillbayDriver::QuillbayDriver() {
    std::wstring program = driverFolder() + L"\\quillbay.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        std::fprintf(stderr, "could not start %ls: error %lu\n", program.c_str(), GetLastError());
        return;
    }
    // A window can be found while it is still making its controls: wait until the program is idle.
    WaitForInputIdle(process_.hProcess, kAnswerWithin);
    waitUntil([&] { return (mainWindow_ = findWindow(kMainFormClass)) != nullptr; });
    if (mainWindow_) threadId_ = GetWindowThreadProcessId(mainWindow_, nullptr);
}

QuillbayDriver::~QuillbayDriver() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, kAnswerWithin);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND QuillbayDriver::control(std::string_view name) const {
    const mainlayout::ControlRow* row = mainlayout::find(name);
    return row ? GetDlgItem(mainWindow_, mainControlId(static_cast<std::size_t>(row - mainlayout::kControls.data())))
               : nullptr;
}

std::wstring QuillbayDriver::text(HWND window) const {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kAnswerWithin, &copied);
    text.resize(copied);
    return text;
}

void QuillbayDriver::setText(HWND window, const std::wstring& text) const {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        kAnswerWithin, nullptr);
}

bool QuillbayDriver::checked(HWND box) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, &state);
    return state == BST_CHECKED;
}

HWND QuillbayDriver::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

bool QuillbayDriver::waitForFocus(HWND window) const {
    if (waitUntil([&] { return focus() == window; }, 1500)) return true;
    // Wine with no window manager sometimes takes the activation from every window a moment after a message
    // box has gone, where a user would click the window again. Then no control has the keyboard, and the
    // program's choice shows once its window is active again: it hands the focus back to the control it chose.
    if (focus() == nullptr) SetForegroundWindow(mainWindow_);
    return waitUntil([&] { return focus() == window; }, 3000);
}

void QuillbayDriver::press(HWND button) const {
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, nullptr);
}

std::optional<MessageBoxSeen> QuillbayDriver::pressForMessage(HWND button) const {
    // Posted, since the press does not return before the message box is closed.
    PostMessageW(button, BM_CLICK, 0, 0);
    return closeMessage();
}

std::optional<MessageBoxSeen> QuillbayDriver::closeMessage() const {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = findWindow(L"#32770")) != nullptr; })) return std::nullopt;
    // Read once it has made and laid out its controls.
    WaitForInputIdle(process_.hProcess, kAnswerWithin);
    Children children;
    EnumChildWindows(box, visitChild, reinterpret_cast<LPARAM>(&children));
    MessageBoxSeen seen{text(box), children.text, children.buttons, children.icon};
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    waitUntil([&] { return !IsWindow(box); });
    return seen;
}

void QuillbayDriver::paste(HWND box, const std::wstring& text) const {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageTimeoutW(box, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kAnswerWithin, nullptr);
    SendMessageTimeoutW(box, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, nullptr);
}

std::wstring QuillbayDriver::copy(HWND box) const {
    if (waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) {
        EmptyClipboard();
        CloseClipboard();
    }
    SendMessageTimeoutW(box, WM_COPY, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, nullptr);
    std::wstring copied;
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000)) return copied;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        copied = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return copied;
}

bool QuillbayDriver::bringToFront(HWND window) const {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return waitUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

bool QuillbayDriver::tabTo(HWND control) const {
    for (int presses = 0; presses < 40 && focus() != control; ++presses) {
        const HWND before = focus();
        pressKey(VK_TAB);
        if (!waitUntil([&] { return focus() != before; }, 2000)) return false;
    }
    return focus() == control;
}

int QuillbayDriver::countWindows(const wchar_t* windowClass) const {
    Search search{process_.dwProcessId, windowClass};
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

HWND QuillbayDriver::findWindow(const wchar_t* windowClass) const {
    Search search{process_.dwProcessId, windowClass};
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<DWORD> QuillbayDriver::waitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

namespace {

// A moment after each event for the program to take it, as it would between a person's.
void send(INPUT input) {
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void sendKey(WORD key, WORD scan, DWORD flags) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki = KEYBDINPUT{key, scan, flags, 0, 0};
    send(input);
}

}  // namespace

void pressKey(WORD key) {
    const auto scan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    sendKey(key, scan, 0);
    sendKey(key, scan, KEYEVENTF_KEYUP);
}

void typeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        sendKey(0, c, KEYEVENTF_UNICODE);
        sendKey(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
}

void mouse(POINT screen, DWORD buttons) {
    INPUT input{INPUT_MOUSE, {}};
    // Absolute positions run from 0 to 65535 across the primary screen.
    input.mi = MOUSEINPUT{MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                          MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                          MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, 0, 0};
    send(input);
}

}  // namespace quillbay::win32::testing
