#include "platform/document_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace quillbay {

bool QtDocumentOpener::open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path)));
}

}  // namespace quillbay
