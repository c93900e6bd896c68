// Paths past MAX_PATH at the Windows edge: the file calls take any length in the \\?\ form, the shell and the
// programs it starts do not.
#pragma once

#include <string>
#include <string_view>

namespace quillbay {

// `path` (UTF-8, absolute or relative) as a full path in the \\?\ form (\\?\UNC\ for a share), which the
// wide file calls take at any length; unchanged where the system cannot make it full.
std::wstring longPathForm(std::string_view path);

// `path` without a \\?\ or \\?\UNC\ in front, as the user and other programs know it.
std::wstring ordinaryForm(std::wstring path);

}  // namespace quillbay
