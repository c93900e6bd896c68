// quillbay-generate from arguments to bytes: everything the program does except touching the process.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillbay::cli {

inline constexpr std::string_view kProgramName = "quillbay-generate";

// What the program writes and how it ends.
inline constexpr int kExitDone = 0;
inline constexpr int kExitWriteFailed = 1;  // main's own: only it knows whether the bytes got out
inline constexpr int kExitRefused = 2;      // a usage error, an empty field, or JSON asked of text that is not UTF-8

struct CommandResult {
    std::string out;
    std::string err;
    int status = kExitDone;
};

// `arguments` without the program's name. lineEnd ends every line the program adds (not the CR LF
// inside a snippet asked for on its own or as JSON): "\n" on Linux, "\r\n" on Windows.
CommandResult runGenerateCommand(std::span<const std::string> arguments, std::string_view lineEnd);

}  // namespace quillbay::cli
