// The tool's end of the channel to its preview browser: each automation call is one request over the
// socket pair the browser was started with.
#pragma once

#include <QDeadlineTimer>
#include <QJsonValue>
#include <chrono>

#include "core/preview/web_browser.h"
#include "qt/preview/control_channel.h"

namespace quillbay {

// The tool's end: every call blocks until the browser answers, its own time-out passes (hr::kTimeout) or
// the press it belongs to runs out of time (hr::kOutOfTime), whichever comes first.
// Destroying it closes the channel, which releases the browser; its window stays open.
class LocalBrowser final : public WebBrowser {
public:
    LocalBrowser(ControlChannel channel, std::chrono::milliseconds callTimeout,
                 QDeadlineTimer pressDeadline = QDeadlineTimer(QDeadlineTimer::Forever));

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

    ControlChannel channel_;  // closed after a lost or garbled exchange: no later reply could be trusted
    std::chrono::milliseconds timeout_;
    QDeadlineTimer pressDeadline_;
    qint64 nextId_ = 1;
};

}  // namespace quillbay
