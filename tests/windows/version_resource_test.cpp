// The version block and icon that windres compiled into this program (as into quillbay.exe), read back as
// Explorer reads them, and quillbay-generate.exe's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string queryText(const std::vector<char>& block, const char* path) {
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, &text, &length) || !text) return "<missing>";
    return static_cast<const char*>(text);
}

TEST(VersionResource, FileVersionAndProductName) {
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(self, &ignored);
    ASSERT_GT(size, 0u) << "no version block";
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(self, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(version, "1.0.0.0");

    EXPECT_EQ(queryText(block, "\\StringFileInfo\\040904b0\\ProductName"), "Quillbay");
    EXPECT_EQ(queryText(block, "\\StringFileInfo\\040904b0\\CompanyName"), "Quillbay Software");
    EXPECT_EQ(queryText(block, "\\StringFileInfo\\040904b0\\LegalCopyright"), "Copyright (C) 2026 Quillbay Software");
    EXPECT_EQ(queryText(block, "\\StringFileInfo\\040904b0\\FileVersion"), "1.0.0.0");
}

TEST(VersionResource, CarriesTheGlobeIcon) {
    EXPECT_NE(FindResourceA(nullptr, "IDI_ICON1", RT_GROUP_ICON), nullptr);
}

// quillbay-generate.exe's own block, and the manifest the loader reads (resource 1 of an .exe).
TEST(VersionResource, TheCommandLineProgramNamesItselfAndCarriesAConsoleManifest) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string path = (std::filesystem::path(self).parent_path() / "quillbay-generate.exe").string();
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty()) << "no version block";
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"CompanyName", "Quillbay Software"},
                                     {"FileDescription", "Quillbay's popup script generator on the command line"},
                                     {"OriginalFilename", "quillbay-generate.exe"},
                                     {"ProductVersion", "1.0.0"}})
        EXPECT_EQ(queryText(block, ("\\StringFileInfo\\040904b0\\" + key).c_str()), value) << key;
    const HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = image ? FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    ASSERT_NE(found, nullptr) << "no manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                               SizeofResource(image, found));
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("<supportedOS Id="), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << "a window program's look, no use to a console";
    FreeLibrary(image);
}

}  // namespace
