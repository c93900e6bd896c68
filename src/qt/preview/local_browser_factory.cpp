#include "qt/preview/local_browser_factory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"
#include "qt/preview/browser_program.h"
#include "qt/preview/browser_protocol.h"
#include "qt/preview/local_browser.h"
#include "qt/preview/painting_wait.h"
#include "qt/preview/socket_place.h"

namespace quillbay {

QString defaultBrowserProgram() { return browserProgram(QCoreApplication::applicationDirPath(), QtFileProbe()); }

LocalBrowserFactory::LocalBrowserFactory(ProcessLauncher& launcher, FileProbe& files, ProcessProbe& processes,
                                         LocalBrowserOptions options)
    : launcher_(launcher), files_(files), processes_(processes), options_(std::move(options)) {}

namespace {

BrowserFactory::Created failure(HResult code, const QString& error) {
    BrowserFactory::Created created;
    created.code = code;
    created.error = error.toStdString();
    return created;
}

// Listens in the first folder that takes the socket, after clearing out the sockets a killed tool left
// there; else says, folder by folder, why none did.
QString listenPrivately(QLocalServer& server) {
    const QString name = unguessableSocketName();
    const QStringList folders = socketFolders();
    if (folders.isEmpty()) return server.listen(name) ? QString() : server.errorString();  // a named pipe, not a file
    QStringList problems;
    for (const QString& folder : folders) {
        QString problem = socketFolderProblem(folder, name);
        if (problem.isEmpty()) {
#if defined(Q_OS_UNIX)
            removeStaleSockets(folder, ::getuid());
#endif
            if (server.listen(QDir(folder).filePath(name))) return {};
            problem = QStringLiteral("the socket could not be made there (%1)").arg(server.errorString());
        }
        problems << QStringLiteral("%1: %2.").arg(QDir::toNativeSeparators(folder), problem);
    }
    return problems.join(QLatin1Char('\n'));
}

}  // namespace

BrowserFactory::Created LocalBrowserFactory::create() {
    const QDeadlineTimer press(options_.pressTimeout);
    const QString program = QDir::toNativeSeparators(options_.program);
    if (!files_.isFile(options_.program))
        return failure(hr::kFail, QStringLiteral("The preview browser was not found. It should be here:\n%1").arg(program));

    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.setMaxPendingConnections(1);
    if (const QString problem = listenPrivately(server); !problem.isEmpty())
        return failure(hr::kFail, QStringLiteral("The preview browser could not be started: Quillbay could not make its "
                                                 "connection to it.\n%1")
                                      .arg(problem));

    qint64 pid = 0;
    if (!launcher_.startDetached(options_.program, {QStringLiteral("--control"), server.fullServerName()}, &pid))
        return failure(hr::kFail, QStringLiteral("The preview browser could not be started:\n%1").arg(program));

    // The start has a limit of its own, but never outlasts the press.
    const QDeadlineTimer startLimit(options_.startTimeout);
    const bool pressEndsFirst = press <= startLimit;
    const QDeadlineTimer deadline = pressEndsFirst ? press : startLimit;
    PaintingWait wait;  // the windows keep painting while the browser starts
    const auto outOfTime = [&] {
        if (pressEndsFirst) return failure(hr::kOutOfTime, {});  // the preview's own words
        const long long seconds = (options_.startTimeout.count() + 999) / 1000;
        return failure(hr::kTimeout, QStringLiteral("The preview browser did not start within %1 second%2.")
                                         .arg(seconds)
                                         .arg(seconds == 1 ? QString() : QStringLiteral("s")));
    };
    const auto stopped = [] {
        return failure(hr::kDisconnected, QStringLiteral("The preview browser stopped before it was ready."));
    };
    const auto browserRuns = [&] { return pid <= 0 || processes_.isRunning(pid); };
    for (;;) {
        // Wait in slices, so that a browser that dies at start is noticed at once, not at the deadline.
        while (!server.hasPendingConnections()) {
            if (deadline.hasExpired()) return outOfTime();
            const qint64 slice =
                std::min<qint64>(PaintingWait::kSlice.count(), std::max<qint64>(1, deadline.remainingTime()));
            if (server.waitForNewConnection(static_cast<int>(slice))) break;
            if (!browserRuns()) {
                if (server.waitForNewConnection(0)) break;  // it may have connected just before ending
                return stopped();
            }
            wait();
        }
        std::unique_ptr<QLocalSocket> socket(server.nextPendingConnection());
        if (!socket) return stopped();
        socket->setParent(nullptr);

        HResult code = hr::kFail;
        const auto remaining = std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime()));
        const std::optional<QByteArray> line = protocol::readLine(*socket, remaining, &code, std::ref(wait));
        if (!line) {
            if (code == hr::kTimeout) return outOfTime();
            if (code == hr::kUnexpected)
                return failure(code,
                               QStringLiteral("The preview browser at %1 sent a line of over %2 MB instead of its greeting.")
                                   .arg(program)
                                   .arg(protocol::kMaxLineBytes >> 20));
            // Gone without a word: not the browser, which greets first, but someone seeing whether the socket
            // is still in use (another Quillbay clearing out sockets left behind). The browser may come yet.
            if (socket->bytesAvailable() == 0 && browserRuns()) continue;
            return stopped();
        }
        const std::optional<QJsonObject> message = protocol::decode(*line);
        const std::optional<protocol::Hello> hello = message ? protocol::parseHello(*message) : std::nullopt;
        if (!hello || hello->version != protocol::kVersion)
            return failure(hr::kUnexpected,
                           QStringLiteral("The preview browser at %1 does not match this version of Quillbay.").arg(program));
        // Another program of this user may have found the socket first; only the one started here is driven.
        if (pid > 0 && hello->pid != pid)
            return failure(hr::kUnexpected, QStringLiteral("Another program (process %1) answered in place of the "
                                                           "preview browser Quillbay started (process %2), so the "
                                                           "preview was stopped.")
                                                .arg(hello->pid)
                                                .arg(pid));
        server.close();  // one browser per channel: nobody else gets in after it

        Created created;
        created.browser = std::make_unique<LocalBrowser>(std::move(socket), options_.callTimeout, press);
        return created;
    }
}

}  // namespace quillbay
