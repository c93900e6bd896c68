// Opening a document as Explorer's "open" would: ShellExecuteExW with the handler registered for its kind.
#pragma once

#include "platform/shell_opener.h"

namespace quillbay {

class WinShellOpener final : public ShellOpener {
public:
    OpenResult open(const std::string& path) override;
};

}  // namespace quillbay
