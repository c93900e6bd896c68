// Preview on Windows against the real system: the pages in the temporary folder, and the shell starting the
// program registered for .html pages (page_recorder, standing in for a browser) under HKEY_CLASSES_ROOT,
// which Wine honours where it ignores an override under HKCU\Software\Classes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <tuple>

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

// Removes `path` and all below it, through the \\?\ form, which std::filesystem does not take past MAX_PATH.
void removeAll(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((L"\\\\?\\" + path + L"\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        const std::wstring name = entry.cFileName, below = path + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeAll(below);
        else DeleteFileW((L"\\\\?\\" + below).c_str());
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    RemoveDirectoryW((L"\\\\?\\" + path).c_str());
}

// A temporary folder of the test's own whose name is not in the system's code page, as a user's may be.
class PagePreviewWin : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() / ("page-preview-test-" + std::to_string(GetCurrentProcessId()));
        removeAll(base_.wstring());
        fs::create_directories(temporary_ = base_ / L"t\u00EAmp \u65E5");
        folder_ = temporary_ / L"Quillbay";
        SetEnvironmentVariableW(L"TMP", temporary_.c_str());
        SetEnvironmentVariableW(L"QUILLBAY_RECORD", (record_ = base_ / L"record.txt").c_str());
        forgetPageHandler();
    }
    void TearDown() override {
        forgetPageHandler();
        SetEnvironmentVariableW(L"TMP", base_.parent_path().c_str());
        removeAll(base_.wstring());
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
    // Only a day-old page of the tool's own goes; a user's file of a similar name stays, whatever its age.
    const fs::path old = folder_ / L"quillbay-preview-20000101T000000Z-001.html",
                   recent = folder_ / L"quillbay-preview-20000101T000001Z-001.html",
                   users = folder_ / L"preview-notes.html";
    for (const fs::path& file : {old, recent, users}) std::ofstream(file) << "kept?";
    fs::last_write_time(old, fs::file_time_type::clock::now() - 25h);
    fs::last_write_time(users, fs::file_time_type::clock::now() - 25h);

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
    EXPECT_TRUE(fs::exists(users));
}

// A folder below `base` whose full path has `length` characters, in components of `each` (a short
// component is its own short name, so no short form of the path is shorter).
std::wstring deepFolder(const fs::path& base, std::size_t length, std::size_t each) {
    fs::create_directories(base);
    std::wstring path = base.wstring();
    while (path.size() < length) {
        const std::size_t room = length - path.size() - 1;  // after the backslash
        std::size_t take = std::min(each, room);
        if (room - take == 1) take = take > 1 ? take - 1 : take + 1;  // never a backslash alone at the end
        CreateDirectoryW((L"\\\\?\\" + path.append(1, L'\\').append(take, L'q')).c_str(), nullptr);
    }
    return path;
}

// TMP naming long paths: the page is written whatever the length, and opened (by its short name past what
// the shell takes); where no name of it fits, the message names the page and why.
TEST_F(PagePreviewWin, ALongTemporaryFolderStillGetsThePageOrTheReason) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(quillbay::testing::registerPageHandler((fs::path(self).parent_path() / L"page_recorder.exe").wstring()));
    const std::vector<std::tuple<std::size_t, std::size_t, bool>> cases{
        {240, 40, true}, {258, 40, true}, {300, 40, true}, {300, 1, false}};  // length, each, opened
    int row = 0;
    for (const auto& [length, each, opened] : cases) {
        SCOPED_TRACE(::testing::Message() << length << " characters in components of " << each);
        const std::wstring temporary = deepFolder(base_ / std::to_wstring(++row), length, each);
        SetEnvironmentVariableW(L"TMP", temporary.c_str());
        DeleteFileW(record_.c_str());
        const std::vector<std::string> told = press(startupSettings());
        const std::string folder = toUtf8(temporary) + "\\Quillbay";
        const std::vector<StoredFile> pages = WinFileStore().files(folder);
        ASSERT_EQ(pages.size(), 1u) << "no page in " << folder << (told.empty() ? "" : ": " + told[0]);
        if (!opened) {  // one message, naming the page and why
            EXPECT_TRUE(told.size() == 1 && told[0].starts_with("The preview page " + folder + "\\" + pages[0].name +
                                                                " could not be opened: its path is"))
                << ::testing::PrintToString(told);
            continue;
        }
        EXPECT_EQ(told, std::vector<std::string>{});
        for (auto waited = 0ms; !fs::exists(record_) && waited < 30s; waited += 100ms)
            std::this_thread::sleep_for(100ms);
        const std::wstring got = fromUtf8(contents(record_));
        EXPECT_LT(got.size(), static_cast<std::size_t>(MAX_PATH)) << "the recorder was not started, or got a long path";
        EXPECT_EQ(contents(got), previewPage(startupSettings()));
    }
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
