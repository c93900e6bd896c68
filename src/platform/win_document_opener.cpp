#include "platform/win_document_opener.h"

#include <windows.h>
#include <shellapi.h>

namespace quillbay {

bool SystemWinDocumentOpener::open(const std::wstring& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace quillbay
