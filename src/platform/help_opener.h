// Opening the help: with the desktop's own viewer, else in a window of Quillbay's own browser.
#pragma once

#include <QString>

#include "platform/document_opener.h"
#include "platform/process_launcher.h"

namespace quillbay {

// A fresh install may have no desktop opener at all (no xdg-open), but it always has the preview
// browser, which shows an address it is given on its command line; so the help opens either way.
class HelpOpener final : public DocumentOpener {
public:
    HelpOpener(DocumentOpener& desktop, ProcessLauncher& launcher, QString browserProgram);
    // False only when neither the desktop nor the browser took the page.
    bool open(const QString& path) override;

private:
    DocumentOpener& desktop_;
    ProcessLauncher& launcher_;
    QString browser_;
};

}  // namespace quillbay
