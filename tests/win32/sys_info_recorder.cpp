// Stands in for the system-information tool: writes the file it was started as and its argument count to
// the file named by QUILLBAY_RECORDER_LOG, so that the driver sees exactly what Quillbay started.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t log[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLBAY_RECORDER_LOG", log, MAX_PATH)) return 2;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    int argc = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &argc));
    const std::wstring record = std::wstring(self) + L"\n" + std::to_wstring(argc - 1);
    HANDLE file = CreateFileW(log, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
