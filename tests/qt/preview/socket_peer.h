// A scripted far end for the control line, run on a thread of its own so that the blocking side under
// test can wait for it.
#pragma once

#include <QDeadlineTimer>
#include <QJsonObject>
#include <QLocalSocket>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "qt/preview/browser_protocol.h"
#include "qt/preview/control_channel.h"

namespace quillbay::testing {

// Takes over the browser's end `descriptor` and runs `script` on it.
class SocketPeer {
public:
    using Script = std::function<void(QLocalSocket&, SocketPeer&)>;

    SocketPeer(int descriptor, Script script)
        : thread_([this, descriptor, script = std::move(script)] {
              QLocalSocket socket;
              if (!socket.setSocketDescriptor(descriptor)) return;
              script(socket, *this);
          }) {}
    ~SocketPeer() {
        release();
        thread_.join();
    }

    // Scripts that hold on wait for this.
    void release() { released_ = true; }
    void holdUntilReleased() {
        while (!released_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    // Reads one request; empty when the other side went away.
    static QJsonObject readRequest(QLocalSocket& socket) {
        const QDeadlineTimer deadline(std::chrono::seconds(5));
        while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
            socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        if (!socket.canReadLine()) return {};
        return protocol::decode(socket.readLine()).value_or(QJsonObject{});
    }
    static void send(QLocalSocket& socket, const QByteArray& bytes) {
        socket.write(bytes);
        // Each wait writes one chunk; a thread without an event loop must keep asking.
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(5000)) {
        }
    }
    static void reply(QLocalSocket& socket, const QJsonObject& request, HResult result) {
        send(socket, protocol::encode(
                         QJsonObject{{QStringLiteral("id"), request.value(QStringLiteral("id"))}, {QStringLiteral("result"), result}}));
    }
    static void greet(QLocalSocket& socket) { send(socket, protocol::encode(protocol::helloMessage())); }

private:
    std::atomic<bool> released_{false};
    std::thread thread_;
};

// A connected pair: the tool's end, and a scripted browser on the other.
inline std::pair<ControlChannel, std::unique_ptr<SocketPeer>> pairWithPeer(SocketPeer::Script script) {
    std::optional<ControlPair> pair = openControlPair(nullptr);
    if (!pair) return {ControlChannel(-1), nullptr};
    const int browserEnd = ::fcntl(pair->browser.descriptor(), F_DUPFD_CLOEXEC, 0);
    pair->browser.close();
    return {std::move(pair->tool), std::make_unique<SocketPeer>(browserEnd, std::move(script))};
}

}  // namespace quillbay::testing
