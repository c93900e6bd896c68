#include "platform/win_file_probe.h"

#include <windows.h>

namespace quillbay {

bool winIsFile(const std::string& path) {
    // The system would read only up to a zero byte and answer for a different name.
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool winIsFileW(const std::wstring& path) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace quillbay
