#include "core/preview/browser_page_preview.h"

#include <cstdio>

#include "core/preview/preview_page.h"

namespace quillbay {

namespace {

constexpr std::string_view kPagePrefix = "preview-";
constexpr std::string_view kPageSuffix = ".html";
// More pages than this in one second means something other than presses is at work.
constexpr int kNamesPerSecond = 100;

std::string joined(const std::string& folder, std::string_view name) {
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return folder + (separated ? "" : "\\") + std::string(name);
}

// The time in the name sorts the pages by age for a user who looks into the folder.
std::string pageName(std::chrono::system_clock::time_point now, int attempt) {
    using namespace std::chrono;
    const auto second = floor<seconds>(now);
    const auto day = floor<days>(second);
    const year_month_day date{day};
    const hh_mm_ss time{second - day};
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return std::string(kPagePrefix) + stamp + (attempt > 1 ? "-" + std::to_string(attempt) : "") +
           std::string(kPageSuffix);
}

bool isPage(std::string_view name) {
    return name.size() > kPagePrefix.size() + kPageSuffix.size() && name.starts_with(kPagePrefix) &&
           name.ends_with(kPageSuffix);
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
