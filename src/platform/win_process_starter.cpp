#include "platform/win_process_starter.h"

#include <windows.h>

namespace quillbay {

bool SystemWinProcessStarter::start(const std::wstring& program) {
    if (program.empty() || program.find(L'\0') != std::wstring::npos || program.find(L'"') != std::wstring::npos)
        return false;
    // The program is named on its own, so that a path with blanks cannot start "C:\Program.exe" instead;
    // the command line only repeats it, quoted, as the program's own name.
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace quillbay
