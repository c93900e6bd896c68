#include "platform/process_probe.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <fstream>
#include <iterator>
#include <string>
#else
#include <cerrno>
#include <csignal>
#endif

namespace quillbay {

bool SystemProcessProbe::isRunning(std::int64_t pid) const {
    if (pid <= 0) return false;
#if defined(_WIN32)
    if (pid > 0xFFFFFFFFll) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return false;
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#elif defined(__linux__)
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return false;
    const std::string line{std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>()};
    // The state letter follows the parenthesised command name, which may itself hold ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return false;
    const char state = line[close + 2];
    return state != 'Z' && state != 'X';
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace quillbay
