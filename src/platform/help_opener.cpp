#include "platform/help_opener.h"

#include <QDir>
#include <QUrl>
#include <utility>

namespace quillbay {

HelpOpener::HelpOpener(DocumentOpener& desktop, ProcessLauncher& launcher, QString browserProgram)
    : desktop_(desktop), launcher_(launcher), browser_(std::move(browserProgram)) {}

bool HelpOpener::open(const QString& path) {
    if (desktop_.open(path)) return true;
    // The browser takes an address, not a path: the file URL keeps spaces and any other character intact.
    const QString address = QUrl::fromLocalFile(QDir::fromNativeSeparators(path)).toString(QUrl::FullyEncoded);
    return launcher_.startDetached(browser_, {address});
}

}  // namespace quillbay
