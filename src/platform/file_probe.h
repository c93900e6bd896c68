// Whether a plain file exists at a path.
#pragma once

#include <QString>

namespace quillbay {

class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual bool isFile(const QString& path) const = 0;
};

class QtFileProbe final : public FileProbe {
public:
    bool isFile(const QString& path) const override;
};

}  // namespace quillbay
