// Quillbay: fill in a popup window's properties, generate the script that opens it, preview it.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

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
    QCoreApplication::setApplicationName(QString::fromLatin1(quillbay::kAppTitle));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fill in a browser popup's properties, generate the script that opens it, preview it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // --help and --version answer before the window system is touched, since QApplication aborts where
    // there is no display; only then is a bare core application made, to print and exit. Anything else
    // is judged after QApplication has taken its own options (-style, -platform...) out.
    if (argc > 1) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
        parser.parse(arguments);
        if (parser.isSet(help) || parser.isSet(version) || arguments.contains(QStringLiteral("--help-all"))) {
            QCoreApplication answer(argc, argv);
            parser.process(answer);
        }
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillbay::kAppId));
    QApplication::setWindowIcon(quillbay::globeIcon());
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: Unexpected argument '%s'.\n", quillbay::kAppTitle,
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }

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
