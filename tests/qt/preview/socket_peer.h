// A scripted far end for the control socket, run on a thread of its own so that the blocking
// side under test can wait for it.
#pragma once

#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>
#include <atomic>
#include <functional>
#include <thread>

#include "qt/preview/browser_protocol.h"

namespace quillbay::testing {

inline QString uniqueSocketName() {
    return QStringLiteral("quillbay-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Connects to `serverName` and runs `script` on the connected socket.
class SocketPeer {
public:
    using Script = std::function<void(QLocalSocket&, SocketPeer&)>;

    SocketPeer(const QString& serverName, Script script)
        : thread_([this, serverName, script = std::move(script)] {
              QLocalSocket socket;
              socket.connectToServer(serverName);
              if (!socket.waitForConnected(5000)) return;
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
        HResult failure = hr::kOk;
        const auto line = protocol::readLine(socket, std::chrono::seconds(5), &failure);
        if (!line) return {};
        return protocol::decode(*line).value_or(QJsonObject{});
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

private:
    std::atomic<bool> released_{false};
    std::thread thread_;
};

}  // namespace quillbay::testing
