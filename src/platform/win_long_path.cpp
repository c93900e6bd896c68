#include "platform/win_long_path.h"

#include <windows.h>

#include "platform/win_text.h"

namespace quillbay {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";

}  // namespace

std::wstring longPathForm(std::string_view path) {
    const std::wstring wide = fromUtf8(path);
    if (wide.starts_with(kLongPrefix) || wide.starts_with(L"\\\\.\\")) return wide;
    // GetFullPathNameW takes and gives any length; asked with too small a buffer, it says what it needs.
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return wide;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length);
    }
    if (full.starts_with(L"\\\\")) return std::wstring(kLongSharePrefix) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

std::wstring ordinaryForm(std::wstring path) {
    if (path.starts_with(kLongSharePrefix)) return L"\\\\" + path.substr(kLongSharePrefix.size());
    if (path.starts_with(kLongPrefix)) return path.substr(kLongPrefix.size());
    return path;
}

}  // namespace quillbay
