// "Preview" where no browser can be driven: each press writes the preview page into a folder of the tool's
// own under the user's temporary folder and opens it in the user's default browser, where one click runs
// the generated code as a visitor's browser would. Pages older than a day go at the next press.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "core/generator/popup_script.h"
#include "platform/file_store.h"
#include "platform/shell_opener.h"

namespace quillbay {

class BrowserPagePreview {
public:
    using Tell = std::function<void(const std::string& message)>;
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    static constexpr std::string_view kFolderName = "Quillbay";
    static constexpr std::chrono::hours kKeptFor{24};

    BrowserPagePreview(FileStore& files, ShellOpener& shell,
                       Clock now = [] { return std::chrono::system_clock::now(); })
        : files_(files), shell_(shell), now_(std::move(now)) {}

    // One press: at most one message, and the tool stays usable whatever failed.
    void operator()(const PopupSettings& settings, const Tell& tell) const;

private:
    void removeOldPages(const std::string& folder, std::chrono::system_clock::time_point now) const;

    FileStore& files_;
    ShellOpener& shell_;
    Clock now_;
};

}  // namespace quillbay
