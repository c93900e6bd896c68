// The About window's load and commands over a window with no toolkit.
#include "core/about/about_behaviour.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/fake_registry.h"

namespace quillbay {
namespace {

using testing::FakeRegistry;
using testing::stringValue;

struct FakeAboutView final : AboutView {
    void setCaption(const std::string& caption) override { log.push_back("caption " + caption); }
    void setLabel(std::string_view label, const std::string& text) override {
        log.push_back(std::string(label) + " " + text);
    }
    void tell(const std::string& message) override { log.push_back("tell " + message); }
    void unload() override { log.push_back("unload"); }
    std::vector<std::string> log;
};

TEST(AboutBehaviour, LoadSetsTheCaptionThenVersionThenTitle) {
    FakeRegistry registry;
    SysInfoLookup lookup(registry, [](const std::string&) { return false; });
    FakeAboutView view;
    AboutBehaviour about(view, lookup, {});
    about.Form_Load();
    about.cmdOK_Click();
    EXPECT_EQ(view.log, (std::vector<std::string>{"caption About Quillbay", "lblVersion Version 1.0.0",
                                                  "lblTitle Quillbay", "unload"}));
}

// Every way the tool cannot be had ends in the one message, and the window can try again.
TEST(AboutBehaviour, SystemInfoStartsTheToolFoundOrTellsOnce) {
    struct Case {
        const char* what;
        std::string path;  // "PATH" value; empty: none
        bool starts;
        bool throws;
        std::vector<std::string> started;
        std::vector<std::string> log;
    };
    const std::string unavailable = "tell System Information Is Unavailable At This Time";
    const Case cases[] = {
        {"found and started", "C:\\Tools\\msinfo32.exe", true, false, {"C:\\Tools\\msinfo32.exe"}, {}},
        {"found, will not start", "C:\\broken.exe", false, false, {"C:\\broken.exe"}, {unavailable}},
        {"nowhere", "", true, false, {}, {unavailable}},
        {"a zero inside the path", std::string("C:\\a.exe\0b", 10), true, false, {}, {unavailable}},
        {"the start throws", "C:\\x.exe", true, true, {"C:\\x.exe"}, {unavailable}},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        if (!c.path.empty()) {
            registry.addKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
            registry.setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", stringValue(c.path));
        }
        SysInfoLookup lookup(registry, [](const std::string&) { return false; });
        FakeAboutView view;
        std::vector<std::string> started;
        AboutBehaviour about(view, lookup, [&](const std::string& program) {
            started.push_back(program);
            if (c.throws) throw std::runtime_error("no");
            return c.starts;
        });
        about.cmdSysInfo_Click();
        EXPECT_EQ(started, c.started) << c.what;
        EXPECT_EQ(view.log, c.log) << c.what;
        EXPECT_EQ(registry.openKeys(), 0u) << c.what;
    }
}

}  // namespace
}  // namespace quillbay
