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
inline constexpr int kExitRefused = 2;      // a usage error, an empty field, or text that cannot be carried

struct CommandResult {
    std::string out;
    std::string err;
    int status = kExitDone;
};

// What a text that is not UTF-8 means. A POSIX argument is bytes, used as given, which only JSON cannot
// carry; a Windows argument is UTF-16, and one with a lone surrogate (which main hands on in its three-byte
// form) is no text at all, so no output can carry it.
enum class InvalidText { BytesAsGiven, NotText };

// `arguments` without the program's name. lineEnd ends every line the program adds (not the CR LF
// inside a snippet asked for on its own or as JSON): "\n" on Linux, "\r\n" on Windows.
CommandResult runGenerateCommand(std::span<const std::string> arguments, std::string_view lineEnd,
                                 InvalidText invalid = InvalidText::BytesAsGiven);

}  // namespace quillbay::cli
