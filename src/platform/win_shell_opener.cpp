#include "platform/win_shell_opener.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win_text.h"

namespace quillbay {

OpenResult WinShellOpener::open(const std::string& path) {
    // The handler may be a shell extension, which needs COM on this thread; a thread that has it already
    // keeps its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    const std::wstring file = fromUtf8(path);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    // The caller says what went wrong, in its own message, so the shell shows none; and the handler is
    // started before this returns, since the press is over then.
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"open";
    request.lpFile = file.c_str();
    request.nShow = SW_SHOWNORMAL;
    const bool started = ShellExecuteExW(&request);
    const DWORD error = started ? ERROR_SUCCESS : GetLastError();

    if (SUCCEEDED(com)) CoUninitialize();
    if (started) return {};
    const bool noHandler = error == ERROR_NO_ASSOCIATION ||
                           reinterpret_cast<INT_PTR>(request.hInstApp) == SE_ERR_NOASSOC;
    return {noHandler ? OpenStatus::NoHandler : OpenStatus::Failed, systemErrorText(error)};
}

}  // namespace quillbay
