// The help opens with the desktop's viewer, and in Quillbay's own browser where the desktop has none.
#include <gtest/gtest.h>

#include <vector>

#include "platform/help_opener.h"
#include "support/platform_fakes.h"

namespace quillbay {
namespace {

struct HelpCase {
    const char* what;
    bool desktopTakes;
    bool browserStarts;
    QString page;
    QStringList browserArguments;  // empty: the browser is not started
    bool opened;
};

TEST(HelpOpener, FallsBackOnTheBrowserWithTheFileAddressOnlyWhereTheDesktopHasNoViewer) {
    const QString browser = QStringLiteral("/usr/libexec/quillbay/quillbay-browser");
    const QString page = QStringLiteral("/usr/share/quillbay/guide/index.html");
    const std::vector<HelpCase> cases = {
        {"the desktop's viewer", true, true, page, {}, true},
        {"no viewer", false, true, page, {QStringLiteral("file:///usr/share/quillbay/guide/index.html")}, true},
        {"a folder with a space, a # and non-ASCII", false, true, QStringLiteral("/opt/Quill Bay#2/gu\u00efde/index.html"),
         {QStringLiteral("file:///opt/Quill%20Bay%232/gu%C3%AFde/index.html")}, true},
        {"no viewer and no browser", false, false, page, {QStringLiteral("file:///usr/share/quillbay/guide/index.html")},
         false},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.what);
        testing::FakeDocumentOpener desktop;
        desktop.takes = c.desktopTakes;
        testing::FakeLauncher launcher;
        launcher.succeeds = c.browserStarts;
        HelpOpener help(desktop, launcher, browser);
        EXPECT_EQ(help.open(c.page), c.opened);
        EXPECT_EQ(desktop.opened, QStringList{c.page});
        if (c.browserArguments.isEmpty()) {
            EXPECT_TRUE(launcher.calls.empty());
        } else {
            ASSERT_EQ(launcher.calls.size(), 1u);
            EXPECT_EQ(launcher.calls[0].program, browser);
            EXPECT_EQ(launcher.calls[0].arguments, c.browserArguments);
        }
    }
}

}  // namespace
}  // namespace quillbay
