#include "platform/win_file_store.h"

#include <windows.h>

#include <algorithm>

#include "platform/win_long_path.h"
#include "platform/win_text.h"

namespace quillbay {

namespace {

FileResult failed(DWORD code) { return {FileStatus::Failed, systemErrorText(code)}; }

// A file time counts 100-nanosecond steps from 1601; the system clock counts from 1970.
std::chrono::system_clock::time_point toTimePoint(const FILETIME& time) {
    constexpr long long kStepsFrom1601To1970 = 116444736000000000LL;
    const long long steps = (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    using Steps = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(Steps(steps - kStepsFrom1601To1970)));
}

// What GetTempPathW answers, asked again with the length it says it needs.
std::wstring askedTemporaryFolder() {
    // GetTempPath2W (Windows 11) gives SYSTEM a folder of its own and every other user the same as GetTempPathW.
    using TempPathCall = DWORD(WINAPI*)(DWORD, LPWSTR);
    static const TempPathCall call = [] {
        const FARPROC second = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTempPath2W");
        return second ? reinterpret_cast<TempPathCall>(reinterpret_cast<void*>(second)) : &GetTempPathW;
    }();
    std::wstring folder(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD length = call(static_cast<DWORD>(folder.size()), folder.data());
        if (length == 0) return {};
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);
    }
}

std::wstring environment(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    if (value.empty()) return {};
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

}  // namespace

std::string WinFileStore::temporaryFolder() const {
    // GetTempPathW passes over a TMP or TEMP of MAX_PATH characters or more (Wine takes the next one, and
    // Windows promises no more than MAX_PATH + 1), though the file calls take such a folder: it is then
    // taken as the first of those GetTempPathW reads names it, at any length.
    for (const wchar_t* name : {L"TMP", L"TEMP", L"USERPROFILE"}) {
        const std::wstring value = environment(name);
        if (value.empty()) continue;
        const std::wstring named = ordinaryForm(longPathForm(toUtf8(value)));
        if (named.size() + 1 >= MAX_PATH) return toUtf8(named);
        break;
    }
    return toUtf8(askedTemporaryFolder());
}

FileResult WinFileStore::makeFolder(const std::string& folder) {
    const std::wstring path = longPathForm(folder);
    if (CreateDirectoryW(path.c_str(), nullptr)) return {};
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return failed(error);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return failed(GetLastError());
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileResult{} : FileResult{FileStatus::Exists, {}};
}

std::vector<StoredFile> WinFileStore::files(const std::string& folder) const {
    std::vector<StoredFile> found;
    WIN32_FIND_DATAW entry;
    std::wstring pattern = longPathForm(folder);
    // The \\?\ form is taken as it is written, so one backslash and no more.
    if (!pattern.ends_with(L'\\')) pattern += L'\\';
    pattern += L'*';
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found.push_back({toUtf8(entry.cFileName), toTimePoint(entry.ftLastWriteTime)});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

bool WinFileStore::remove(const std::string& path) { return DeleteFileW(longPathForm(path).c_str()); }

FileResult WinFileStore::writeNew(const std::string& path, std::string_view bytes) {
    const std::wstring name = longPathForm(path);
    const HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? FileResult{FileStatus::Exists, {}}
                                                                           : failed(error);
    }
    DWORD error = ERROR_SUCCESS;
    while (!bytes.empty() && error == ERROR_SUCCESS) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) error = GetLastError();
        else if (written == 0) error = ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS) return {};
    // Half a page would show the user something other than their code.
    DeleteFileW(name.c_str());
    return failed(error);
}

}  // namespace quillbay
