// Preview on Windows against the real system: the pages in the temporary folder, and the shell starting the
// program registered for .html pages (page_recorder, standing in for a browser) under HKEY_CLASSES_ROOT,
// which Wine honours where it ignores an override under HKCU\Software\Classes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "core/preview/browser_page_preview.h"
#include "core/preview/preview_page.h"
#include "platform/win_file_store.h"
#include "platform/win_shell_opener.h"
#include "platform/win_text.h"
#include "support/page_handler_registry.h"

namespace quillbay {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A temporary folder of the test's own whose name is not in the system's code page, as a user's may be.
class PagePreviewWin : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() / ("page-preview-test-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(temporary_ = base_ / L"t\u00EAmp \u65E5");
        folder_ = temporary_ / L"Quillbay";
        SetEnvironmentVariableW(L"TMP", temporary_.c_str());
        SetEnvironmentVariableW(L"QUILLBAY_RECORD", (record_ = base_ / L"record.txt").c_str());
        forgetPageHandler();
    }
    void TearDown() override {
        forgetPageHandler();
        SetEnvironmentVariableW(L"TMP", base_.parent_path().c_str());
        fs::remove_all(base_);
    }
    static void forgetPageHandler() { quillbay::testing::unregisterPageHandler(); }
    std::vector<std::string> press(const PopupSettings& settings) {
        WinFileStore files;
        WinShellOpener shell;
        std::vector<std::string> told;
        BrowserPagePreview(files, shell)(settings, [&](const std::string& m) { told.push_back(m); });
        return told;
    }
    fs::path base_, temporary_, folder_, record_;
};

TEST_F(PagePreviewWin, TheRegisteredBrowserGetsThePageWithTheCodeByteForByte) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(quillbay::testing::registerPageHandler((fs::path(self).parent_path() / L"page_recorder.exe").wstring()));
    fs::create_directories(folder_);
    const fs::path old = folder_ / L"preview-20000101-000000.html", recent = folder_ / L"preview-20000101-000001.html";
    std::ofstream(old) << "old";
    std::ofstream(recent) << "recent";
    fs::last_write_time(old, fs::file_time_type::clock::now() - 25h);

    PopupSettings settings = startupSettings();
    settings.url = "https://www.quillbay.example/caf\xC3\xA9?a='1'&b=<2>";
    settings.setFeature(PopupFeature::Resize, true);
    EXPECT_EQ(press(settings), std::vector<std::string>{});
    for (auto waited = 0ms; !fs::exists(record_) && waited < 30s; waited += 100ms) std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(fs::exists(record_)) << "the recorder was not started";
    const fs::path page = fromUtf8(contents(record_));
    EXPECT_EQ(page.parent_path(), folder_);
    EXPECT_EQ(contents(page), previewPage(settings));
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(recent));
}

TEST_F(PagePreviewWin, WithoutABrowserForPagesOneMessageSaysSoAndThePageStays) {
    const std::vector<std::string> told = press(startupSettings());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("no program is set to open web pages"), std::string::npos) << told[0];
    const fs::path page = fs::directory_iterator(folder_)->path();
    EXPECT_EQ(contents(page), previewPage(startupSettings()));
    EXPECT_FALSE(fs::exists(record_));
    // The real store never writes over a page, and tells a file from a folder.
    WinFileStore files;
    EXPECT_EQ(files.writeNew(toUtf8(page.wstring()), "x").status, FileStatus::Exists);
    EXPECT_EQ(files.makeFolder(toUtf8(page.wstring())).status, FileStatus::Exists);
    EXPECT_EQ(files.writeNew(toUtf8((folder_ / L"none" / L"p.html").wstring()), "x").status, FileStatus::Failed);
}

}  // namespace
}  // namespace quillbay
