// How the program shows that a command is waiting on something outside it.
#pragma once

namespace quillbay {

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void begin() = 0;  // pairs with end(); pairs may nest
    virtual void end() = 0;
};

// The wait cursor over all the program's windows.
class QtBusyIndicator final : public BusyIndicator {
public:
    void begin() override;
    void end() override;
};

}  // namespace quillbay
