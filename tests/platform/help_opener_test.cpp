// The help opens with the desktop's viewer, and in Quillbay's own browser where the desktop has none.
#include <gtest/gtest.h>

#include "platform/help_opener.h"
#include "support/platform_fakes.h"

namespace quillbay {
namespace {

TEST(HelpOpener, FallsBackOnTheBrowserWithTheFileAddressOnlyWhereTheDesktopHasNoViewer) {
    const QString browser = QStringLiteral("/usr/libexec/quillbay/quillbay-browser");
    const QString page = QStringLiteral("/opt/Quill Bay#2/gu\u00efde/index.html");
    const QString address = QStringLiteral("file:///opt/Quill%20Bay%232/gu%C3%AFde/index.html");
    struct Case { bool desktopTakes, browserStarts; QStringList browserArguments /* empty: not started */; bool opened; };
    const Case cases[] = {{true, true, {}, true}, {false, true, {address}, true}, {false, false, {address}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "desktop " << c.desktopTakes << ", browser " << c.browserStarts);
        testing::FakeDocumentOpener desktop;
        desktop.takes = c.desktopTakes;
        testing::FakeLauncher launcher;
        launcher.succeeds = c.browserStarts;
        EXPECT_EQ(HelpOpener(desktop, launcher, browser).open(page), c.opened);
        EXPECT_EQ(desktop.opened, QStringList{page});
        ASSERT_EQ(launcher.calls.size(), c.browserArguments.isEmpty() ? 0u : 1u);
        for (const auto& call : launcher.calls) {
            EXPECT_EQ(call.program, browser);
            EXPECT_EQ(call.arguments, c.browserArguments);
        }
    }
}

}  // namespace
}  // namespace quillbay
