// The process probe against real Windows processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/process_probe.h"

namespace quillbay {
namespace {

TEST(WinProcessProbe, SeesAChildUntilItEnds) {
    const SystemProcessProbe probe;
    EXPECT_TRUE(probe.isRunning(GetCurrentProcessId()));
    EXPECT_FALSE(probe.isRunning(0));
    EXPECT_FALSE(probe.isRunning(-1));
    EXPECT_FALSE(probe.isRunning(0x100000000ll + GetCurrentProcessId()));  // no such id, whatever its low bits

    // A child held before its first instruction: alive for as long as we keep it, gone once ended, even
    // while our handle keeps its id from being reused.
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    std::string command = std::string(system) + "\\cmd.exe /c exit 0";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &child));
    EXPECT_TRUE(probe.isRunning(child.dwProcessId));
    TerminateProcess(child.hProcess, 3);
    WaitForSingleObject(child.hProcess, 10000);
    EXPECT_FALSE(probe.isRunning(child.dwProcessId));
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

}  // namespace
}  // namespace quillbay
