// How the tool talks to its preview browser: one line of compact JSON per request and per reply over
// the pair of sockets the browser was started with. The browser greets first; from then on each
// WebBrowser call is one request answered by one result code.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "core/preview/web_browser.h"

namespace quillbay::protocol {

inline constexpr int kVersion = 1;
inline constexpr char kGreeting[] = "quillbay-browser";
// A longer line is not ours; the reader gives up rather than buffering without end.
inline constexpr qint64 kMaxLineBytes = 1 << 20;

QByteArray encode(const QJsonObject& message);  // compact JSON and a line feed
std::optional<QJsonObject> decode(const QByteArray& line);

struct Hello {
    int version = 0;
};
QJsonObject helloMessage();
std::optional<Hello> parseHello(const QJsonObject& message);

// Answers one decoded request from `target`; unknown calls and ill-typed arguments are refused
// without reaching it.
HResult dispatch(WebBrowser& target, const QJsonObject& request);

}  // namespace quillbay::protocol
