#include "qt/preview/local_browser.h"

#include <functional>

#include "qt/preview/browser_protocol.h"
#include "qt/preview/painting_wait.h"

namespace quillbay {

LocalBrowser::LocalBrowser(ControlChannel channel, std::chrono::milliseconds callTimeout, QDeadlineTimer pressDeadline)
    : channel_(std::move(channel)), timeout_(callTimeout), pressDeadline_(pressDeadline) {}

HResult LocalBrowser::call(const char* name, const QJsonValue& argument) {
    if (!channel_.isOpen()) return hr::kDisconnected;
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
        channel_.close();
        return code == hr::kTimeout && pressEndsFirst ? hr::kOutOfTime : code;
    };
    if (const HResult sent = channel_.send(request, deadline, std::ref(wait)); sent != hr::kOk) return breakOff(sent);
    HResult failure = hr::kFail;
    const std::optional<QByteArray> line = channel_.readLine(deadline, &failure, std::ref(wait));
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
