// The few file operations the preview needs to keep its pages in a folder of the tool's own. Paths are
// UTF-8 in the platform's own form. Standard C++, so the logic over it is tested anywhere with a fake.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace quillbay {

enum class FileStatus { Ok, Exists, Failed };

struct FileResult {
    FileStatus status = FileStatus::Ok;
    std::string error;  // the system's own words, when it failed
};

struct StoredFile {
    std::string name;  // without its folder
    std::chrono::system_clock::time_point lastWritten;
};

class FileStore {
public:
    virtual ~FileStore() = default;

    // The user's temporary folder; empty when the system names none.
    virtual std::string temporaryFolder() const = 0;
    // Ok also when `folder` is there already; Exists when something other than a folder has its name.
    virtual FileResult makeFolder(const std::string& folder) = 0;
    // The plain files directly in `folder`; none when it cannot be read.
    virtual std::vector<StoredFile> files(const std::string& folder) const = 0;
    virtual bool remove(const std::string& path) = 0;
    // A new file holding `bytes`; Exists, with nothing touched, when `path` is taken already.
    virtual FileResult writeNew(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace quillbay
