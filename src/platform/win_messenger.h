// The Windows program's one way of telling the user something.
#pragma once

#include <windows.h>

#include <string>

namespace quillbay {

class WinMessenger {
public:
    virtual ~WinMessenger() = default;
    // Modal over `owner`: only OK, no icon, the application's title as caption. Returns once it is closed.
    virtual void tell(HWND owner, const std::wstring& text) = 0;
};

class SystemWinMessenger final : public WinMessenger {
public:
    void tell(HWND owner, const std::wstring& text) override;
};

}  // namespace quillbay
