#include "platform/win_messenger.h"

#include "platform/win_text.h"
#include "quillbay/version.h"

namespace quillbay {

void SystemWinMessenger::tell(HWND owner, const std::wstring& text) {
    static const std::wstring caption = fromUtf8(kAppTitle);
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
    // Not every window system hands the activation back to the owner once the box is gone, and the focus
    // the caller moves next would then go nowhere.
    if (owner && IsWindow(owner) && GetForegroundWindow() != owner) SetForegroundWindow(owner);
}

}  // namespace quillbay
