#include "ui/main/help_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace quillbay {

bool QtDocumentOpener::open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path)));
}

QString helpFilePath(const QString& programFolder) {
    QString folder = QDir::fromNativeSeparators(programFolder);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return QDir::toNativeSeparators(folder + QStringLiteral("help.chm"));
}

}  // namespace quillbay
