// Whether a process we started is still alive. Standard C++, so the Windows layer builds it without Qt.
#pragma once

#include <cstdint>

namespace quillbay {

class ProcessProbe {
public:
    virtual ~ProcessProbe() = default;
    // A finished process that nobody reaped counts as gone.
    virtual bool isRunning(std::int64_t pid) const = 0;
};

class SystemProcessProbe final : public ProcessProbe {
public:
    bool isRunning(std::int64_t pid) const override;
};

}  // namespace quillbay
