// Showing a compiled help file (.chm) in the system's help viewer.
#pragma once

#include <windows.h>

#include <string>

namespace quillbay {

class WinHelpViewer {
public:
    virtual ~WinHelpViewer() = default;
    // Shows `file`'s first page in a help window over `owner`; false when the viewer could not.
    virtual bool show(HWND owner, const std::wstring& file) = 0;
};

// HTML Help, from hhctrl.ocx loaded at the first use: a program that never asks for help never loads it.
class SystemWinHelpViewer final : public WinHelpViewer {
public:
    SystemWinHelpViewer() = default;
    ~SystemWinHelpViewer() override;  // closes the help windows, which must not outlive the program's own
    SystemWinHelpViewer(const SystemWinHelpViewer&) = delete;
    SystemWinHelpViewer& operator=(const SystemWinHelpViewer&) = delete;

    bool show(HWND owner, const std::wstring& file) override;

private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
    HtmlHelpFunction htmlHelp_ = nullptr;
};

}  // namespace quillbay
