#include "preview/local_browser.h"

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
#include "preview/browser_program.h"
#include "preview/browser_protocol.h"
#include "preview/painting_wait.h"

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
    created.error = error;
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

LocalBrowser::LocalBrowser(std::unique_ptr<QLocalSocket> socket, std::chrono::milliseconds callTimeout)
    : socket_(std::move(socket)), timeout_(callTimeout) {}

LocalBrowser::~LocalBrowser() {
    if (!socket_) return;
    // Let a last request leave before hanging up; the browser keeps its window either way.
    if (socket_->state() == QLocalSocket::ConnectedState) socket_->flush();
    socket_->disconnectFromServer();
    if (socket_->state() != QLocalSocket::UnconnectedState) socket_->abort();
}

HResult LocalBrowser::call(const char* name, const QJsonValue& argument) {
    if (broken_ || !socket_ || socket_->state() != QLocalSocket::ConnectedState) return hr::kDisconnected;
    const qint64 id = nextId_++;
    const QByteArray request = protocol::encode(QJsonObject{
        {QStringLiteral("id"), id}, {QStringLiteral("call"), QString::fromLatin1(name)}, {QStringLiteral("arg"), argument}});
    // The browser would drop a longer line, and the connection with it; nothing is sent, so the next call
    // still gets through.
    if (request.size() > protocol::kMaxLineBytes) return hr::kTooLong;

    const QDeadlineTimer deadline(timeout_);
    PaintingWait wait;  // the windows keep painting until the answer comes
    auto breakOff = [this](HResult code) {
        broken_ = true;
        socket_->abort();
        return code;
    };
    if (socket_->write(request) != request.size()) return breakOff(hr::kDisconnected);
    while (socket_->bytesToWrite() > 0) {
        if (deadline.hasExpired()) return breakOff(hr::kTimeout);
        const qint64 slice =
            std::min<qint64>(PaintingWait::kSlice.count(), std::max<qint64>(1, deadline.remainingTime()));
        if (!socket_->waitForBytesWritten(static_cast<int>(slice))) {
            if (socket_->state() != QLocalSocket::ConnectedState) return breakOff(hr::kDisconnected);
            wait();
        }
    }

    HResult failure = hr::kFail;
    const auto remaining = std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime()));
    const std::optional<QByteArray> line = protocol::readLine(*socket_, remaining, &failure, std::ref(wait));
    if (!line) return breakOff(failure);
    const std::optional<QJsonObject> reply = protocol::decode(*line);
    if (!reply || reply->value(QStringLiteral("id")).toInteger(-1) != id ||
        !reply->value(QStringLiteral("result")).isDouble())
        return breakOff(hr::kUnexpected);
    return static_cast<HResult>(reply->value(QStringLiteral("result")).toInteger());
}

HResult LocalBrowser::put_Visible(VariantBool visible) { return call("put_Visible", visible); }
HResult LocalBrowser::Navigate(const QString& url) { return call("Navigate", url); }
HResult LocalBrowser::put_Height(std::int32_t height) { return call("put_Height", height); }
HResult LocalBrowser::put_Width(std::int32_t width) { return call("put_Width", width); }
HResult LocalBrowser::put_AddressBar(VariantBool on) { return call("put_AddressBar", on); }
HResult LocalBrowser::put_StatusBar(VariantBool on) { return call("put_StatusBar", on); }
HResult LocalBrowser::put_ToolBar(std::int32_t on) { return call("put_ToolBar", on); }
HResult LocalBrowser::put_MenuBar(VariantBool on) { return call("put_MenuBar", on); }
HResult LocalBrowser::put_Resizable(VariantBool on) { return call("put_Resizable", on); }

}  // namespace quillbay
