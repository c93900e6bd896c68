// The version block and icon that windres compiled into this program, read back as Explorer reads them,
// and the programs' own version blocks and manifests, as Explorer and the loader meet them.
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
    EXPECT_EQ(queryText(block, "\\StringFileInfo\\040904b0\\FileVersion"), "1.0.0.0");
}

TEST(VersionResource, CarriesTheGlobeIcon) {
    EXPECT_NE(FindResourceA(nullptr, "IDI_ICON1", RT_GROUP_ICON), nullptr);
}

struct Program {
    const char* file;
    const char* description;
    bool commonControls;  // a window program's look; a console program has no use for it
};

std::filesystem::path besideThisTest(const char* file) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path() / file;
}

TEST(VersionResource, EachProgramNamesItselfItsMakerAndItsManifest) {
    const std::vector<Program> programs{
        {"quillbay.exe", "Popup window script generator for web authors", true},
        {"quillbay-generate.exe", "Quillbay's popup script generator on the command line", false},
    };
    for (const Program& program : programs) {
        SCOPED_TRACE(program.file);
        const std::string path = besideThisTest(program.file).string();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version block";
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
        const std::string name = std::string(program.file).substr(0, std::string(program.file).size() - 4);
        const std::vector<std::pair<const char*, std::string>> values{
            {"CompanyName", "Quillbay Software"},
            {"LegalCopyright", "Copyright (C) 2026 Quillbay Software"},
            {"FileDescription", program.description},
            {"InternalName", name},
            {"OriginalFilename", program.file},
            {"ProductName", "Quillbay"},
            {"FileVersion", "1.0.0.0"},
            {"ProductVersion", "1.0.0"},
        };
        for (const auto& [key, value] : values)
            EXPECT_EQ(queryText(block, ("\\StringFileInfo\\040904b0\\" + std::string(key)).c_str()), value) << key;

        // The manifest the loader reads: resource 1 of an .exe.
        const HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr);
        const HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        ASSERT_NE(found, nullptr) << "no manifest";
        const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                                   SizeofResource(image, found));
        EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("<supportedOS Id="), std::string::npos) << manifest;
        EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos, program.commonControls);
        FreeLibrary(image);
    }
}

}  // namespace
