// The tool starts without the local browser's part and loads it at the first preview.
#include "qt/preview/deferred_browser_factory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "support/platform_fakes.h"

namespace quillbay {
namespace {

using testing::FakeFileProbe;
using testing::FakeLauncher;
using testing::FakeProcessProbe;
using ::testing::HasSubstr;

bool networkLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("libQt6Network");
}

// This test program, like the tool, lies in the build's bin/: the part must be where the tool looks for it.
TEST(DeferredBrowserFactory, LoadsThePartAtTheFirstPreviewAndHandsItTheSeams) {
    const QString browser = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillbay-browser"));
    FakeLauncher launcher;
    launcher.succeeds = false;  // the part's own message shows that it, and not this one, answered
    FakeFileProbe files;
    files.files << browser;
    FakeProcessProbe processes;
    DeferredBrowserFactory factory(previewModulePath(), launcher, files, processes);
#if defined(Q_OS_LINUX)
    EXPECT_FALSE(networkLoaded()) << "QtNetwork was loaded before any preview";
#endif

    for (std::size_t press = 1; press <= 2; ++press) {
        const BrowserFactory::Created created = factory.create();
        EXPECT_FALSE(created.browser);
        EXPECT_EQ(created.error, QStringLiteral("The preview browser could not be started:\n%1")
                                     .arg(QDir::toNativeSeparators(browser))
                                     .toStdString());
        ASSERT_EQ(launcher.calls.size(), press);
        EXPECT_EQ(launcher.calls.back().program, browser);
    }
#if defined(Q_OS_LINUX)
    EXPECT_TRUE(networkLoaded());
#endif
}

TEST(DeferredBrowserFactory, AMissingPartIsReportedAtEachPressAndStartsNothing) {
    FakeLauncher launcher;
    FakeFileProbe files;
    FakeProcessProbe processes;
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-folder/quillbay-preview.so"));
    DeferredBrowserFactory factory(missing, launcher, files, processes);
    for (int press = 0; press < 2; ++press) {
        const BrowserFactory::Created created = factory.create();
        EXPECT_FALSE(created.browser);
        EXPECT_EQ(created.code, hr::kFail);
        EXPECT_THAT(created.error,
                    HasSubstr("The preview could not be prepared: " + QDir::toNativeSeparators(missing).toStdString()));
    }
    EXPECT_TRUE(launcher.calls.empty());
}

}  // namespace
}  // namespace quillbay
