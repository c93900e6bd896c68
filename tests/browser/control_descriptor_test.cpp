#include "browser/control_descriptor.h"

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

// One end of a new pair, inheritable as Quillbay hands it over; the other end stays open unless `closeFar`.
int pairEnd(int type, bool closeFar, std::vector<int>& open) {
    int ends[2] = {-1, -1};
    EXPECT_EQ(::socketpair(AF_UNIX, type, 0, ends), 0);
    open.push_back(ends[0]);
    closeFar ? static_cast<void>(::close(ends[1])) : open.push_back(ends[1]);
    return ends[0];
}

// Taken, the line is kept from the engine's own processes: one of them holding it would keep it open
// after the browser ended.
TEST(ControlDescriptor, ALiveStreamSocketIsTakenAndClosedOnExec) {
    std::vector<int> open;
    const int end = pairEnd(SOCK_STREAM, false, open);
    const ControlDescriptor taken = takeControlDescriptor(QString::number(end));
    EXPECT_TRUE(taken.problem.isEmpty()) << taken.problem.toStdString();
    EXPECT_EQ(taken.descriptor, end);
    EXPECT_TRUE(::fcntl(end, F_GETFD) & FD_CLOEXEC);
    for (int fd : open) ::close(fd);
}

// The program, started as Quillbay starts it but with a descriptor that cannot carry the calls: one line on
// standard error and its own exit status, before any window or engine starts (there is no display here).
TEST(ControlDescriptor, TheBrowserSaysWhatIsWrongAndExitsWithItsOwnStatus) {
    std::vector<int> open;
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const struct {
        std::function<QStringList()> arguments;
        const char* says;
    } cases[] = {
        {[] { return QStringList{"--control-fd"}; }, "no descriptor number given"},
        {[] { return QStringList{"--control-fd", "seven"}; }, "not a descriptor number"},
        {[] { return QStringList{"--control-fd", "987"}; }, "no such descriptor is open"},
        {[&] { return QStringList{"--control-fd", QString::number(open.emplace_back(::dup(file.handle())))}; },
         "not a socket"},
        {[&] { return QStringList{"--control-fd", QString::number(pairEnd(SOCK_DGRAM, false, open))}; },
         "not a stream socket"},
        {[&] { return QStringList{"--control-fd", QString::number(pairEnd(SOCK_STREAM, true, open))}; },
         "the other end is closed or not connected"},
    };
    for (const auto& c : cases) {
        const QStringList arguments = c.arguments();
        const std::string given = arguments.join(' ').toStdString();
        QProcess browser;
        browser.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillbay-browser")), arguments);
        if (!browser.waitForFinished(20000)) {
            browser.kill();
            browser.waitForFinished();
            ADD_FAILURE() << given << ": still running";
            continue;
        }
        EXPECT_EQ(browser.exitStatus(), QProcess::NormalExit) << given;
        EXPECT_EQ(browser.exitCode(), 2) << given;
        const std::string number = arguments.size() > 1 ? " " + arguments[1].toStdString() : "";
        EXPECT_EQ(browser.readAllStandardError().toStdString(),
                  "quillbay-browser: --control-fd" + number + ": " + c.says + "\n");
    }
    for (int fd : open) ::close(fd);
}

}  // namespace
}  // namespace quillbay
