// The tool's end of the line to one preview browser: one end of a connected pair of stream sockets,
// whose other end the browser inherits when it starts. Nothing else can reach it: no name, no file.
// Qt Core and the system's socket calls only, so the tool needs no network module for it.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "core/preview/web_browser.h"

namespace quillbay {

class ControlChannel final {
public:
    explicit ControlChannel(int descriptor);  // takes it over
    ControlChannel(ControlChannel&& other) noexcept;
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;
    ControlChannel& operator=(ControlChannel&&) = delete;
    ~ControlChannel();  // closing is the hang-up: the browser sees the end of the stream

    bool isOpen() const { return descriptor_ >= 0; }
    void close();

    // Both wait until `deadline`, in short slices calling `idle` between them when given. Neither waits
    // on a browser that has closed its end or ended: hr::kDisconnected comes at once.
    HResult send(const QByteArray& bytes, const QDeadlineTimer& deadline, const std::function<void()>& idle = {});
    // One line, its line feed included. Empty on a time-out (hr::kTimeout), the end of the stream
    // (hr::kDisconnected; a line that came before it is still returned first) or a line longer than a
    // request may be (hr::kUnexpected), with `failure` saying which.
    std::optional<QByteArray> readLine(const QDeadlineTimer& deadline, HResult* failure,
                                       const std::function<void()>& idle = {});

private:
    enum class Wait { Ready, TimedOut };
    Wait waitFor(short events, const QDeadlineTimer& deadline, const std::function<void()>& idle) const;

    int descriptor_ = -1;
    QByteArray received_;  // read, not yet handed out
};

// The browser's end while the browser is being started: inheritable, so that the started program gets a
// copy, and closed here as soon as it has. The tool keeps no copy of it, or the line would stay open
// after the browser ended.
class InheritedEnd final {
public:
    explicit InheritedEnd(int descriptor) : descriptor_(descriptor) {}
    InheritedEnd(InheritedEnd&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    InheritedEnd(const InheritedEnd&) = delete;
    InheritedEnd& operator=(const InheritedEnd&) = delete;
    InheritedEnd& operator=(InheritedEnd&&) = delete;
    ~InheritedEnd() { close(); }

    int descriptor() const { return descriptor_; }
    void close();

private:
    int descriptor_ = -1;
};

struct ControlPair {
    ControlChannel tool;  // not inherited by any program the tool starts
    InheritedEnd browser;
};

// A new connected pair. Empty when the system refuses one, with `problem` saying why.
// The browser's end is inheritable from now until it is closed: the tool starts its programs from its
// one user-interface thread, so no other start can come in between and take a copy.
std::optional<ControlPair> openControlPair(QString* problem);

}  // namespace quillbay
