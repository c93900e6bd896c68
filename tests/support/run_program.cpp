#include "support/run_program.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace quillbay::testing {

namespace {

// Reads to the end with `read` (bytes read, or <= 0 at the end or on failure).
template <typename Read>
std::string drain(Read read) {
    std::string out;
    char buffer[4096];
    for (long n; (n = read(buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
    return out;
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring converted(std::string_view utf8) {
    std::wstring out(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
    out.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                   static_cast<int>(out.size())));
    return out;
}

// UTF-8, where the three bytes of a surrogate's value (ED A0..BF 80..BF, never UTF-8) stand for that one
// UTF-16 unit, so that a test can hand a program the lone surrogate a Windows command line may hold.
std::wstring wide(std::string_view utf8) {
    std::wstring out;
    std::size_t start = 0;
    for (std::size_t at = 0; (at = utf8.find('\xED', at)) != std::string_view::npos && at + 2 < utf8.size(); ++at) {
        const auto second = static_cast<unsigned char>(utf8[at + 1]), third = static_cast<unsigned char>(utf8[at + 2]);
        if (second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80) continue;
        out += converted(utf8.substr(start, at - start));
        out += static_cast<wchar_t>(0xD000 | ((second & 0x3F) << 6) | (third & 0x3F));
        start = (at += 2) + 1;
    }
    return out + converted(utf8.substr(start));
}

// The quoting the C runtime and CommandLineToArgvW both undo: backslashes count only before a quote.
std::wstring quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        out.append(c == L'"' ? backslashes + 1 : 0, L'\\') += c;
        backslashes = c == L'\\' ? backslashes + 1 : 0;
    }
    return out.append(backslashes, L'\\') + L"\"";
}

}  // namespace

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    ProgramRun run;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE out[2] = {}, err[2] = {};  // reading end, writing end
    if (!CreatePipe(&out[0], &out[1], &inherited, 0) || !CreatePipe(&err[0], &err[1], &inherited, 0)) return run;
    SetHandleInformation(out[0], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err[0], HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ, &inherited, OPEN_EXISTING, 0, nullptr);
    startup.hStdOutput = out[1];
    startup.hStdError = err[1];
    std::wstring command = quoted(program.wstring());
    for (const std::string& argument : arguments) command += L' ' + quoted(wide(argument));
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &child);
    // Only the child may hold the writing ends, or the reads below never see the end.
    for (HANDLE handle : {out[1], err[1], startup.hStdInput}) CloseHandle(handle);
    const auto reader = [](HANDLE pipe) {
        return [pipe](char* buffer, std::size_t size) {
            DWORD read = 0;
            return ReadFile(pipe, buffer, static_cast<DWORD>(size), &read, nullptr) ? static_cast<long>(read) : -1L;
        };
    };
    std::thread errors([&] { run.err = drain(reader(err[0])); });
    run.out = drain(reader(out[0]));
    errors.join();
    CloseHandle(out[0]);
    CloseHandle(err[0]);
    DWORD code = 0;
    if (!started || WaitForSingleObject(child.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child.hProcess, &code))
        return run;
    run.status = static_cast<int>(code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return run;
}

std::filesystem::path besideThisTest(std::string_view fileName) {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return std::filesystem::path(self).parent_path() / fileName;
}

#else

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    ProgramRun run;
    int out[2], err[2];  // reading end, writing end
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const bool started = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    // Only the child may hold the writing ends, or the reads below never see the end.
    close(out[1]);
    close(err[1]);
    const auto reader = [](int fd) { return [fd](char* buffer, std::size_t size) { return read(fd, buffer, size); }; };
    std::thread errors([&] { run.err = drain(reader(err[0])); });
    run.out = drain(reader(out[0]));
    errors.join();
    close(out[0]);
    close(err[0]);
    int status = 0;
    if (!started || waitpid(child, &status, 0) != child) return run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::filesystem::path besideThisTest(std::string_view fileName) {
    return std::filesystem::canonical("/proc/self/exe").parent_path() / fileName;
}

#endif

}  // namespace quillbay::testing
