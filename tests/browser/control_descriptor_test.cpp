#include "browser/control_descriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace quillbay {
namespace {

using ::testing::HasSubstr;

// Descriptors a test made, closed again whatever happens.
struct Descriptors {
    ~Descriptors() {
        for (int fd : open) ::close(fd);
    }
    int keep(int fd) {
        open.push_back(fd);
        return fd;
    }
    // A pair whose far end is closed when `closeFarEnd`; returns the near end.
    int pair(int type, bool closeFarEnd) {
        int ends[2] = {-1, -1};
        EXPECT_EQ(::socketpair(AF_UNIX, type, 0, ends), 0);
        keep(ends[0]);
        closeFarEnd ? static_cast<void>(::close(ends[1])) : static_cast<void>(keep(ends[1]));
        return ends[0];
    }
    std::vector<int> open;
};

TEST(ControlDescriptor, TakesOnlyALiveStreamSocketAndKeepsItFromTheEnginesProcesses) {
    Descriptors fds;
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const struct {
        const char* what;
        std::function<QString()> argument;
        const char* problem;  // empty: taken
    } cases[] = {
        {"a live pair", [&] { return QString::number(fds.pair(SOCK_STREAM, false)); }, ""},
        {"not a number", [] { return QStringLiteral("seven"); }, "not a descriptor number"},
        {"negative", [] { return QStringLiteral("-1"); }, "not a descriptor number"},
        {"with a blank", [] { return QStringLiteral(" 3"); }, "not a descriptor number"},
        {"not open", [] { return QStringLiteral("987"); }, "no such descriptor is open"},
        {"a file", [&] { return QString::number(file.handle()); }, "not a socket"},
        {"a datagram socket", [&] { return QString::number(fds.pair(SOCK_DGRAM, false)); }, "not a stream socket"},
        {"far end closed", [&] { return QString::number(fds.pair(SOCK_STREAM, true)); },
         "the other end is closed or not connected"},
        {"never connected", [&] { return QString::number(fds.keep(::socket(AF_UNIX, SOCK_STREAM, 0))); },
         "the other end is closed or not connected"},
    };
    for (const auto& c : cases) {
        const QString argument = c.argument();
        const ControlDescriptor taken = takeControlDescriptor(argument);
        if (*c.problem == '\0') {
            EXPECT_TRUE(taken.problem.isEmpty()) << c.what << ": " << taken.problem.toStdString();
            EXPECT_EQ(taken.descriptor, argument.toInt()) << c.what;
            EXPECT_TRUE(::fcntl(taken.descriptor, F_GETFD) & FD_CLOEXEC) << c.what;
        } else {
            EXPECT_EQ(taken.problem.toStdString(), "--control-fd " + argument.toStdString() + ": " + c.problem)
                << c.what;
            EXPECT_EQ(taken.descriptor, -1) << c.what;
        }
    }
}

// The program itself, started as Quillbay starts it but with a descriptor that cannot carry the calls: a
// line on standard error and its own exit status, before any window or engine starts.
TEST(ControlDescriptor, TheBrowserSaysWhatIsWrongAndExitsWithItsOwnStatus) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const int inherited = ::dup(file.handle());  // without close-on-exec: the browser gets it
    const struct {
        QStringList arguments;
        std::string says;
    } cases[] = {
        {{"--control-fd"}, "quillbay-browser: --control-fd: no descriptor number given\n"},
        {{"--control-fd", "987"}, "quillbay-browser: --control-fd 987: no such descriptor is open\n"},
        {{"--control-fd=" + QString::number(inherited)},
         "quillbay-browser: --control-fd " + std::to_string(inherited) + ": not a socket\n"},
    };
    for (const auto& c : cases) {
        QProcess browser;
        browser.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillbay-browser")),
                      c.arguments);
        if (!browser.waitForFinished(20000)) {
            browser.kill();
            browser.waitForFinished();
            ADD_FAILURE() << c.arguments.join(' ').toStdString() << ": still running";
            continue;
        }
        EXPECT_EQ(browser.exitStatus(), QProcess::NormalExit) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(browser.exitCode(), 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(browser.readAllStandardError().toStdString(), c.says);
    }
    ::close(inherited);
}

}  // namespace
}  // namespace quillbay
