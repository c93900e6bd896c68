// The preview pages' file operations through the Windows API's wide calls, so that any user name in the
// temporary folder's path survives.
#pragma once

#include "platform/file_store.h"

namespace quillbay {

class WinFileStore final : public FileStore {
public:
    std::string temporaryFolder() const override;
    FileResult makeFolder(const std::string& folder) override;
    std::vector<StoredFile> files(const std::string& folder) const override;
    bool remove(const std::string& path) override;
    FileResult writeNew(const std::string& path, std::string_view bytes) override;
};

}  // namespace quillbay
