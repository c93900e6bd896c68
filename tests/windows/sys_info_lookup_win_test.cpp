// The system-information lookup through the real advapi32 adapter and the real file test. The tests write
// their own keys: a scratch key of their own, and the two keys the tool lookup reads. Those two belong to
// the machine, so they are only written inside Wine's throw-away prefix.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "platform/registry.h"
#include "platform/win_file_probe.h"
#include "core/about/sys_info_lookup.h"

namespace quillbay {
namespace {

bool underWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

struct Value {
    DWORD type;
    std::string bytes;  // exactly the bytes stored: a terminating zero only where written
};

Value sz(const std::string& text) { return {REG_SZ, text + '\0'}; }

void writeValue(HKEY root, const std::string& key, const std::string& name, const Value& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, value.type,
                             reinterpret_cast<const BYTE*>(value.bytes.data()),
                             static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

// Gives everyone read access to `key` and nothing more, or, with `readOnly` false, full access again.
void setReadOnly(HKEY root, const std::string& key, bool readOnly) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExA(root, key.c_str(), 0, WRITE_DAC, &handle), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(readOnly ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)",
                                                                     SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_EQ(RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    LocalFree(descriptor);
    RegCloseKey(handle);
}

void removeKey(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    RegCloseKey(handle);
    setReadOnly(root, key, false);
    EXPECT_EQ(RegDeleteTreeA(root, key.c_str()), ERROR_SUCCESS);
}

std::string scratchKey() { return "Software\\Quillbay Test " + std::to_string(GetCurrentProcessId()); }

// ---------------------------------------------------------------- GetKeyValue

struct ValueCase {
    const char* name;
    bool keyExists;
    std::optional<Value> value;  // none: the value does not exist
    bool expectedResult;
    std::string expectedKeyVal;  // KeyVal is "old" on entry
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

const ValueCase kValueCases[] = {
    {"StringWithItsZero", true, sz("C:\\Tools\\msinfo32.exe"), true, "C:\\Tools\\msinfo32.exe"},
    // Stored without its zero; the ANSI query may add one while converting. Either way the text is whole.
    {"StringWithoutZero", true, Value{REG_SZ, "C:\\Tools"}, true, "C:\\Tools"},
    {"ExpandableStringLeavesKeyVal", true, Value{REG_EXPAND_SZ, sz("%SystemRoot%\\x.exe").bytes}, true,
     "old"},
    {"NumberAsHexText", true, Value{REG_DWORD, std::string("\x78\x56\x34\x12", 4)}, true, "&hold12345678"},
    {"FillsTheBufferExactly", true, sz(std::string(1023, 'y')), true, std::string(1023, 'y')},
    {"OverTheBufferIsAbsent", true, sz(std::string(1100, 'y')), false, ""},
    {"EmptyDataFailsAndLeavesKeyVal", true, Value{REG_BINARY, ""}, false, "old"},
    {"MissingValue", true, std::nullopt, false, ""},
    {"MissingKey", false, std::nullopt, false, ""},
};

class WinGetKeyValue : public ::testing::TestWithParam<ValueCase> {
protected:
    void TearDown() override { removeKey(HKEY_CURRENT_USER, scratchKey()); }
};

TEST_P(WinGetKeyValue, ReadsWhatAdvapi32Stored) {
    const ValueCase& c = GetParam();
    if (c.keyExists) writeValue(HKEY_CURRENT_USER, scratchKey(), "Other", sz("unrelated"));
    if (c.value) writeValue(HKEY_CURRENT_USER, scratchKey(), "Val", *c.value);
    const auto registry = makeSystemRegistry();
    SysInfoLookup lookup(*registry, winIsFile);

    std::string keyVal = "old";
    const RegKey currentUser = 0x80000001;
    EXPECT_EQ(lookup.GetKeyValue(currentUser, scratchKey(), "Val", keyVal), c.expectedResult);
    EXPECT_EQ(keyVal, c.expectedKeyVal);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinGetKeyValue, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- the tool lookup

const std::string kPathKey = sysinfo::kPathKey;
const std::string kFolderKey = sysinfo::kFolderKey;

struct ToolCase {
    const char* name;
    std::optional<std::string> path;  // "PATH" under the first key
    bool pathKeyReadOnly;             // the first key may be read but not written
    const char* folderSuffix;         // null: no "MSINFO"; else the scratch folder followed by this
    bool toolFileExists;              // MSINFO32.EXE in the scratch folder
    const char* expected;             // "<folder>" stands for the scratch folder; empty: nothing found
};

void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

const ToolCase kToolCases[] = {
    {"PathWins", "C:\\Windows\\System32\\msinfo32.exe", false, "", true, "C:\\Windows\\System32\\msinfo32.exe"},
    {"PathOnAKeyThatCannotBeWritten", "C:\\Tools\\msinfo32.exe", true, nullptr, false, "C:\\Tools\\msinfo32.exe"},
    {"FolderHoldingTheTool", std::nullopt, false, "", true, "<folder>\\MSINFO32.EXE"},
    {"FolderWithTrailingBackslash", std::nullopt, false, "\\", true, "<folder>\\\\MSINFO32.EXE"},
    {"FolderWithoutTheTool", std::nullopt, false, "", false, ""},
    {"NeitherKey", std::nullopt, false, nullptr, false, ""},
};

class WinToolLookup : public ::testing::TestWithParam<ToolCase> {
protected:
    void SetUp() override {
        if (!underWine()) GTEST_SKIP() << "writes the machine's own MSINFO keys: Wine's throw-away prefix only";
        char temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "quillbay-msinfo-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        if (folder_.empty()) return;
        removeKey(HKEY_LOCAL_MACHINE, kPathKey);
        removeKey(HKEY_LOCAL_MACHINE, kFolderKey);
        DeleteFileA((folder_ + "\\MSINFO32.EXE").c_str());
        EXPECT_TRUE(RemoveDirectoryA(folder_.c_str()));
    }

    std::string folder_;
};

TEST_P(WinToolLookup, FindsWhatStartSysInfoWouldStart) {
    const ToolCase& c = GetParam();
    if (c.path) writeValue(HKEY_LOCAL_MACHINE, kPathKey, "PATH", sz(*c.path));
    if (c.pathKeyReadOnly) {
        setReadOnly(HKEY_LOCAL_MACHINE, kPathKey, true);
        HKEY handle = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPathKey.c_str(), 0, KEY_READ | KEY_SET_VALUE, &handle),
                  ERROR_ACCESS_DENIED)
            << "the key should refuse to be written";
    }
    if (c.folderSuffix) writeValue(HKEY_LOCAL_MACHINE, kFolderKey, "MSINFO", sz(folder_ + c.folderSuffix));
    if (c.toolFileExists) {
        const HANDLE file = CreateFileA((folder_ + "\\MSINFO32.EXE").c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    const auto registry = makeSystemRegistry();
    SysInfoLookup lookup(*registry, winIsFile);

    std::string expected = c.expected;
    if (expected.starts_with("<folder>")) expected.replace(0, 8, folder_);
    EXPECT_EQ(lookup.findTool(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinToolLookup, ::testing::ValuesIn(kToolCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WinFileProbe, OnlyPlainFilesCount) {
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    EXPECT_FALSE(winIsFile(temp)) << "a folder";
    EXPECT_FALSE(winIsFile(std::string(temp) + "no-such-file.exe"));
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    EXPECT_TRUE(winIsFile(self));
    EXPECT_FALSE(winIsFile(std::string(self) + '\0' + "x")) << "a name cut short at its zero";
}

}  // namespace
}  // namespace quillbay
