// Any bytes from the tool, over a real local socket pair, to the browser's request handling: every
// request line before the first that is not one is answered, in order and under its own id; that
// first bad line ends the connection; and a line that never ends is never buffered past the
// longest a request may be.
//
// Input: one mode byte, then the bytes the tool sends. After them the fuzzer sends either a line
// that is surely not a request (so every run ends in a hang-up rather than a wait), or, for mode
// 'F', a flood without a line end longer than any request.
#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonObject>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

#include "qt/preview/browser_call_server.h"
#include "qt/preview/browser_protocol.h"
#include "support/preview_fakes.h"

namespace {

using namespace quillbay;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "browser_call_fuzz: %s\n", what);
    std::abort();
}

// Writes as much of `bytes` from `sent` on as the socket takes now; false once the browser hung up.
bool sendSome(int fd, const QByteArray& bytes, qsizetype& sent) {
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        sent += n;
    }
    return true;
}

QByteArray receiveAll(int fd) {
    QByteArray bytes;
    char chunk[4096];
    for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) bytes.append(chunk, n);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool flood = data[0] == 'F';
    QByteArray stream(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    stream += flood ? QByteArray(protocol::kMaxLineBytes + 4096, 'x') : QByteArray("\n!\n");

    // What the browser must do: answer each request line up to the first one that is not a request.
    QList<QJsonValue> expectedIds;
    for (qsizetype start = 0;;) {
        const qsizetype end = stream.indexOf('\n', start);
        if (end < 0) break;
        const QByteArray line = stream.mid(start, end + 1 - start);
        start = end + 1;
        const std::optional<QJsonObject> request = protocol::decode(line);
        if (line.size() > protocol::kMaxLineBytes || !request) break;
        expectedIds << request->value(QStringLiteral("id"));
    }

    int fds[2];
    require(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0, "no socket pair");
    const int toolEnd = fds[1];
    qint64 mostBuffered = 0;
    bool finished = false;
    {
        QLocalSocket socket;
        require(socket.setSocketDescriptor(fds[0]), "the socket pair was refused");
        QObject::connect(&socket, &QLocalSocket::readyRead,
                         [&] { mostBuffered = std::max(mostBuffered, socket.bytesAvailable()); });
        testing::Journal journal;
        testing::RecordingBrowser browser(journal);
        BrowserCallServer server(&socket, browser);
        // The tool's end writes whenever there is room, on the same event loop: no thread to start.
        qsizetype sent = 0;
        QSocketNotifier writable(toolEnd, QSocketNotifier::Write);
        QObject::connect(&writable, &QSocketNotifier::activated, [&] {
            if (!sendSome(toolEnd, stream, sent) || sent == stream.size()) writable.setEnabled(false);
        });
        QEventLoop loop;
        QObject::connect(&server, &BrowserCallServer::finished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        // A timer that goes with this run (a single-shot one would outlive it by its whole interval).
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
        giveUp.start(20000);
        if (!finished) loop.exec();
        require(finished, "the browser neither answered nor hung up");
        socket.abort();
    }
    // What Qt deletes later goes now, so that a run frees all it took and the leak check stays quiet.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QByteArray replies = receiveAll(toolEnd);
    ::close(toolEnd);

    require(mostBuffered <= protocol::kMaxLineBytes + 1, "more than one request line was buffered");
    const QList<QByteArray> lines = replies.split('\n');
    require(lines.size() == expectedIds.size() + 1 && lines.back().isEmpty(), "not one reply per request");
    for (qsizetype i = 0; i < expectedIds.size(); ++i) {
        const std::optional<QJsonObject> reply = protocol::decode(lines[i]);
        require(reply && reply->value(QStringLiteral("result")).isDouble(), "a reply without a result");
        // The tool's ids are numbers; those must come back unchanged.
        if (expectedIds[i].isDouble())
            require(reply->value(QStringLiteral("id")) == expectedIds[i], "a reply under another request's id");
    }
    return 0;
}
