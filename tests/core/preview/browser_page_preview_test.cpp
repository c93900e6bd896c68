#include "core/preview/browser_page_preview.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/preview/preview_page.h"

namespace quillbay {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

// 2026-12-08 14:25:01 UTC.
const Clock::time_point kNow = Clock::time_point(std::chrono::sys_days(std::chrono::year{2026} / 12 / 8)) + 14h +
                               25min + 1s;

// A folder tree in memory, each file with the time it was written.
class FakeFileStore final : public FileStore {
public:
    std::string temporary = "C:\\Users\\ann\\Temp\\";
    FileResult folderResult;
    FileResult writeResult;
    std::map<std::string, std::pair<std::string, Clock::time_point>> stored;  // path: bytes, time
    std::set<std::string> stuck;                                              // paths that cannot be removed
    std::vector<std::string> writes;

    std::string temporaryFolder() const override { return temporary; }
    FileResult makeFolder(const std::string&) override { return folderResult; }
    std::vector<StoredFile> files(const std::string& folder) const override {
        std::vector<StoredFile> out;
        for (const auto& [path, file] : stored)
            if (path.rfind(folder + "\\", 0) == 0) out.push_back({path.substr(folder.size() + 1), file.second});
        return out;
    }
    bool remove(const std::string& path) override { return !stuck.contains(path) && stored.erase(path) == 1; }
    FileResult writeNew(const std::string& path, std::string_view bytes) override {
        writes.push_back(path);
        if (stored.contains(path)) return {FileStatus::Exists, {}};
        if (writeResult.status == FileStatus::Ok) stored[path] = {std::string(bytes), kNow};
        return writeResult;
    }
};

class FakeShell final : public ShellOpener {
public:
    OpenResult result;
    std::vector<std::string> opened;
    OpenResult open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
};

struct Press {
    FakeFileStore files;
    FakeShell shell;
    std::vector<std::string> told;
    void operator()(const PopupSettings& settings = startupSettings()) {
        BrowserPagePreview preview(files, shell, [] { return kNow; });
        preview(settings, [this](const std::string& m) { told.push_back(m); });
    }
};

const std::string kFolder = "C:\\Users\\ann\\Temp\\Quillbay";
const std::string kPage = kFolder + "\\preview-20261208-142501.html";

TEST(BrowserPagePreview, WritesTheSettingsPageIntoItsOwnFolderAndOpensIt) {
    for (const std::string temporary : {"C:\\Users\\ann\\Temp\\", "C:\\Users\\ann\\Temp"}) {
        Press press;
        press.files.temporary = temporary;
        PopupSettings s = resetSettings();
        s.setFeature(PopupFeature::Scroll, true);
        press(s);
        EXPECT_TRUE(press.told.empty());
        ASSERT_EQ(press.files.stored.count(kPage), 1u) << temporary;
        EXPECT_EQ(press.files.stored[kPage].first, previewPage(s));
        EXPECT_EQ(press.shell.opened, std::vector<std::string>{kPage});
    }
}

// A browser may still be reading an earlier page: a press never writes over one, the same second or not.
TEST(BrowserPagePreview, NeverWritesOverAnEarlierPage) {
    Press press;
    press.files.stored[kPage] = {"earlier", kNow};
    press.files.stored[kFolder + "\\preview-20261208-142501-2.html"] = {"earlier", kNow};
    press();
    press();
    EXPECT_EQ(press.files.stored[kPage].first, "earlier");
    EXPECT_EQ(press.shell.opened, (std::vector<std::string>{kFolder + "\\preview-20261208-142501-3.html",
                                                             kFolder + "\\preview-20261208-142501-4.html"}));
    EXPECT_TRUE(press.told.empty());
}

TEST(BrowserPagePreview, RemovesOnlyItsOwnPagesOlderThanADay) {
    struct Case {
        std::string name;
        Clock::duration age;
        bool stays;
    };
    const std::vector<Case> cases{
        {"preview-20261207-142400.html", 24h + 1min, false},
        {"preview-20261201-000000-7.html", 7 * 24h, false},
        {"preview-20261207-142600.html", 24h - 1min, true},
        {"preview-20261209-000000.html", -10h, true},  // a clock set back: not ours to judge
        {"notes.html", 30 * 24h, true},
        {"preview-20261101-000000.txt", 30 * 24h, true},
        {"preview-20261101-000001.html", 30 * 24h, true},  // held open by a browser: goes at a later press
    };
    Press press;
    for (const Case& c : cases) press.files.stored[kFolder + "\\" + c.name] = {"old", kNow - c.age};
    press.files.stuck.insert(kFolder + "\\preview-20261101-000001.html");
    press();
    for (const Case& c : cases) EXPECT_EQ(press.files.stored.count(kFolder + "\\" + c.name), c.stays ? 1u : 0u) << c.name;
    EXPECT_EQ(press.shell.opened.size(), 1u);
    EXPECT_TRUE(press.told.empty());
}

// Whatever fails, one message names what, and nothing after it is tried.
TEST(BrowserPagePreview, EachFailureGivesOneMessageNamingIt) {
    struct Case {
        const char* what;
        std::function<void(Press&)> arrange;
        std::string says;
        std::size_t writes;
        std::size_t opens;
    };
    const std::vector<Case> cases{
        {"no temporary folder", [](Press& p) { p.files.temporary.clear(); },
         "The preview page could not be written: the system names no temporary folder.", 0, 0},
        {"a file where the folder goes", [](Press& p) { p.files.folderResult = {FileStatus::Exists, {}}; },
         "The preview page could not be written: " + kFolder + " is a file, not a folder.", 0, 0},
        {"folder refused", [](Press& p) { p.files.folderResult = {FileStatus::Failed, "Access is denied."}; },
         "The folder " + kFolder + " for the preview page could not be made: Access is denied.", 0, 0},
        {"page refused", [](Press& p) { p.files.writeResult = {FileStatus::Failed, "The disk is full"}; },
         "The preview page " + kPage + " could not be written: The disk is full.", 1, 0},
        {"no browser", [](Press& p) { p.shell.result = {OpenStatus::NoHandler, "No application is associated."}; },
         "The preview page could not be opened: no program is set to open web pages. It is saved as " + kPage + ".",
         1, 1},
        {"browser missing", [](Press& p) { p.shell.result = {OpenStatus::Failed, ""}; },
         "The preview page " + kPage + " could not be opened.", 1, 1},
    };
    for (const Case& c : cases) {
        Press press;
        c.arrange(press);
        press();
        EXPECT_EQ(press.told, std::vector<std::string>{c.says}) << c.what;
        EXPECT_EQ(press.files.writes.size(), c.writes) << c.what;
        EXPECT_EQ(press.shell.opened.size(), c.opens) << c.what;
    }
}

}  // namespace
}  // namespace quillbay
