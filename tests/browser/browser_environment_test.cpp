#include "browser/browser_environment.h"

#include <gtest/gtest.h>

namespace quillbay {
namespace {

TEST(ChromiumFlags, DropTheSandboxOnlyForRootAndTheGpuOnlyWithoutOne) {
    struct Case {
        QByteArray user;
        BrowserHost host;
        QByteArray expected;
    };
    const std::vector<Case> cases{
        {"", {false, true}, ""},
        {"", {true, true}, "--no-sandbox"},
        {"", {false, false}, "--disable-gpu"},
        {"", {true, false}, "--no-sandbox --disable-gpu"},
        // The user's own switches stay first and are not repeated.
        {"--lang=fr", {true, false}, "--lang=fr --no-sandbox --disable-gpu"},
        {"  --no-sandbox   --disable-gpu ", {true, false}, "--no-sandbox --disable-gpu"},
        {"--disable-gpu-compositing", {false, false}, "--disable-gpu-compositing --disable-gpu"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chromiumFlags(c.user, c.host), c.expected)
            << '"' << c.user.toStdString() << "\" root=" << c.host.runningAsRoot << " gpu=" << c.host.hasGpuDevice;
}

}  // namespace
}  // namespace quillbay
