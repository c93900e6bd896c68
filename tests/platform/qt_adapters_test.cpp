// The real file test and process start, against the real file system.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <limits>

#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"

namespace quillbay {
namespace {

QString writeFile(const QString& path, const QByteArray& content, bool executable) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) permissions |= QFile::ExeOwner;
    file.setPermissions(permissions);
    return path;
}

// The started program runs on its own; give it a moment to leave its trace.
QByteArray waitForFile(const QString& path) {
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray content = file.readAll();
            if (content.endsWith('\n')) return content;
        }
        QThread::msleep(20);
    }
    return {};
}

TEST(QtFileProbe, OnlyRegularFilesCount) {
    QTemporaryDir dir;
    const QString file = writeFile(dir.filePath(QStringLiteral("MSINFO32.EXE")), "x", false);
    QDir().mkpath(dir.filePath(QStringLiteral("folder")));
    QFile::link(file, dir.filePath(QStringLiteral("link")));

    const struct {
        QString path;
        bool expected;
    } cases[] = {
        {file, true},
        {dir.filePath(QStringLiteral("link")), true},
        {dir.filePath(QStringLiteral("folder")), false},
        {dir.filePath(QStringLiteral("missing")), false},
        {dir.path(), false},
        {QString(), false},
    };
    QtFileProbe probe;
    for (const auto& c : cases) EXPECT_EQ(probe.isFile(c.path), c.expected) << c.path.toStdString();
}

TEST(QtProcessLauncher, StartsThePathAsOneProgramWithoutAShell) {
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("marker"));
    // Spaces and a shell character in the path: it must arrive as one program name, untouched.
    QDir().mkpath(dir.filePath(QStringLiteral("my tools;x")));
    const QString program = writeFile(dir.filePath(QStringLiteral("my tools;x/sys info")),
                                      "#!/bin/sh\necho \"$#\" > '" + QFile::encodeName(marker) + "'\n", true);

    QtProcessLauncher launcher;
    qint64 pid = 0;
    ASSERT_TRUE(launcher.startDetached(program, {}, &pid));
    EXPECT_GT(pid, 0);
    EXPECT_EQ(waitForFile(marker), QByteArray("0\n"));
}

TEST(QtProcessLauncher, ReportsWhatCannotStart) {
    QTemporaryDir dir;
    const QString notExecutable = writeFile(dir.filePath(QStringLiteral("plain")), "#!/bin/sh\n", false);
    QtProcessLauncher launcher;
    for (const QString& program : {QString(), dir.filePath(QStringLiteral("missing")), notExecutable, dir.path()}) {
        EXPECT_FALSE(launcher.startDetached(program, {}, nullptr)) << program.toStdString();
    }
}

TEST(SystemProcessProbe, KnowsThisProcessAndNotAnImpossibleOne) {
    SystemProcessProbe probe;
    EXPECT_TRUE(probe.isRunning(QCoreApplication::applicationPid()));
    EXPECT_FALSE(probe.isRunning(0));
    EXPECT_FALSE(probe.isRunning(-1));
    EXPECT_FALSE(probe.isRunning(std::numeric_limits<qint32>::max()));
}

}  // namespace
}  // namespace quillbay
