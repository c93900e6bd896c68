#include "platform/win_help_viewer.h"

namespace quillbay {

namespace {
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC: the file's default page
constexpr UINT kCloseAll = 0x12;   // HH_CLOSE_ALL
}  // namespace

SystemWinHelpViewer::~SystemWinHelpViewer() {
    if (htmlHelp_) htmlHelp_(nullptr, nullptr, kCloseAll, 0);
}

bool SystemWinHelpViewer::show(HWND owner, const std::wstring& file) {
    if (!htmlHelp_) {
        // Never freed: the help window it makes lives on this thread until the program ends.
        // From the system folder only, never from beside the program or the current folder.
        HMODULE library = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!library) return false;
        htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
        if (!htmlHelp_) return false;
    }
    return htmlHelp_(owner, file.c_str(), kDisplayTopic, 0) != nullptr;
}

}  // namespace quillbay
