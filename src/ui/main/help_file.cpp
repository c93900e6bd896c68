#include "ui/main/help_file.h"

#include <QDir>

namespace quillbay {

QString helpFilePath(const QString& programFolder) {
    QString folder = QDir::fromNativeSeparators(programFolder);
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return QDir::toNativeSeparators(folder + QStringLiteral("help.chm"));
}

}  // namespace quillbay
