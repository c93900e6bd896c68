// Stands in for quillbay.exe in the installer test while this build has no Windows front end: a window with
// the main window's caption, open until it is closed.
#include <windows.h>

#include "core/main_window/main_form_layout.h"
#include "platform/win_unicode.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return MessageBoxW(nullptr, L"", quillbay::widened(quillbay::mainlayout::kCaption).c_str(), MB_OK);
}
