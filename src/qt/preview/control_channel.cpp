#include "qt/preview/control_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "qt/preview/browser_protocol.h"
#include "qt/preview/painting_wait.h"

namespace quillbay {

namespace {

// How much one read takes from the socket; a line longer than a request is noticed within this much.
constexpr qsizetype kChunk = 64 * 1024;

void closeDescriptor(int& descriptor) {
    if (descriptor < 0) return;
    ::close(descriptor);
    descriptor = -1;
}

}  // namespace

ControlChannel::ControlChannel(int descriptor) : descriptor_(descriptor) {}

ControlChannel::ControlChannel(ControlChannel&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), received_(std::move(other.received_)) {}

ControlChannel::~ControlChannel() { close(); }

void ControlChannel::close() { closeDescriptor(descriptor_); }

ControlChannel::Wait ControlChannel::waitFor(short events, const QDeadlineTimer& deadline,
                                             const std::function<void()>& idle) const {
    for (;;) {
        const qint64 left = deadline.remainingTime();  // -1: no deadline
        qint64 wait = left < 0 ? std::numeric_limits<int>::max() : left;
        if (idle) wait = std::min<qint64>(wait, PaintingWait::kSlice.count());
        pollfd watched{descriptor_, events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(wait));
        // A hang-up or an error counts as ready too: the read or write that follows says which.
        if (ready > 0 || (ready < 0 && errno != EINTR)) return Wait::Ready;
        if (deadline.hasExpired()) return Wait::TimedOut;
        if (idle) idle();
    }
}

HResult ControlChannel::send(const QByteArray& bytes, const QDeadlineTimer& deadline,
                             const std::function<void()>& idle) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        if (!isOpen()) return hr::kDisconnected;
        // No SIGPIPE from a browser that went away: that is an answer, not the end of the tool.
        const ssize_t n = ::send(descriptor_, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent),
                                 MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n >= 0) {
            sent += n;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (waitFor(POLLOUT, deadline, idle) == Wait::TimedOut) return hr::kTimeout;
        } else if (errno != EINTR) {
            return hr::kDisconnected;
        }
    }
    return hr::kOk;
}

std::optional<QByteArray> ControlChannel::readLine(const QDeadlineTimer& deadline, HResult* failure,
                                                   const std::function<void()>& idle) {
    auto fail = [&](HResult code) -> std::optional<QByteArray> {
        if (failure) *failure = code;
        return std::nullopt;
    };
    for (;;) {
        if (const qsizetype end = received_.indexOf('\n'); end >= 0) {
            if (end + 1 > protocol::kMaxLineBytes) return fail(hr::kUnexpected);
            QByteArray line = received_.left(end + 1);
            received_.remove(0, end + 1);
            return line;
        }
        if (received_.size() > protocol::kMaxLineBytes) return fail(hr::kUnexpected);
        if (!isOpen()) return fail(hr::kDisconnected);
        if (waitFor(POLLIN, deadline, idle) == Wait::TimedOut) return fail(hr::kTimeout);
        const qsizetype had = received_.size();
        received_.resize(had + kChunk);
        const ssize_t n = ::recv(descriptor_, received_.data() + had, kChunk, MSG_DONTWAIT);
        received_.resize(had + std::max<ssize_t>(n, 0));
        if (n > 0 || (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))) continue;
        return fail(hr::kDisconnected);  // the end of the stream, or the line broke
    }
}

void InheritedEnd::close() { closeDescriptor(descriptor_); }

std::optional<ControlPair> openControlPair(QString* problem) {
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0 || ::fcntl(ends[1], F_SETFD, 0) != 0) {
        if (problem) *problem = QString::fromLocal8Bit(std::strerror(errno));
        for (int& end : ends) closeDescriptor(end);
        return std::nullopt;
    }
    return ControlPair{ControlChannel(ends[0]), InheritedEnd(ends[1])};
}

}  // namespace quillbay
