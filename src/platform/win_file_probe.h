// The file test of the standard C++ layer on Windows, for paths in the system's code page or in UTF-16.
#pragma once

#include <string>

namespace quillbay {

// Whether a plain file (not a folder) exists at `path`; no special attributes are asked for.
bool winIsFile(const std::string& path);
// The same for a path in UTF-16, which names any file.
bool winIsFileW(const std::wstring& path);

}  // namespace quillbay
