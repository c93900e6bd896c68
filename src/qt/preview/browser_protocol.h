// How the tool talks to its preview browser: one line of compact JSON per request and per reply
// over a local socket. The tool listens, the browser connects and greets; from then on each
// WebBrowser call is one request answered by one result code.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "core/preview/web_browser.h"

class QLocalSocket;

namespace quillbay::protocol {

inline constexpr int kVersion = 1;
inline constexpr char kGreeting[] = "quillbay-browser";
// A longer line is not ours; the reader gives up rather than buffering without end.
inline constexpr qint64 kMaxLineBytes = 1 << 20;

QByteArray encode(const QJsonObject& message);  // compact JSON and a line feed
std::optional<QJsonObject> decode(const QByteArray& line);

struct Hello {
    int version = 0;
    qint64 pid = 0;
};
QJsonObject helloMessage(qint64 pid);
std::optional<Hello> parseHello(const QJsonObject& message);

// Answers one decoded request from `target`; unknown calls and ill-typed arguments are refused
// without reaching it.
HResult dispatch(WebBrowser& target, const QJsonObject& request);

// Reads one line within the deadline. Empty when the deadline passes, the peer goes away or the
// line grows past kMaxLineBytes; `failure` then says which (hr::kTimeout, kDisconnected, kUnexpected).
// With `idle`, waits in short slices and calls it whenever a slice passes without data.
std::optional<QByteArray> readLine(QLocalSocket& socket, std::chrono::milliseconds timeout, HResult* failure,
                                   const std::function<void()>& idle = {});

}  // namespace quillbay::protocol
