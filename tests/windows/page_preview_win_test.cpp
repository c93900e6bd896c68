// The preview page against the real system: the files in the temporary folder, and the shell starting the
// program registered for .html pages (a recorder standing in for the browser) through HKEY_CLASSES_ROOT,
// which Wine honours where it ignores an override under HKCU\Software\Classes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/preview/browser_page_preview.h"
#include "core/preview/preview_page.h"
#include "platform/win_file_store.h"
#include "platform/win_shell_opener.h"
#include "platform/win_text.h"

namespace quillbay {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const wchar_t* kPageClass = L"QuillbayTest.Page";

void setDefault(const std::wstring& key, const std::wstring& value) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
}

void forgetHtmlHandler() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kPageClass);
}

fs::path beside(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / name;
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A temporary folder of the test's own, its name not in the system's code page, as a user's may be.
class PagePreviewWin : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t system[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, system), 0u);
        base_ = fs::path(system) / ("page-preview-test-" + std::to_string(GetCurrentProcessId()));
        temporary_ = base_ / L"t\u00EAmp \u00FC \u65E5";
        fs::create_directories(temporary_);
        ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", temporary_.c_str()));
        record_ = base_ / L"record.txt";
        ASSERT_TRUE(SetEnvironmentVariableW(L"QUILLBAY_RECORD", record_.c_str()));
        forgetHtmlHandler();
    }
    void TearDown() override {
        forgetHtmlHandler();
        fs::remove_all(base_);
    }

    std::vector<std::string> press(const PopupSettings& settings) {
        WinFileStore files;
        WinShellOpener shell;
        std::vector<std::string> told;
        BrowserPagePreview(files, shell)(settings, [&](const std::string& m) { told.push_back(m); });
        return told;
    }

    fs::path base_, temporary_, record_;
};

TEST_F(PagePreviewWin, TheRegisteredBrowserGetsThePageWithTheCodeByteForByte) {
    setDefault(L".html", kPageClass);
    setDefault(std::wstring(kPageClass) + L"\\shell\\open\\command",
               L"\"" + beside(L"page_recorder.exe").wstring() + L"\" \"%1\"");
    const fs::path folder = temporary_ / L"Quillbay";
    fs::create_directories(folder);
    const fs::path old = folder / L"preview-20000101-000000.html", recent = folder / L"preview-20000101-000001.html";
    std::ofstream(old) << "old";
    std::ofstream(recent) << "recent";
    fs::last_write_time(old, fs::file_time_type::clock::now() - 25h);

    PopupSettings settings = startupSettings();
    settings.url = "https://www.quillbay.example/caf\xC3\xA9?a='1'&b=<2>";
    settings.setFeature(PopupFeature::Resize, true);
    EXPECT_TRUE(press(settings).empty());

    for (auto waited = 0ms; !fs::exists(record_) && waited < 30s; waited += 100ms) std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(fs::exists(record_)) << "the recorder was not started";
    const fs::path page = fs::u8path(contents(record_));
    EXPECT_EQ(page.parent_path(), folder);
    const std::string bytes = contents(page);
    EXPECT_EQ(bytes, previewPage(settings));
    const GeneratedSnippets code = generate(settings);
    for (const std::string& snippet : {code.script, code.onClick + ">", code.link})
        EXPECT_NE(bytes.find(snippet), std::string::npos) << snippet;
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(recent));
}

TEST_F(PagePreviewWin, WithoutABrowserForPagesOneMessageSaysSoAndThePageStays) {
    const std::vector<std::string> told = press(startupSettings());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("no program is set to open web pages"), std::string::npos) << told[0];
    EXPECT_EQ(std::distance(fs::directory_iterator(temporary_ / L"Quillbay"), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(record_));
}

TEST_F(PagePreviewWin, FileStoreNeverWritesOverAFileAndKnowsAFileFromAFolder) {
    WinFileStore files;
    const std::string folder = narrowed((temporary_ / L"d\u00E9j\u00E0").wstring());
    EXPECT_EQ(files.makeFolder(folder).status, FileStatus::Ok);
    EXPECT_EQ(files.makeFolder(folder).status, FileStatus::Ok);
    const std::string page = folder + "\\p\xC3\xA9.html";
    EXPECT_EQ(files.writeNew(page, "first").status, FileStatus::Ok);
    EXPECT_EQ(files.writeNew(page, "second").status, FileStatus::Exists);
    EXPECT_EQ(contents(fs::u8path(page)), "first");
    EXPECT_EQ(files.makeFolder(page).status, FileStatus::Exists);
    const std::vector<StoredFile> listed = files.files(folder);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "p\xC3\xA9.html");
    EXPECT_LT(std::chrono::abs(std::chrono::system_clock::now() - listed[0].lastWritten), 1min);
    const FileResult refused = files.writeNew(folder + "\\no such folder\\p.html", "x");
    EXPECT_EQ(refused.status, FileStatus::Failed);
    EXPECT_FALSE(refused.error.empty());
}

}  // namespace
}  // namespace quillbay
