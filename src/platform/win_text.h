// Text at the Windows edge: the core speaks UTF-8, the W functions UTF-16, and the registry the system's
// ANSI code page; and the system's own words for an error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbay {

std::wstring fromUtf8(std::string_view text);
std::string toUtf8(std::wstring_view text);
// Bytes in the system's ANSI code page, as the registry's A functions hand them out.
std::wstring fromAnsi(std::string_view text);

// The system's own sentence for an error code, in UTF-8, without its line break; empty if it has none.
std::string systemErrorText(std::uint32_t code);

}  // namespace quillbay
