// Quillbay: fill in a popup window's properties, generate the script that opens it, preview it.
// The one place where the real platform adapters are made and handed to the windows.
#include <QApplication>
#include <memory>

#include "platform/document_opener.h"
#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"
#include "platform/registry.h"
#include "platform/window_mover.h"
#include "preview/deferred_browser_factory.h"
#include "preview/open_preview.h"
#include "quillbay/version.h"
#include "ui/about/about_window.h"
#include "ui/common/design.h"
#include "ui/main/artwork.h"
#include "ui/main/main_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quillbay::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QApplication::setWindowIcon(quillbay::globeIcon());
    quillbay::design::useDefaultFontForWindows();

    quillbay::QtMessenger messenger;
    quillbay::QtWindowMover mover;
    quillbay::QtFileProbe files;
    quillbay::QtDocumentOpener documents;
    quillbay::QtProcessLauncher launcher;
    quillbay::SystemProcessProbe processes;
    const std::unique_ptr<quillbay::Registry> registry = quillbay::makeSystemRegistry();

    // quillbay-browser beside this program, one per press; what drives it is loaded at the first press.
    quillbay::DeferredBrowserFactory browsers(quillbay::previewModulePath(), launcher, files, processes);
    const quillbay::PreviewService preview(messenger, browsers);
    quillbay::AboutWindow about(*registry, files, launcher, messenger);

    quillbay::MainFormServices services;
    services.messenger = &messenger;
    services.mover = &mover;
    services.files = &files;
    services.documents = &documents;
    services.preview = std::cref(preview);
    services.showAbout = [&about] { about.Show(); };
    services.exit = [&about] {
        about.Unload();
        QApplication::quit();
    };

    quillbay::mainForm form(std::move(services));
    form.show();
    return app.exec();
}
