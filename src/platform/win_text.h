// Text at the Windows edge: the core speaks UTF-8, the W functions UTF-16, and the registry the system's
// ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace quillbay {

std::wstring fromUtf8(std::string_view text);
std::string toUtf8(std::wstring_view text);
// Bytes in the system's ANSI code page, as the registry's A functions hand them out.
std::wstring fromAnsi(std::string_view text);

}  // namespace quillbay
