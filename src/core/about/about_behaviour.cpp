#include "core/about/about_behaviour.h"

#include "quillbay/version.h"

namespace quillbay {

about::LoadedTexts about::loadedTexts() {
    const std::string title = kAppTitle;
    return {"About " + title, title,
            "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                std::to_string(kVersionRevision)};
}

bool startSysInfoTool(SysInfoLookup& lookup, const StartProgram& start) {
    try {
        const std::string tool = lookup.findTool();
        // A zero character would cut the path short on its way to the system, starting some other program.
        return !tool.empty() && tool.find('\0') == std::string::npos && start && start(tool);
    } catch (...) {
        return false;
    }
}

void AboutBehaviour::Form_Load() {
    const about::LoadedTexts texts = about::loadedTexts();
    view_.setCaption(texts.caption);
    view_.setLabel("lblVersion", texts.version);
    view_.setLabel("lblTitle", texts.title);
}

void AboutBehaviour::StartSysInfo() {
    if (!startSysInfoTool(lookup_, start_)) view_.tell(about::kUnavailable);
}

}  // namespace quillbay
