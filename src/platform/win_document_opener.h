// Opening a document with the program the user has chosen for its kind.
#pragma once

#include <string>

namespace quillbay {

class WinDocumentOpener {
public:
    virtual ~WinDocumentOpener() = default;
    // False when no program took it.
    virtual bool open(const std::wstring& path) = 0;
};

class SystemWinDocumentOpener final : public WinDocumentOpener {
public:
    bool open(const std::wstring& path) override;
};

}  // namespace quillbay
