// Between the UTF-8 the tool keeps its texts in and the UTF-16 of the Windows API's wide calls, and the
// system's own words for an error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbay {

std::wstring widened(std::string_view utf8);
std::string narrowed(std::wstring_view utf16);

// The system's own sentence for an error code, in UTF-8, without its line break; empty if it has none.
std::string systemErrorText(std::uint32_t code);

}  // namespace quillbay
