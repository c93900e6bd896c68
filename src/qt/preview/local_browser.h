// The tool's end of the channel to its preview browser: each automation call is one request over a
// local socket that only this user can reach.
#pragma once

#include <QDeadlineTimer>
#include <QJsonValue>
#include <QString>
#include <chrono>
#include <memory>

#include "core/preview/web_browser.h"

class QLocalSocket;

namespace quillbay {

// The tool's end: every call blocks until the browser answers, its own time-out passes (hr::kTimeout) or
// the press it belongs to runs out of time (hr::kOutOfTime), whichever comes first.
// Destroying it closes the connection, which releases the browser; its window stays open.
class LocalBrowser final : public WebBrowser {
public:
    LocalBrowser(std::unique_ptr<QLocalSocket> socket, std::chrono::milliseconds callTimeout,
                 QDeadlineTimer pressDeadline = QDeadlineTimer(QDeadlineTimer::Forever));
    ~LocalBrowser() override;

    HResult put_Visible(VariantBool visible) override;
    HResult Navigate(const std::string& url) override;
    HResult put_Height(std::int32_t height) override;
    HResult put_Width(std::int32_t width) override;
    HResult put_AddressBar(VariantBool on) override;
    HResult put_StatusBar(VariantBool on) override;
    HResult put_ToolBar(std::int32_t on) override;
    HResult put_MenuBar(VariantBool on) override;
    HResult put_Resizable(VariantBool on) override;

private:
    HResult call(const char* name, const QJsonValue& argument);

    std::unique_ptr<QLocalSocket> socket_;
    std::chrono::milliseconds timeout_;
    QDeadlineTimer pressDeadline_;
    qint64 nextId_ = 1;
    bool broken_ = false;  // after a lost or garbled exchange no later reply can be trusted
};

}  // namespace quillbay
