// The version block and icon that windres compiled into this program, read back as Explorer reads them.
#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
