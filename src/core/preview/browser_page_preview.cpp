#include "core/preview/browser_page_preview.h"

#include <cstdio>

#include "core/preview/preview_page.h"

namespace quillbay {

namespace {

// A name no person would give a file: the clean-up removes only files whose whole name is one of these,
// so that nothing a user keeps in the folder is ever taken for a page of ours.
constexpr std::string_view kPagePrefix = "quillbay-preview-";
constexpr std::string_view kPageSuffix = ".html";
// More pages than this in one second means something other than presses is at work.
constexpr int kNamesPerSecond = 100;

std::string joined(const std::string& folder, std::string_view name) {
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return folder + (separated ? "" : "\\") + std::string(name);
}

// quillbay-preview-20261208T142501Z-001.html: the time (UTC) in the name sorts the pages by age for a user
// who looks into the folder, and the number tells the pages of one second apart.
std::string pageName(std::chrono::system_clock::time_point now, int attempt) {
    using namespace std::chrono;
    const auto second = floor<seconds>(now);
    const auto day = floor<days>(second);
    const year_month_day date{day};
    const hh_mm_ss time{second - day};
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02u%02uT%02d%02d%02dZ-%03d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), attempt);
    return std::string(kPagePrefix) + stamp + std::string(kPageSuffix);
}

// Whether `name` is exactly one that pageName gives: read back its time and number, and write them again.
bool isPage(std::string_view name) {
    constexpr std::size_t kStamp = 8 + 1 + 6 + 2 + 3;  // 20261208 T 142501 Z- 001
    if (name.size() != kPagePrefix.size() + kStamp + kPageSuffix.size() || !name.starts_with(kPagePrefix) ||
        !name.ends_with(kPageSuffix))
        return false;
    const std::string_view stamp = name.substr(kPagePrefix.size(), kStamp);
    const auto number = [&](std::size_t at, std::size_t digits) {
        int value = 0;
        for (char c : stamp.substr(at, digits)) {
            if (c < '0' || c > '9') return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    using namespace std::chrono;
    if (number(0, 4) < 0) return false;
    const year_month_day date{year{number(0, 4)}, month{static_cast<unsigned>(number(4, 2))},
                              day{static_cast<unsigned>(number(6, 2))}};
    const int hours = number(9, 2), minutes = number(11, 2), seconds = number(13, 2), attempt = number(17, 3);
    if (!date.ok() || hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
        attempt < 1 || attempt > kNamesPerSecond)
        return false;
    const auto time = sys_days(date) + std::chrono::hours(hours) + std::chrono::minutes(minutes) +
                      std::chrono::seconds(seconds);
    return pageName(time, attempt) == name;
}

// `sentence` (without its full stop) and the system's reason, when it gave one.
std::string because(const std::string& sentence, const std::string& reason) {
    if (reason.empty()) return sentence + ".";
    return sentence + ": " + reason + (reason.back() == '.' ? "" : ".");
}

}  // namespace

void BrowserPagePreview::operator()(const PopupSettings& settings, const Tell& tell) const {
    auto fail = [&](const std::string& message) {
        if (tell) tell(message);
    };
    const std::string temporary = files_.temporaryFolder();
    if (temporary.empty()) return fail("The preview page could not be written: the system names no temporary folder.");
    const std::string folder = joined(temporary, kFolderName);
    const FileResult made = files_.makeFolder(folder);
    if (made.status == FileStatus::Exists)
        return fail("The preview page could not be written: " + folder + " is a file, not a folder.");
    if (made.status != FileStatus::Ok)
        return fail(because("The folder " + folder + " for the preview page could not be made", made.error));

    const auto now = now_();
    removeOldPages(folder, now);

    // A browser may still be reading an earlier page, so a press never overwrites one.
    const std::string page = previewPage(settings);
    std::string path;
    for (int attempt = 1;; ++attempt) {
        if (attempt > kNamesPerSecond)
            return fail("The preview page could not be written in " + folder +
                        ": every name for this second is taken.");
        path = joined(folder, pageName(now, attempt));
        const FileResult written = files_.writeNew(path, page);
        if (written.status == FileStatus::Ok) break;
        if (written.status == FileStatus::Failed)
            return fail(because("The preview page " + path + " could not be written", written.error));
    }

    // The page stays when no browser takes it, so that the user can still open it by hand.
    const OpenResult opened = shell_.open(path);
    if (opened.status == OpenStatus::NoHandler)
        return fail("The preview page could not be opened: no program is set to open web pages. It is saved as " +
                    path + ".");
    if (opened.status == OpenStatus::Failed)
        return fail(because("The preview page " + path + " could not be opened", opened.error));
}

void BrowserPagePreview::removeOldPages(const std::string& folder, std::chrono::system_clock::time_point now) const {
    // Only pages of ours: anything else in the folder was put there by someone else. A page that cannot
    // go now (a browser holds it open) goes at a later press.
    for (const StoredFile& file : files_.files(folder))
        if (isPage(file.name) && now - file.lastWritten > kKeptFor) files_.remove(joined(folder, file.name));
}

}  // namespace quillbay
