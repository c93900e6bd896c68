// What makes a plain top-level window behave as a Windows dialog: Tab and Shift+Tab through the controls,
// Enter and Space on the focused button, the default and cancel buttons, access keys, the default frame on
// the button that Enter would press, the focus kept while the window is inactive, F1 for the help, and a new
// layout on a move to a monitor of another resolution. Both of the program's windows are such windows; each
// adds only what is its own.
//
// The windows are no real dialogs (DefDlgProc), because that dialog manager also closes the window when Esc
// reaches a multi-line edit box and takes a window without a default button to have IDOK as its default.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillbay::win32 {

class DialogWindow {
public:
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The dialog keys and F1, for a message bound for this window; true when the message has been dealt with
    // and must not be dispatched.
    bool preTranslate(MSG& message);

protected:
    struct Buttons {
        int defaultId = 0;  // pressed by Enter wherever the focus is on no button; 0: no default button
        int cancelId = 0;   // pressed by Esc; 0: Esc is the focused control's
    };
    // `help` runs on F1 with this window as the owner of what it shows.
    DialogWindow(Buttons buttons, std::function<void(HWND owner)> help);

    // Registers a window class whose windows are DialogWindows.
    static void registerClass(HINSTANCE instance, const wchar_t* name, HICON icon = nullptr, HICON smallIcon = nullptr);
    // Creates the window of a class registered above; call it from the most derived constructor.
    void create(HINSTANCE instance, const wchar_t* windowClass, const std::wstring& caption, DWORD style,
                DWORD extendedStyle);

    // The control that gets the focus when the window is next activated.
    void rememberFocus(HWND control) { lastFocus_ = control; }
    HWND rememberedFocus() const { return lastFocus_; }

    // The window's own messages; what it does not handle goes to DefWindowProc.
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A push button was pressed: by the mouse, Space, Enter, Esc or its access key.
    virtual void pressed(int id) = 0;
    // Lays the controls out at `dpi`; `suggested` is where the system puts the window, if it says.
    virtual void layOut(UINT dpi, const RECT* suggested) = 0;
    // The window is gone: forget its controls.
    virtual void destroyed() = 0;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool dialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void focusArrived(HWND control);
    void press(HWND button);
    HWND button(int id) const { return id ? GetDlgItem(hwnd_, id) : nullptr; }

    Buttons buttons_;
    std::function<void(HWND)> help_;
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
};

}  // namespace quillbay::win32
