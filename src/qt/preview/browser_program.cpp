#include "qt/preview/browser_program.h"

#include <QDir>

// The install rules state where the browser goes; the build passes the same place, relative to the
// folder the tool is installed in, so the two cannot drift apart.
#ifndef QUILLBAY_BROWSER_DIR_FROM_BINDIR
#define QUILLBAY_BROWSER_DIR_FROM_BINDIR "../libexec/quillbay"
#endif

namespace quillbay {

QString browserProgram(const QString& applicationDir, const FileProbe& files) {
#if defined(Q_OS_WIN)
    const QString name = QStringLiteral("quillbay-browser.exe");
#else
    const QString name = QStringLiteral("quillbay-browser");
#endif
    const QDir here(applicationDir);
    const QString installed =
        QDir::cleanPath(here.filePath(QStringLiteral(QUILLBAY_BROWSER_DIR_FROM_BINDIR "/") + name));
    if (files.isFile(installed)) return installed;
    return QDir::cleanPath(here.filePath(name));
}

}  // namespace quillbay
