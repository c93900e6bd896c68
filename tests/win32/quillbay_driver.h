// Drives a running quillbay.exe from another process through window messages, as a user would through mouse
// and keys: it finds the windows and controls by the numbers in win32/control_ids.h. Every wait has a
// deadline, so that a program that stops answering fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillbay::win32::testing {

// What a message box showed.
struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    int buttons = 0;  // visible buttons
    bool icon = false;
};

class QuillbayDriver {
public:
    // Starts quillbay.exe from the driver's own folder and waits until its main window is idle and visible.
    QuillbayDriver();
    ~QuillbayDriver();  // ends the program if it still runs
    QuillbayDriver(const QuillbayDriver&) = delete;
    QuillbayDriver& operator=(const QuillbayDriver&) = delete;

    bool started() const { return mainWindow_ != nullptr; }
    HWND mainWindow() const { return mainWindow_; }
    HWND control(std::string_view name) const;  // a main-window control by its layout name
    DWORD threadId() const { return threadId_; }

    std::wstring text(HWND window) const;
    void setText(HWND window, const std::wstring& text) const;
    bool enabled(HWND window) const { return IsWindowEnabled(window) != FALSE; }
    bool checked(HWND box) const;
    HWND focus() const;
    // Waits until the focus is on `window`; false when it does not get there.
    bool waitForFocus(HWND window) const;

    // Presses a button and returns once its command has run (for commands that show no message).
    void press(HWND button) const;
    // Presses a button that should answer with a message box: reads it, closes it with OK, and returns what
    // it showed, or nothing when no message box came.
    std::optional<MessageBoxSeen> pressForMessage(HWND button) const;
    // Reads and closes a message box that `owner`'s thread is showing.
    std::optional<MessageBoxSeen> closeMessage() const;
    // Pastes `text` into an edit box through the clipboard, as Ctrl+V does.
    void paste(HWND box, const std::wstring& text) const;
    // Copies an edit box's selection as Ctrl+C does, and returns what the clipboard then holds.
    std::wstring copy(HWND box) const;

    // Makes `window` the one in front, which keys and the mouse reach; false when it does not get there.
    bool bringToFront(HWND window) const;
    // Presses Tab until the focus is on `control`, as a person would; false when it never gets there.
    bool tabTo(HWND control) const;

    // The program's windows of class `windowClass`, visible ones only.
    int countWindows(const wchar_t* windowClass) const;
    HWND findWindow(const wchar_t* windowClass) const;
    // Waits for the program to end; its exit code, or nothing after the deadline.
    std::optional<DWORD> waitForExit(DWORD milliseconds = 10000) const;

private:
    PROCESS_INFORMATION process_{};
    DWORD threadId_ = 0;
    HWND mainWindow_ = nullptr;
};

// Polls `done` until it holds or `milliseconds` pass.
template <typename Condition>
bool waitUntil(Condition done, DWORD milliseconds = 10000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(20);
    }
    return true;
}

std::wstring driverFolder();

// Input as a person gives it, through SendInput: the keys reach the focused control of the window in front,
// the mouse whatever lies under the pointer.
void pressKey(WORD key);                  // down and up
void typeText(const std::wstring& text);  // each character as typed, whatever the keyboard layout
void mouse(POINT screen, DWORD buttons = 0);  // the pointer to `screen`, then MOUSEEVENTF_RIGHTDOWN and the like

}  // namespace quillbay::win32::testing
