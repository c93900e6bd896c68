// Whether a process we started is still alive.
#pragma once

#include <QtGlobal>

namespace quillbay {

class ProcessProbe {
public:
    virtual ~ProcessProbe() = default;
    // A finished process that nobody reaped counts as gone.
    virtual bool isRunning(qint64 pid) const = 0;
};

class SystemProcessProbe final : public ProcessProbe {
public:
    bool isRunning(qint64 pid) const override;
};

}  // namespace quillbay
