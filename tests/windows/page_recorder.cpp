// Stands in for the user's web browser: writes the path it was asked to open, in UTF-8, into the file that
// QUILLBAY_RECORD names, all at once, so that a test never reads half of it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/win_text.h"

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    wchar_t record[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"QUILLBAY_RECORD", record, MAX_PATH);
    if (!arguments || count != 2 || length == 0 || length >= MAX_PATH) return 2;

    const std::string path = quillbay::toUtf8(arguments[1]);
    const std::wstring partial = std::wstring(record) + L".partial";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, path.data(), static_cast<DWORD>(path.size()), &written, nullptr) &&
                    CloseHandle(file) && MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING);
    return ok ? 0 : 1;
}
