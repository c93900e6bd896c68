#include "core/preview/browser_page_preview.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/preview/preview_page.h"

namespace quillbay {
namespace {

using namespace std::chrono_literals;
using Time = std::chrono::system_clock::time_point;

const Time kNow = std::chrono::sys_days(std::chrono::year{2026} / 12 / 8) + 14h + 25min + 1s;
const std::string kFolder = "C:\\Temp\\Quillbay";
const std::string kPage = kFolder + "\\quillbay-preview-20261208T142501Z-001.html";

// A folder in memory, each file with its bytes and the time it was written; `stuck` ones cannot be removed.
struct FakeFiles final : FileStore {
    std::string temporary = "C:\\Temp\\";
    FileResult folderResult, writeResult;
    std::map<std::string, std::pair<std::string, Time>> stored;
    std::set<std::string> stuck;

    std::string temporaryFolder() const override { return temporary; }
    FileResult makeFolder(const std::string&) override { return folderResult; }
    std::vector<StoredFile> files(const std::string&) const override {
        std::vector<StoredFile> out;
        for (const auto& [path, file] : stored) out.push_back({path.substr(kFolder.size() + 1), file.second});
        return out;
    }
    bool remove(const std::string& path) override { return !stuck.contains(path) && stored.erase(path); }
    FileResult writeNew(const std::string& path, std::string_view bytes) override {
        if (stored.contains(path)) return {FileStatus::Exists, {}};
        if (writeResult.status == FileStatus::Ok) stored[path] = {std::string(bytes), kNow};
        return writeResult;
    }
};

struct Press : ShellOpener {
    FakeFiles files;
    OpenResult result;
    std::vector<std::string> opened, told;
    OpenResult open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
    void operator()(const PopupSettings& s = startupSettings()) {
        BrowserPagePreview(files, *this, [] { return kNow; })(s, [this](const std::string& m) { told.push_back(m); });
    }
};

// A browser may still be reading an earlier page: a press never writes over one.
TEST(BrowserPagePreview, WritesANewPageEachPressAndOpensIt) {
    Press press;
    press.files.stored[kPage] = {"earlier", kNow};
    PopupSettings s = resetSettings();
    s.setFeature(PopupFeature::Scroll, true);
    press(s);
    press(s);
    const std::vector<std::string> pages{kFolder + "\\quillbay-preview-20261208T142501Z-002.html",
                                         kFolder + "\\quillbay-preview-20261208T142501Z-003.html"};
    EXPECT_EQ(press.opened, pages);
    EXPECT_EQ(press.files.stored[kPage].first, "earlier");
    EXPECT_EQ(press.files.stored[pages[1]].first, previewPage(s));
    EXPECT_TRUE(press.told.empty());
}

// Only a whole name the tool writes counts as its page; a user's file that merely looks like one stays.
TEST(BrowserPagePreview, RemovesOnlyItsOwnPagesOlderThanADay) {
    const std::vector<std::tuple<std::string, std::chrono::hours, bool>> cases{
        {"quillbay-preview-20261207T142400Z-001.html", 25h, false},
        {"quillbay-preview-20240229T235959Z-100.html", 720h, false},  // a leap day, the last number of a second
        {"quillbay-preview-20261207T142600Z-007.html", 23h, true},
        {"quillbay-preview-20261209T000000Z-001.html", -10h, true},  // a clock set back is not ours to judge
        {"quillbay-preview-20261101T000001Z-001.html", 720h, true},  // held open by a browser: it goes later
        {"preview-notes.html", 720h, true},
        {"preview-20261101-000000.html", 720h, true},
        {"quillbay-preview-notes.html", 720h, true},
        {"quillbay-preview-20261101T000000Z-001.txt", 720h, true},
        {"Quillbay-Preview-20261101T000000Z-001.HTML", 720h, true},
        {"quillbay-preview-20261101T000000Z-1.html", 720h, true},
        {"quillbay-preview-20261101T000000Z-101.html", 720h, true},
        {"quillbay-preview-20261301T000000Z-001.html", 720h, true},  // no 13th month
        {"quillbay-preview-20250229T000000Z-001.html", 720h, true},  // no leap day that year
        {"quillbay-preview-20261101T240000Z-001.html", 720h, true},
        {"quillbay-preview-2026110xT000000Z-001.html", 720h, true},
        {"quillbay-preview-+0261101T000000Z-001.html", 720h, true},
    };
    Press press;
    for (const auto& [name, age, stays] : cases) press.files.stored[kFolder + "\\" + name] = {"", kNow - age};
    press.files.stuck.insert(kFolder + "\\quillbay-preview-20261101T000001Z-001.html");
    press();
    for (const auto& [name, age, stays] : cases)
        EXPECT_EQ(press.files.stored.contains(kFolder + "\\" + name), stays) << name;
    EXPECT_EQ(press.opened.size(), 1u);
}

// Whatever fails, one message names what; nothing after it is tried, and the page stays for opening by hand.
TEST(BrowserPagePreview, EachFailureGivesOneMessageNamingIt) {
    const std::vector<std::tuple<std::function<void(Press&)>, std::string, std::size_t>> cases{
        {[](Press& p) { p.files.temporary.clear(); },
         "The preview page could not be written: the system names no temporary folder.", 0},
        {[](Press& p) { p.files.folderResult = {FileStatus::Exists, {}}; },
         "The preview page could not be written: " + kFolder + " is a file, not a folder.", 0},
        {[](Press& p) { p.files.folderResult = {FileStatus::Failed, "Access is denied."}; },
         "The folder " + kFolder + " for the preview page could not be made: Access is denied.", 0},
        {[](Press& p) { p.files.writeResult = {FileStatus::Failed, "The disk is full"}; },
         "The preview page " + kPage + " could not be written: The disk is full.", 0},
        {[](Press& p) { p.result = {OpenStatus::NoHandler, "No application is associated."}; },
         "The preview page could not be opened: no program is set to open web pages. It is saved as " + kPage + ".",
         1},
        {[](Press& p) { p.result = {OpenStatus::Failed, ""}; },
         "The preview page " + kPage + " could not be opened.", 1},
    };
    for (const auto& [arrange, says, opens] : cases) {
        Press press;
        arrange(press);
        press();
        EXPECT_EQ(press.told, std::vector<std::string>{says});
        EXPECT_EQ(press.opened.size(), opens) << says;
        EXPECT_EQ(press.files.stored.size(), opens) << says;
    }
}

}  // namespace
}  // namespace quillbay
