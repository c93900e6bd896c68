// Quillbay: fill in a popup window's properties, generate the script that opens it, preview it.
#include <QApplication>

#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"
#include "platform/registry.h"
#include "platform/window_mover.h"
#include "preview/local_browser.h"
#include "quillbay/version.h"
#include "ui/about/about_window.h"
#include "ui/main/artwork.h"
#include "ui/main/help_viewer.h"
#include "ui/main/main_form.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quillbay::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QApplication::setWindowIcon(quillbay::globeIcon());

    quillbay::QtMessenger messenger;
    quillbay::QtWindowMover mover;
    quillbay::MainFormServices services;
    services.messenger = &messenger;
    services.mover = &mover;
    quillbay::QtFileProbe files;
    quillbay::QtDocumentOpener documents;
    services.files = &files;
    services.documents = &documents;
    quillbay::SystemPreview preview(messenger);  // quillbay-browser beside this program
    services.preview = preview.handler();
    const std::unique_ptr<quillbay::Registry> registry = quillbay::makeSystemRegistry();
    quillbay::QtProcessLauncher launcher;
    quillbay::AboutWindow about(*registry, files, launcher, messenger);
    services.showAbout = [&about] { about.Show(); };
    services.exit = [&about] {
        about.Unload();
        QApplication::quit();
    };

    quillbay::mainForm form(std::move(services));
    about.setOwner(&form);
    form.show();
    return app.exec();
}
