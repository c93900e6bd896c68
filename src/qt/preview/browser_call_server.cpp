#include "qt/preview/browser_call_server.h"

#include <QJsonObject>
#include <QLocalSocket>
#include <QTimer>

#include "qt/preview/browser_protocol.h"

namespace quillbay {

namespace {
constexpr int kFollowUpWaitMs = 20;
}

BrowserCallServer::BrowserCallServer(QLocalSocket* socket, WebBrowser& target, QObject* parent)
    : BrowserCallServer(socket, target, Pacing{}, parent) {}

BrowserCallServer::BrowserCallServer(QLocalSocket* socket, WebBrowser& target, Pacing pacing, QObject* parent)
    : QObject(parent), socket_(socket), target_(target), pacing_(std::move(pacing)), holdLimit_(new QTimer(this)) {
    // The socket stops reading from the tool once a whole line's worth waits unread: a line that
    // never ends costs this much memory and no more.
    socket->setReadBufferSize(protocol::kMaxLineBytes + 1);
    holdLimit_->setSingleShot(true);
    connect(holdLimit_, &QTimer::timeout, this, &BrowserCallServer::sendHeld);
    connect(socket, &QLocalSocket::readyRead, this, &BrowserCallServer::serve);
    connect(socket, &QLocalSocket::disconnected, this, &BrowserCallServer::finished);
    serve();
}

bool BrowserCallServer::settled() const { return !pacing_.settled || pacing_.settled(); }

void BrowserCallServer::resume() {
    // Queued, so that the calls that follow never run inside the handler that called us.
    if (!heldReply_.isEmpty() && settled()) QMetaObject::invokeMethod(this, &BrowserCallServer::sendHeld, Qt::QueuedConnection);
}

void BrowserCallServer::sendHeld() {
    if (heldReply_.isEmpty()) return;
    holdLimit_->stop();
    const QByteArray reply = std::exchange(heldReply_, {});
    if (!socket_) return;
    socket_->write(reply);
    socket_->flush();
    serve();
}

void BrowserCallServer::hangUp() {
    socket_->abort();
    emit finished();
}

void BrowserCallServer::serve() {
    // A reply held back keeps every later request waiting in the socket, so answers stay in order.
    if (serving_ || !heldReply_.isEmpty()) return;
    serving_ = true;
    while (socket_ && socket_->canReadLine()) {
        // The whole line is in the read buffer, which is bounded; a size given here would only
        // make every read allocate that much up front.
        const QByteArray line = socket_->readLine();
        const std::optional<QJsonObject> request = protocol::decode(line);
        if (line.size() > protocol::kMaxLineBytes || !request) {
            serving_ = false;
            hangUp();
            return;
        }
        const bool settledBefore = settled();
        const HResult result = protocol::dispatch(target_, *request);
        if (!socket_) break;
        const QByteArray reply = protocol::encode(
            QJsonObject{{QStringLiteral("id"), request->value(QStringLiteral("id"))}, {QStringLiteral("result"), result}});
        // Only a call that unsettles the target waits; once a wait has run out, later calls do not wait again.
        if (settledBefore && !settled()) {
            heldReply_ = reply;
            holdLimit_->start(pacing_.limit);
            serving_ = false;
            return;
        }
        socket_->write(reply);
        socket_->flush();
        // The tool sends its calls back to back and waits on each: take the next one straight
        // away instead of first repainting for every step.
        if (socket_ && !socket_->canReadLine()) socket_->waitForReadyRead(kFollowUpWaitMs);
    }
    serving_ = false;
    // A full buffer without a line end: the line is longer than any request may be.
    if (socket_ && !socket_->canReadLine() && socket_->bytesAvailable() > protocol::kMaxLineBytes) hangUp();
}

}  // namespace quillbay
