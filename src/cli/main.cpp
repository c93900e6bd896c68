// quillbay-generate: the popup script on the command line. The one place that touches the process: the
// arguments as the system gives them, and the bytes out to standard output and standard error.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/generate_command.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#endif

namespace {

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";

constexpr auto kInvalidText = quillbay::cli::InvalidText::NotText;

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// An argument in UTF-8, but for a lone surrogate, which the conversion would turn into U+FFFD unseen: it
// keeps the three bytes a code point of its value would take, which no UTF-8 text holds, so the command
// refuses it by the option it belongs to.
std::string argumentText(std::wstring_view argument) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        const wchar_t unit = argument[i];
        if (isHighSurrogate(unit) && i + 1 < argument.size() && isLowSurrogate(argument[i + 1])) {
            ++i;
            continue;
        }
        if (!isHighSurrogate(unit) && !isLowSurrogate(unit)) continue;
        out += toUtf8(argument.substr(start, i - start));
        out += static_cast<char>(0xE0 | (unit >> 12));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
        start = i + 1;
    }
    return out + toUtf8(argument.substr(start));
}

// The wide command line, since the narrow argv has already lost what the ANSI code page cannot hold.
std::vector<std::string> arguments(int, char*[]) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; wide && i < count; ++i) out.push_back(argumentText(wide[i]));
    LocalFree(wide);
    return out;
}

// A console shows UTF-16 as it is, whatever its code page; files and pipes get the bytes untouched.
bool writeToConsole(std::FILE* stream, std::string_view bytes) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    DWORD written = 0;
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return true;
}

void useBinaryStreams() {
    // Text mode would turn the script's CR LF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
#else
constexpr std::string_view kLineEnd = "\n";
constexpr auto kInvalidText = quillbay::cli::InvalidText::BytesAsGiven;

std::vector<std::string> arguments(int argc, char* argv[]) { return {argv + 1, argv + argc}; }
bool writeToConsole(std::FILE*, std::string_view) { return false; }
void useBinaryStreams() {}
#endif

bool write(std::FILE* stream, std::string_view bytes) {
    if (bytes.empty() || writeToConsole(stream, bytes)) return true;
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

}  // namespace

int main(int argc, char* argv[]) {
    useBinaryStreams();
    const std::vector<std::string> args = arguments(argc, argv);
    const quillbay::cli::CommandResult result = quillbay::cli::runGenerateCommand(args, kLineEnd, kInvalidText);
    if (!write(stdout, result.out)) {
        const std::string reason = std::strerror(errno);
        write(stderr, std::string(quillbay::cli::kProgramName) + ": could not write the output: " + reason +
                          std::string(kLineEnd));
        return quillbay::cli::kExitWriteFailed;
    }
    write(stderr, result.err);
    return result.status;
}
