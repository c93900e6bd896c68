#include "qt/preview/socket_place.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <array>

#if defined(Q_OS_UNIX)
#include <sys/un.h>

#include <filesystem>
#endif

namespace quillbay {

namespace {

constexpr char kPrefix[] = "quillbay-preview-";
// A socket whose queue is full answers neither yes nor no at once; it is someone's, so it stays.
constexpr int kProbeMs = 100;

}  // namespace

QString unguessableSocketName() {
    std::array<quint32, 4> bits{};
    QRandomGenerator::system()->fillRange(bits.data(), bits.size());
    QString name = QString::fromLatin1(kPrefix);
    for (quint32 b : bits) name += QStringLiteral("%1").arg(b, 8, 16, QLatin1Char('0'));
    return name;
}

bool isOurSocketName(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^%1[0-9a-f]{32}$").arg(QLatin1String(kPrefix)));
    return pattern.match(fileName).hasMatch();
}

QStringList socketFolders() {
#if defined(Q_OS_UNIX)
    QStringList folders;
    // Private to the user and emptied at log-out, unlike the shared temporary folder. Qt's own lookup is not
    // used: it makes up a folder when the variable is missing, and even creates a relative one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) folders << QDir::cleanPath(runtime);
    // Read here rather than through QDir::tempPath(), which turns a missing folder into "" and so the socket
    // into one in the root folder. A relative TMPDIR stays as given, for the message to name it.
    const QString temporary = qEnvironmentVariable("TMPDIR");
    folders << (temporary.isEmpty() ? QStringLiteral("/tmp")
                                    : QDir::isAbsolutePath(temporary) ? QDir::cleanPath(temporary) : temporary);
    return folders;
#else
    return {};
#endif
}

QString socketFolderProblem(const QString& folder, const QString& name) {
    if (!QDir::isAbsolutePath(folder)) return QStringLiteral("it is not an absolute path");
    const QFileInfo info(folder);
    if (!info.exists()) return QStringLiteral("the folder does not exist");
    if (!info.isDir()) return QStringLiteral("it is not a folder");
    if (!info.isWritable() || !info.isExecutable()) return QStringLiteral("Quillbay may not make files in it");
#if defined(Q_OS_UNIX)
    constexpr qsizetype kLongest = sizeof(sockaddr_un::sun_path) - 1;
    const qsizetype length = QFile::encodeName(QDir(folder).filePath(name)).size();
    if (length > kLongest)
        return QStringLiteral("its path is too long for a socket (%1 bytes with the socket's name, at most %2)")
            .arg(length)
            .arg(kLongest);
#endif
    return {};
}

int removeStaleSockets(const QString& folder, uint userId) {
    int removed = 0;
#if defined(Q_OS_UNIX)
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QString::fromLatin1(kPrefix) + QLatin1Char('*')}, QDir::System);
    for (const QFileInfo& entry : entries) {
        if (!isOurSocketName(entry.fileName())) continue;
        const QString path = entry.absoluteFilePath();
        std::error_code error;
        const auto status = std::filesystem::symlink_status(QFile::encodeName(path).toStdString(), error);
        if (error || status.type() != std::filesystem::file_type::socket || entry.ownerId() != userId) continue;
        QLocalSocket probe;
        probe.connectToServer(path);
        probe.waitForConnected(kProbeMs);
        const bool nobodyListens = probe.error() == QLocalSocket::ConnectionRefusedError;
        probe.abort();
        if (nobodyListens && QFile::remove(path)) ++removed;
    }
#else
    Q_UNUSED(folder);
    Q_UNUSED(userId);
#endif
    return removed;
}

}  // namespace quillbay
