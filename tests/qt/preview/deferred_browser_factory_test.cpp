// The tool starts without the local browser's part and loads it at the first preview.
#include "qt/preview/deferred_browser_factory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstring>

#if defined(Q_OS_LINUX)
#include <elf.h>
#include <link.h>
#endif

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

#if defined(Q_OS_LINUX)
// Each row puts a broken part where the tool looks: the press says what is wrong with it and starts nothing,
// and the tool lives on (a part cut short used to end it with SIGBUS).
TEST(DeferredBrowserFactory, ABrokenPartIsToldAtThePressAndTheToolLivesOn) {
    QFile intact(previewModulePath());
    ASSERT_TRUE(intact.open(QIODevice::ReadOnly));
    const QByteArray whole = intact.readAll();
    const auto patched = [&](std::size_t at, auto value) {
        QByteArray bytes = whole;
        std::memcpy(bytes.data() + at, &value, sizeof value);
        return bytes;
    };
    ElfW(Half) machine = 0;
    std::memcpy(&machine, whole.constData() + offsetof(ElfW(Ehdr), e_machine), sizeof machine);
    const QByteArray foreignMachine =
        patched(offsetof(ElfW(Ehdr), e_machine), static_cast<ElfW(Half)>(machine == EM_X86_64 ? EM_AARCH64 : EM_X86_64));
    const QByteArray noSectionTable = patched(offsetof(ElfW(Ehdr), e_shoff), ElfW(Off){0});
    QFile foreign(QStringLiteral(QUILLBAY_FOREIGN_LIBRARY));
    ASSERT_TRUE(foreign.open(QIODevice::ReadOnly));
    const struct {
        const char* what;
        std::optional<QByteArray> bytes;  // none: no file at all
        const char* says;
    } cases[] = {
        {"cut short after a page", whole.left(4096),
         "is damaged (it is cut short: it holds 4,096 bytes, but its headers describe"},
        {"cut short, with no section table", noSectionTable.left(4096), "is damaged (it is cut short"},
        {"a text", QByteArray("#!/bin/sh\n"), "is damaged (it is not a program library)."},
        {"for another machine", foreignMachine, "is damaged (it is made for another kind of computer)."},
        {"some other library", foreign.readAll(), "is some other library, not Quillbay's preview part."},
        {"missing", std::nullopt, "is missing."},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quillbay-preview.so"));
        QFile part(path);
        ASSERT_TRUE(!c.bytes || (part.open(QIODevice::WriteOnly) && part.write(*c.bytes) == c.bytes->size())) << c.what;
        part.close();
        FakeLauncher launcher;
        FakeFileProbe files;
        FakeProcessProbe processes;
        DeferredBrowserFactory factory(path, launcher, files, processes);
        const BrowserFactory::Created created = factory.create();
        EXPECT_FALSE(created.browser) << c.what;
        EXPECT_THAT(created.error,
                    HasSubstr(QStringLiteral("The preview could not be prepared: %1 ").arg(path).toStdString() + c.says))
            << c.what;
        EXPECT_TRUE(launcher.calls.empty()) << c.what;
    }
}
#endif

}  // namespace
}  // namespace quillbay
