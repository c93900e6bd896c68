// Opening a document with the desktop's default viewer.
#pragma once

#include <QString>

namespace quillbay {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // `path` in the platform's native form. Returns false when no viewer took it.
    virtual bool open(const QString& path) = 0;
};

class QtDocumentOpener final : public DocumentOpener {
public:
    bool open(const QString& path) override;
};

}  // namespace quillbay
