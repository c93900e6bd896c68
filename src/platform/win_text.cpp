#include "platform/win_text.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace quillbay {

namespace {

// The conversion functions count in int; a text past that is cut at the limit rather than wrapped round.
int clampedSize(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, std::numeric_limits<int>::max()));
}

std::wstring widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = clampedSize(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring fromUtf8(std::string_view text) { return widen(CP_UTF8, text); }

std::wstring fromAnsi(std::string_view text) { return widen(CP_ACP, text); }

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = clampedSize(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string systemErrorText(std::uint32_t code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view sentence(text ? text : L"", length);
    while (!sentence.empty() && (sentence.back() == L'\r' || sentence.back() == L'\n' || sentence.back() == L' '))
        sentence.remove_suffix(1);
    std::string out = toUtf8(sentence);
    LocalFree(text);
    return out;
}

}  // namespace quillbay
