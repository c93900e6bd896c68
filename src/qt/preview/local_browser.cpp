#include "qt/preview/local_browser.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <algorithm>
#include <functional>

#include "qt/preview/browser_protocol.h"
#include "qt/preview/painting_wait.h"

namespace quillbay {

LocalBrowser::LocalBrowser(std::unique_ptr<QLocalSocket> socket, std::chrono::milliseconds callTimeout,
                           QDeadlineTimer pressDeadline)
    : socket_(std::move(socket)), timeout_(callTimeout), pressDeadline_(pressDeadline) {}

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

    const QDeadlineTimer callDeadline(timeout_);
    const bool pressEndsFirst = pressDeadline_ <= callDeadline;
    const QDeadlineTimer deadline = pressEndsFirst ? pressDeadline_ : callDeadline;
    PaintingWait wait;  // the windows keep painting until the answer comes
    auto breakOff = [this, pressEndsFirst](HResult code) {
        broken_ = true;
        socket_->abort();
        return code == hr::kTimeout && pressEndsFirst ? hr::kOutOfTime : code;
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
HResult LocalBrowser::Navigate(const std::string& url) { return call("Navigate", QString::fromStdString(url)); }
HResult LocalBrowser::put_Height(std::int32_t height) { return call("put_Height", height); }
HResult LocalBrowser::put_Width(std::int32_t width) { return call("put_Width", width); }
HResult LocalBrowser::put_AddressBar(VariantBool on) { return call("put_AddressBar", on); }
HResult LocalBrowser::put_StatusBar(VariantBool on) { return call("put_StatusBar", on); }
HResult LocalBrowser::put_ToolBar(std::int32_t on) { return call("put_ToolBar", on); }
HResult LocalBrowser::put_MenuBar(VariantBool on) { return call("put_MenuBar", on); }
HResult LocalBrowser::put_Resizable(VariantBool on) { return call("put_Resizable", on); }

}  // namespace quillbay
