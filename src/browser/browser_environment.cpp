#include "browser/browser_environment.h"

#include <QDir>
#include <QList>
#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace quillbay {

BrowserHost probeBrowserHost() {
    BrowserHost host;
#if defined(Q_OS_UNIX)
    host.runningAsRoot = ::geteuid() == 0;
#endif
#if defined(Q_OS_LINUX)
    host.hasGpuDevice = !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*"), QStringLiteral("card*")},
                                                                    QDir::System | QDir::Files)
                             .isEmpty();
#else
    host.hasGpuDevice = true;
#endif
    return host;
}

QByteArray chromiumFlags(const QByteArray& userFlags, const BrowserHost& host) {
    QList<QByteArray> flags;
    const QList<QByteArray> given = userFlags.simplified().split(' ');
    auto add = [&](const QByteArray& flag) {
        if (!given.contains(flag)) flags << flag;
    };
    if (host.runningAsRoot) add("--no-sandbox");
    if (!host.hasGpuDevice) add("--disable-gpu");
    QByteArray result = userFlags.simplified();
    for (const QByteArray& flag : flags) {
        if (!result.isEmpty()) result += ' ';
        result += flag;
    }
    return result;
}

void prepareBrowserEnvironment() {
    const QByteArray flags = chromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), probeBrowserHost());
    if (!flags.isEmpty()) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

}  // namespace quillbay
