#include "platform/win_shell_opener.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win_long_path.h"
#include "platform/win_text.h"

namespace quillbay {

namespace {

// The shell opens no file by a path of MAX_PATH characters or more (nor do many of the programs it
// starts): such a path goes by its folder's short form, where the volume keeps short names. The file keeps
// its own name, whose short form would end in .htm and so reach another handler.
std::wstring openablePath(const std::string& path) {
    std::wstring file = fromUtf8(path);
    const std::size_t separator = file.find_last_of(L"\\/");
    if (file.size() < MAX_PATH || separator == std::wstring::npos) return file;
    const std::wstring folder = longPathForm(toUtf8(std::wstring_view(file).substr(0, separator)));
    std::wstring shortForm(folder.size() + 1, L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
    if (length == 0 || length >= shortForm.size()) return file;
    shortForm.resize(length);
    return ordinaryForm(shortForm) + file.substr(separator);
}

}  // namespace

OpenResult WinShellOpener::open(const std::string& path) {
    const std::wstring file = openablePath(path);
    if (file.size() >= MAX_PATH)
        return {OpenStatus::Failed, "its path is " + std::to_string(fromUtf8(path).size()) +
                                        " characters long, and the shell opens no file by a path longer than " +
                                        std::to_string(MAX_PATH - 1) +
                                        " characters; point TMP and TEMP at a folder with a shorter path"};

    // The handler may be a shell extension, which needs COM on this thread; a thread that has it already
    // keeps its own.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

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
