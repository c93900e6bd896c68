#include "browser/control_descriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace quillbay {

ControlDescriptor takeControlDescriptor(const QString& argument) {
    ControlDescriptor taken;
    bool isNumber = false;
    const int descriptor = argument.toInt(&isNumber);
    const auto refuse = [&](const QString& why) {
        taken.problem = QStringLiteral("--control-fd %1: %2").arg(argument, why);
        return taken;
    };
    if (!isNumber || descriptor < 0 || argument.trimmed() != argument || argument.startsWith(QLatin1Char('+')))
        return refuse(QStringLiteral("not a descriptor number"));
    if (::fcntl(descriptor, F_GETFD) < 0) return refuse(QStringLiteral("no such descriptor is open"));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISSOCK(status.st_mode)) return refuse(QStringLiteral("not a socket"));
    int type = 0;
    socklen_t length = sizeof type;
    if (::getsockopt(descriptor, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_STREAM)
        return refuse(QStringLiteral("not a stream socket"));
    pollfd line{descriptor, POLLOUT, 0};
    if (::poll(&line, 1, 0) != 1 || (line.revents & (POLLHUP | POLLERR)) || !(line.revents & POLLOUT))
        return refuse(QStringLiteral("the other end is closed or not connected"));
    ::fcntl(descriptor, F_SETFD, FD_CLOEXEC);
    taken.descriptor = descriptor;
    return taken;
}

}  // namespace quillbay
