#include "qt/preview/local_browser_factory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <array>

#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"
#include "qt/preview/browser_program.h"
#include "qt/preview/browser_protocol.h"
#include "qt/preview/local_browser.h"
#include "qt/preview/painting_wait.h"

namespace quillbay {

QString defaultBrowserProgram() { return browserProgram(QCoreApplication::applicationDirPath(), QtFileProbe()); }

LocalBrowserFactory::LocalBrowserFactory(ProcessLauncher& launcher, FileProbe& files, ProcessProbe& processes,
                                         LocalBrowserOptions options)
    : launcher_(launcher), files_(files), processes_(processes), options_(std::move(options)) {}

namespace {

// 128 random bits from the system's source: nobody can connect first by guessing the name.
QString unguessableName() {
    std::array<quint32, 4> bits{};
    QRandomGenerator::system()->fillRange(bits.data(), bits.size());
    QString name = QStringLiteral("quillbay-preview-");
    for (quint32 b : bits) name += QStringLiteral("%1").arg(b, 8, 16, QLatin1Char('0'));
    return name;
}

// The user's runtime folder when the session has one: private to the user and emptied at log-out, unlike
// the shared temporary folder, where a socket stays behind when its tool is killed during start-up.
QString socketFolder() {
#if defined(Q_OS_UNIX)
    // Without it Qt would make up a folder of its own in the temporary folder, and say so on the terminal.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return {};
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#else
    return {};  // a named pipe, not a file
#endif
}

BrowserFactory::Created failure(HResult code, const QString& error) {
    BrowserFactory::Created created;
    created.code = code;
    created.error = error.toStdString();
    return created;
}

}  // namespace

BrowserFactory::Created LocalBrowserFactory::create() {
    const QString program = QDir::toNativeSeparators(options_.program);
    if (!files_.isFile(options_.program))
        return failure(hr::kFail, QStringLiteral("The preview browser was not found. It should be here:\n%1").arg(program));

    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    server.setMaxPendingConnections(1);
    const QString name = unguessableName();
    const QString folder = socketFolder();
    // A folder path too long for a socket address leaves the temporary folder.
    const bool listening = (!folder.isEmpty() && server.listen(QDir(folder).filePath(name))) || server.listen(name);
    if (!listening)
        return failure(hr::kFail,
                       QStringLiteral("The preview browser could not be started: %1.").arg(server.errorString()));

    qint64 pid = 0;
    if (!launcher_.startDetached(options_.program, {QStringLiteral("--control"), server.fullServerName()}, &pid))
        return failure(hr::kFail, QStringLiteral("The preview browser could not be started:\n%1").arg(program));

    const QDeadlineTimer deadline(options_.startTimeout);
    PaintingWait wait;  // the windows keep painting while the browser starts
    const auto notStarted = [&] {
        const long long seconds = (options_.startTimeout.count() + 999) / 1000;
        return failure(hr::kTimeout, QStringLiteral("The preview browser did not start within %1 second%2.")
                                         .arg(seconds)
                                         .arg(seconds == 1 ? QString() : QStringLiteral("s")));
    };
    const auto stopped = [] {
        return failure(hr::kDisconnected, QStringLiteral("The preview browser stopped before it was ready."));
    };
    // Wait in slices, so that a browser that dies at start is noticed at once, not at the deadline.
    while (!server.hasPendingConnections()) {
        if (deadline.hasExpired()) return notStarted();
        const qint64 slice =
            std::min<qint64>(PaintingWait::kSlice.count(), std::max<qint64>(1, deadline.remainingTime()));
        if (server.waitForNewConnection(static_cast<int>(slice))) break;
        if (pid > 0 && !processes_.isRunning(pid)) {
            if (server.waitForNewConnection(0)) break;  // it may have connected just before ending
            return stopped();
        }
        wait();
    }
    std::unique_ptr<QLocalSocket> socket(server.nextPendingConnection());
    if (!socket) return stopped();
    socket->setParent(nullptr);
    server.close();  // one browser per channel: nobody else gets in after it

    HResult code = hr::kFail;
    const auto remaining = std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime()));
    const std::optional<QByteArray> line = protocol::readLine(*socket, remaining, &code, std::ref(wait));
    if (!line) return code == hr::kTimeout ? notStarted() : stopped();
    const std::optional<QJsonObject> message = protocol::decode(*line);
    const std::optional<protocol::Hello> hello = message ? protocol::parseHello(*message) : std::nullopt;
    if (!hello || hello->version != protocol::kVersion)
        return failure(hr::kUnexpected, QStringLiteral("The preview browser at %1 does not match this version of Quillbay.")
                                            .arg(program));

    Created created;
    created.browser = std::make_unique<LocalBrowser>(std::move(socket), options_.callTimeout);
    return created;
}

}  // namespace quillbay
