// What the About window does, the same in every front end: the captions it sets at load, and finding and
// starting the system-information tool or saying that it cannot be.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "core/about/sys_info_lookup.h"

namespace quillbay {

namespace about {
inline constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// The three captions replaced when the window loads.
struct LoadedTexts {
    std::string caption;  // "About Quillbay"
    std::string title;    // lblTitle
    std::string version;  // lblVersion: "Version 1.0.0"
};
LoadedTexts loadedTexts();
}  // namespace about

class AboutView {
public:
    virtual ~AboutView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setLabel(std::string_view label, const std::string& text) = 0;
    // One modal message over the window: only OK, no icon, the application's title as caption.
    virtual void tell(const std::string& message) = 0;
    virtual void unload() = 0;  // closes the window; nothing of it survives
};

// Starts `program` (a path in the system's code page, passed unchanged) as a process of its own, never waited
// for. False when it could not be started.
using StartProgram = std::function<bool(const std::string& program)>;

// Finds the tool through `lookup` and starts it; false when it is unavailable for any reason, including an
// exception on the way, so that the user hears the one message and can try again.
bool startSysInfoTool(SysInfoLookup& lookup, const StartProgram& start);

class AboutBehaviour {
public:
    AboutBehaviour(AboutView& view, SysInfoLookup& lookup, StartProgram start)
        : view_(view), lookup_(lookup), start_(std::move(start)) {}

    void Form_Load();
    void cmdOK_Click() { view_.unload(); }
    void cmdSysInfo_Click() { StartSysInfo(); }
    void StartSysInfo();

private:
    AboutView& view_;
    SysInfoLookup& lookup_;
    StartProgram start_;
};

}  // namespace quillbay
