// Starting another program as a process of its own that this one never waits for.
#pragma once

#include <string>

namespace quillbay {

class WinProcessStarter {
public:
    virtual ~WinProcessStarter() = default;
    // Starts exactly the program file `program`, with no arguments, in a normal window that takes the focus.
    // False when it could not be started.
    virtual bool start(const std::wstring& program) = 0;
};

class SystemWinProcessStarter final : public WinProcessStarter {
public:
    bool start(const std::wstring& program) override;
};

}  // namespace quillbay
