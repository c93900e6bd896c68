// Small pieces both windows need from user32.
#pragma once

#include <windows.h>

#include <string>

namespace quillbay::win32 {

// A window's whole text, however long.
std::wstring windowText(HWND window);

// The folder that holds the running program, without a trailing separator.
std::wstring programFolder();

// Gives `control` the focus as the dialog manager would on Tab: an edit box gets its text selected.
void focusLikeDialog(HWND control);

}  // namespace quillbay::win32
